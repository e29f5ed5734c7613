// The multimedia joystick query (non-Windows stand-in, on SDL's joystick API).
#pragma once
#include "winapi/types.h"

struct JOYINFOEX {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwXpos;
    DWORD dwYpos;
    DWORD dwZpos;
    DWORD dwRpos;
    DWORD dwUpos;
    DWORD dwVpos;
    DWORD dwButtons;
    DWORD dwButtonNumber;
    DWORD dwPOV;
    DWORD dwReserved1;
    DWORD dwReserved2;
};
typedef JOYINFOEX *LPJOYINFOEX;

enum : UINT { JOYSTICKID1 = 0, JOYSTICKID2 = 1 };
enum : DWORD { JOY_RETURNALL = 0x000000FF };
enum : MMRESULT { JOYERR_NOERROR = 0, JOYERR_PARMS = 165, JOYERR_UNPLUGGED = 167 };

MMRESULT joyGetPosEx(UINT id, LPJOYINFOEX info);
