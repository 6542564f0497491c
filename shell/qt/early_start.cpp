#include "shell/qt/early_start.h"

#include <fontconfig/fontconfig.h>

// fontconfig initialises itself once, safely from any thread; Qt's font
// list then finds it ready.
EarlyStart::EarlyStart() : fonts_([] { FcInit(); }) {}

EarlyStart::~EarlyStart() {
    if (fonts_.joinable()) fonts_.join();
}
