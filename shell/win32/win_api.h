// The Windows headers, with the narrow/wide macros that would rename the
// game's own methods (Canvas::TextOut, Port::PlaySound) taken back out.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include <windows.h>
#include <mmsystem.h>

#undef TextOut
#undef PlaySound
