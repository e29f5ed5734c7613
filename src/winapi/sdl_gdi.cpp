// SDL stand-in: device contexts, bitmap sections, block copies and DrawDib. Drawing onto a
// window's context hands a copy of the pixels to the window's UI thread (the frame slot).
#include "winapi/gdi.h"
#include "winapi/sdl_display.h"
#include "winapi/sdl_present.h"

#include <cstdlib>
#include <cstring>

namespace {
enum DcKind : uint32_t { DC_SCREEN, DC_WINDOW, DC_MEMORY };

struct Dib {
    uint32_t magic;
    int32_t width, height, bottomup, bpp, stride;
    uint8_t *bits;
};

struct Dc {
    uint32_t magic;
    DcKind kind;
    HWND window;
    Dib *selected;
};

const uint32_t DIB_MAGIC = 0x44494231, DC_MAGIC = 0x44433031;
// What a fresh memory context holds before a bitmap is selected into it.
Dib stock_bitmap{DIB_MAGIC, 1, 1, 1, 32, 4, nullptr};

Dc *as_dc(HDC context) {
    auto *dc = reinterpret_cast<Dc *>(context);
    return (dc && dc->magic == DC_MAGIC) ? dc : nullptr;
}
Dib *as_dib(HGDIOBJ object) {
    auto *dib = reinterpret_cast<Dib *>(object);
    return (dib && dib->magic == DIB_MAGIC) ? dib : nullptr;
}

// Row stride of an uncompressed bitmap: rows padded to 4 bytes.
int64_t dib_stride(int64_t width, int32_t bpp) {
    return ((width * bpp + 31) / 32) * 4;
}

bool header_ok(const BITMAPINFOHEADER *h) {
    if (!h || h->biSize < sizeof(BITMAPINFOHEADER) || h->biPlanes != 1 ||
        h->biCompression != BI_RGB)
        return false;
    if (h->biBitCount != 16 && h->biBitCount != 24 && h->biBitCount != 32) return false;
    int64_t w = h->biWidth, hh = h->biHeight < 0 ? -static_cast<int64_t>(h->biHeight) : h->biHeight;
    return w > 0 && hh > 0 && w <= 32768 && hh <= 32768 &&
           dib_stride(w, h->biBitCount) * hh <= (int64_t{1} << 30);
}

// Cuts a source rectangle to the image and moves the destination with it.
bool clip(SDL_Rect *src, SDL_Rect *dst, int32_t width, int32_t height) {
    if (src->x < 0) {
        dst->x -= src->x;
        src->w += src->x;
        src->x = 0;
    }
    if (src->y < 0) {
        dst->y -= src->y;
        src->h += src->y;
        src->y = 0;
    }
    if (src->x + src->w > width) src->w = width - src->x;
    if (src->y + src->h > height) src->h = height - src->y;
    dst->w = src->w;
    dst->h = src->h;
    return src->w > 0 && src->h > 0;
}

// Row r of the picture (counted from the top) in memory.
uint8_t *dib_row(const Dib *dib, int32_t r) {
    int32_t m = dib->bottomup ? dib->height - 1 - r : r;
    return dib->bits + static_cast<int64_t>(m) * dib->stride;
}
} // namespace

HDC GetDC(HWND window) {
    if (window && !winapi_window(window)) return nullptr;
    return reinterpret_cast<HDC>(new Dc{DC_MAGIC, window ? DC_WINDOW : DC_SCREEN, window, nullptr});
}

int ReleaseDC(HWND, HDC context) {
    Dc *dc = as_dc(context);
    if (!dc || dc->kind == DC_MEMORY) return 0;
    dc->magic = 0;
    delete dc;
    return 1;
}

int GetDeviceCaps(HDC context, int index) {
    if (!as_dc(context)) return 0;
    return winapi_screen_caps(index);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO *info, UINT usage, void **bits, HANDLE, DWORD) {
    if (bits) *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || !header_ok(&info->bmiHeader)) return nullptr;
    const BITMAPINFOHEADER &h = info->bmiHeader;
    auto *dib = new Dib{};
    dib->magic = DIB_MAGIC;
    dib->width = h.biWidth;
    dib->height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    dib->bottomup = h.biHeight > 0;
    dib->bpp = h.biBitCount;
    dib->stride = static_cast<int32_t>(dib_stride(dib->width, dib->bpp));
    dib->bits = static_cast<uint8_t *>(
        std::calloc(static_cast<size_t>(dib->stride) * static_cast<size_t>(dib->height), 1));
    if (!dib->bits) {
        delete dib;
        return nullptr;
    }
    if (bits) *bits = dib->bits;
    return reinterpret_cast<HBITMAP>(dib);
}

HDC CreateCompatibleDC(HDC) {
    return reinterpret_cast<HDC>(new Dc{DC_MAGIC, DC_MEMORY, nullptr, &stock_bitmap});
}

HGDIOBJ SelectObject(HDC context, HGDIOBJ object) {
    Dc *dc = as_dc(context);
    Dib *dib = as_dib(object);
    if (!dc || !dib || dc->kind != DC_MEMORY) return HGDI_ERROR;
    Dib *old = dc->selected;
    dc->selected = dib;
    return reinterpret_cast<HGDIOBJ>(old);
}

