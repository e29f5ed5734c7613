// The Windows API subset the platform layer relies on: the system's own headers on Windows,
// our stand-in elsewhere.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#include <vfw.h>

#include "winapi/tick.h"
#else
#include "winapi/tick.h"
#include "winapi/types.h"
#include "winapi/user.h"
#include "winapi/gdi.h"
#include "winapi/joystick.h"
#include "winapi/waveout.h"
#endif
