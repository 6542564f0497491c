#include "world/port.h"

namespace {
NullPort nullPort;
}

Port* port = &nullPort;

MessageAnswer ShowInfo(WindowId owner, const char* text, const char* caption) {
    return port->ShowMessage(owner, text, caption, MB_STYLE_OK);
}

bool AskYesNo(WindowId owner, const char* text, const char* caption) {
    return port->ShowMessage(owner, text, caption, MB_STYLE_YES_NO) == ANSWER_YES;
}

void PlaySoundFile(const char* file) { port->PlaySound(file); }

void RequestPaint(WindowId window) { port->PaintWindow(window); }
