// Windows API types and constants used by the platform layer (non-Windows stand-in).
#pragma once
#include <cstdint>
#include <cstddef>

#include "winapi/tick.h" // DWORD

#define WINAPI
#define CALLBACK
#define APIENTRY

typedef int32_t BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint16_t ATOM;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef int32_t INT;
typedef uint32_t COLORREF;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef void *LPVOID;
typedef void *HANDLE;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef uint32_t MMRESULT;
typedef uintptr_t DWORD_PTR;
typedef uintptr_t UINT_PTR;

// Multimedia result codes shared by the joystick and wave-out calls.
enum : MMRESULT {
    MMSYSERR_NOERROR = 0,
    MMSYSERR_ERROR = 1,
    MMSYSERR_BADDEVICEID = 2,
    MMSYSERR_INVALHANDLE = 5,
    MMSYSERR_NODRIVER = 6,
    MMSYSERR_NOMEM = 7,
    MMSYSERR_INVALFLAG = 10,
    MMSYSERR_INVALPARAM = 11,
};

// Distinct handle types, as with the system's STRICT handles.
struct HWND__;
struct HDC__;
struct HINSTANCE__;
struct HGDIOBJ__;
struct HCURSOR__;
struct HICON__;
struct HBRUSH__;
struct HMENU__;
struct HDRAWDIB__;
typedef HWND__ *HWND;
typedef HDC__ *HDC;
typedef HINSTANCE__ *HINSTANCE;
typedef HINSTANCE HMODULE;
typedef HGDIOBJ__ *HGDIOBJ;
typedef HGDIOBJ HBITMAP;
typedef HCURSOR__ *HCURSOR;
typedef HICON__ *HICON;
typedef HBRUSH__ *HBRUSH;
typedef HMENU__ *HMENU;
typedef HDRAWDIB__ *HDRAWDIB;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

#define LOWORD(l) ((WORD)(((uintptr_t)(l)) & 0xFFFF))
#define HIWORD(l) ((WORD)((((uintptr_t)(l)) >> 16) & 0xFFFF))
#define GET_WHEEL_DELTA_WPARAM(w) ((short)HIWORD(w))
#define MAKELPARAM(l, h) ((LPARAM)(uint32_t)(((uint32_t)(WORD)(l)) | (((uint32_t)(WORD)(h)) << 16)))

struct POINT {
    LONG x;
    LONG y;
};
typedef POINT *LPPOINT;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
typedef RECT *LPRECT;