BOOL DeleteDC(HDC context) {
    Dc *dc = as_dc(context);
    if (!dc) return FALSE;
    dc->magic = 0;
    delete dc;
    return TRUE;
}

BOOL DeleteObject(HGDIOBJ object) {
    Dib *dib = as_dib(object);
    if (!dib || dib == &stock_bitmap) return FALSE;
    dib->magic = 0;
    std::free(dib->bits);
    delete dib;
    return TRUE;
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sx, int sy,
            DWORD rop) {
    Dc *dst = as_dc(destination);
    Dc *src = as_dc(source);
    if (!dst || !src || rop != SRCCOPY || src->kind != DC_MEMORY || width <= 0 || height <= 0)
        return FALSE;
    const Dib *from = src->selected;
    if (!from || !from->bits) return FALSE;
    SDL_Rect s{sx, sy, width, height}, d{x, y, width, height};
    if (!clip(&s, &d, from->width, from->height)) return TRUE;

    if (dst->kind == DC_WINDOW) {
        WinapiWindow *record = winapi_window(dst->window);
        if (!record) return FALSE;
        WinapiFrameInfo info{
            from->width, from->height, from->bottomup, from->bpp, from->stride, s, d};
        return winapi_frame_post(record, info, from->bits);
    }
    if (dst->kind == DC_SCREEN) return TRUE; // nothing of ours shows there
    Dib *to = dst->selected;
    if (!to || !to->bits || to->bpp != from->bpp) return FALSE;
    // Cut to the destination too.
    SDL_Rect back{d.x, d.y, d.w, d.h}, unused = s;
    if (!clip(&back, &unused, to->width, to->height)) return TRUE;
    s.x += back.x - d.x;
    s.y += back.y - d.y;
    int32_t bytes = from->bpp / 8;
    for (int32_t r = 0; r < back.h; r++) {
        std::memmove(dib_row(to, back.y + r) + static_cast<int64_t>(back.x) * bytes,
                     dib_row(from, s.y + r) + static_cast<int64_t>(s.x) * bytes,
                     static_cast<size_t>(back.w) * bytes);
    }
    return TRUE;
}

// The layer only stretches a whole bitmap onto its window; the UI thread scales it.
BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sx, int sy,
                int swidth, int sheight, DWORD rop) {
    Dc *dst = as_dc(destination);
    Dc *src = as_dc(source);
    if (!dst || !src || rop != SRCCOPY || src->kind != DC_MEMORY || dst->kind != DC_WINDOW ||
        width <= 0 || height <= 0)
        return FALSE;
    const Dib *from = src->selected;
    WinapiWindow *record = winapi_window(dst->window);
    if (!from || !from->bits || !record) return FALSE;
    SDL_Rect s{sx, sy, swidth, sheight};
    if (s.x < 0 || s.y < 0 || s.w <= 0 || s.h <= 0 || s.x + s.w > from->width ||
        s.y + s.h > from->height)
        return FALSE;
    WinapiFrameInfo info{from->width,
                         from->height,
                         from->bottomup,
                         from->bpp,
                         from->stride,
                         s,
                         SDL_Rect{x, y, width, height}};
    return winapi_frame_post(record, info, from->bits);
}

int SetStretchBltMode(HDC context, int) {
    return as_dc(context) ? COLORONCOLOR : 0;
}

HDRAWDIB DrawDibOpen() {
    static int token;
    return reinterpret_cast<HDRAWDIB>(&token);
}

BOOL DrawDibClose(HDRAWDIB handle) {
    return handle != nullptr;
}

BOOL DrawDibDraw(HDRAWDIB handle, HDC context, int xdst, int ydst, int dxdst, int dydst,
                 LPBITMAPINFOHEADER header, LPVOID bits, int xsrc, int ysrc, int dxsrc, int dysrc,
                 UINT) {
    Dc *dc = as_dc(context);
    // As on Windows, DrawDib refuses top-down bitmaps.
    if (!handle || !dc || !bits || !header_ok(header) || header->biHeight < 0 || dxdst <= 0 ||
        dydst <= 0)
        return FALSE;
    if (dc->kind != DC_WINDOW) return FALSE; // the layer only stretches onto its window
    WinapiWindow *record = winapi_window(dc->window);
    if (!record) return FALSE;
    int32_t w = header->biWidth;
    int32_t h = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    SDL_Rect s{xsrc, ysrc, dxsrc, dysrc};
    if (s.x < 0 || s.y < 0 || s.w <= 0 || s.h <= 0 || s.x + s.w > w || s.y + s.h > h) return FALSE;
    WinapiFrameInfo info{w,
                         h,
                         header->biHeight > 0,
                         header->biBitCount,
                         static_cast<int32_t>(dib_stride(w, header->biBitCount)),
                         s,
                         SDL_Rect{xdst, ydst, dxdst, dydst}};
    return winapi_frame_post(record, info, bits);
}
