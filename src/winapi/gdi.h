// GDI device contexts, bitmap sections and block copies, and DrawDib stretching: the subset the
// platform layer calls (non-Windows stand-in).
#pragma once
#include "winapi/types.h"

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight; // positive: bottom row first
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
typedef BITMAPINFOHEADER *LPBITMAPINFOHEADER;

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

enum : DWORD { BI_RGB = 0 };
enum : UINT { DIB_RGB_COLORS = 0 };
enum : DWORD { SRCCOPY = 0x00CC0020 };
enum : int { HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, BITSPIXEL = 12 };
#define HGDI_ERROR ((HGDIOBJ)(intptr_t)-1)

HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC context);
int GetDeviceCaps(HDC context, int index);
HBITMAP CreateDIBSection(HDC context, const BITMAPINFO *info, UINT usage, void **bits,
                         HANDLE section, DWORD offset);
HDC CreateCompatibleDC(HDC context);
HGDIOBJ SelectObject(HDC context, HGDIOBJ object);
BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sx, int sy,
            DWORD rop);
BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sx, int sy,
                int swidth, int sheight, DWORD rop);
enum : int { COLORONCOLOR = 3 };
int SetStretchBltMode(HDC context, int mode);
BOOL DeleteDC(HDC context);
BOOL DeleteObject(HGDIOBJ object);

HDRAWDIB DrawDibOpen();
BOOL DrawDibClose(HDRAWDIB handle);
BOOL DrawDibDraw(HDRAWDIB handle, HDC context, int xdst, int ydst, int dxdst, int dydst,
                 LPBITMAPINFOHEADER header, LPVOID bits, int xsrc, int ysrc, int dxsrc, int dysrc,
                 UINT flags);
