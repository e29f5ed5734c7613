// SDL stand-in: the frame slot between the presenting thread and the window's UI thread.
#include "winapi/sdl_present.h"
#include "winapi/standin.h"

#include <algorithm>
#include <cstring>

BOOL winapi_frame_post(WinapiWindow *record, const WinapiFrameInfo &info, const void *pixels) {
    size_t row = static_cast<size_t>(info.stride);
    std::lock_guard<std::mutex> posting(record->post_lock);
    // A window closed meanwhile takes nothing more.
    if (!record->ui.alive.load(std::memory_order_acquire)) return FALSE;
    std::vector<uint8_t> &spare = record->spare;
    if (spare.size() != row * static_cast<size_t>(info.height))
        spare.resize(row * static_cast<size_t>(info.height));
    // Only the rows shown, stored from the top, so the UI thread draws them without a flip.
    int32_t first = std::max(info.src.y, 0);
    int32_t end = std::min(info.src.y + info.src.h, info.height);
    const auto *from = static_cast<const uint8_t *>(pixels);
    for (int32_t y = first; y < end; y++) {
        int32_t m = info.bottomup ? info.height - 1 - y : y;
        std::memcpy(spare.data() + static_cast<size_t>(y) * row,
                    from + static_cast<size_t>(m) * row, row);
    }
    {
        std::lock_guard<std::mutex> guard(record->frame_lock);
        if (!record->ui.alive.load(std::memory_order_relaxed)) return FALSE;
        record->pending.swap(spare);
        record->pending_info = info;
        record->pending_info.bottomup = 0;
        record->pending_seq++;
    }
    winapi_ui_wake();
    return TRUE;
}

static uint32_t texture_format(int32_t bpp) {
    switch (bpp) {
    case 16:
        return SDL_PIXELFORMAT_RGB555;
    case 24:
        return SDL_PIXELFORMAT_BGR24;
    default:
        return SDL_PIXELFORMAT_RGB888; // the top byte is ignored, as bitmap sections do
    }
}

void winapi_paint(WinapiWindow *record) {
    record->needs_paint = false;
    if (!record->renderer) return;
    bool fresh = false;
    {
        std::lock_guard<std::mutex> guard(record->frame_lock);
        if (record->pending_seq != record->shown_seq) {
            record->shown.swap(record->pending);
            record->shown_info = record->pending_info;
            record->shown_seq = record->pending_seq;
            fresh = true;
        }
    }
    const WinapiFrameInfo &f = record->shown_info;
    SDL_Texture *texture = nullptr;
    if (record->shown_seq != 0 && !record->shown.empty()) {
        uint32_t format = texture_format(f.bpp);
        if (!record->texture || record->tex_w != f.width || record->tex_h != f.height ||
            record->tex_format != format) {
            if (record->texture) SDL_DestroyTexture(record->texture);
            record->texture = SDL_CreateTexture(record->renderer, format,
                                                SDL_TEXTUREACCESS_STREAMING, f.width, f.height);
            record->tex_w = f.width;
            record->tex_h = f.height;
            record->tex_format = format;
            fresh = true;
        }
        texture = record->texture;
        if (texture && fresh) SDL_UpdateTexture(texture, nullptr, record->shown.data(), f.stride);
    }
    // A picture over the whole client area leaves nothing to clear.
    int out_w = 0, out_h = 0;
    SDL_GetRendererOutputSize(record->renderer, &out_w, &out_h);
    if (!texture || f.dst.x > 0 || f.dst.y > 0 || f.dst.x + f.dst.w < out_w ||
        f.dst.y + f.dst.h < out_h) {
        SDL_SetRenderDrawColor(record->renderer, 0, 0, 0, 255);
        SDL_RenderClear(record->renderer);
    }
    // The slot holds the rows from the top: drawn upright as they are.
    if (texture) SDL_RenderCopy(record->renderer, texture, &f.src, &f.dst);
    SDL_RenderPresent(record->renderer);
}

void winapi_paint_windows() {
    for (int i = 0; i < WINAPI_MAX_WINDOWS; i++) {
        WinapiWindow *record = winapi_window_at(i);
        if (!winapi_alive(record) || !record->sdl || !winapi_ui_on_owner(&record->ui)) continue;
        bool fresh;
        {
            std::lock_guard<std::mutex> guard(record->frame_lock);
            fresh = record->pending_seq != record->shown_seq;
        }
        if (fresh || record->needs_paint) winapi_paint(record);
    }
}

void winapi_release_window_video(WinapiWindow *record) {
    if (record->texture) SDL_DestroyTexture(record->texture);
    if (record->renderer) SDL_DestroyRenderer(record->renderer);
    if (record->sdl) SDL_DestroyWindow(record->sdl);
    record->texture = nullptr;
    record->renderer = nullptr;
    record->sdl = nullptr;
    // An unfinished present from another thread completes first; it then finds the window gone.
    std::lock_guard<std::mutex> posting(record->post_lock);
    std::lock_guard<std::mutex> guard(record->frame_lock);
    std::vector<uint8_t>().swap(record->spare);
    std::vector<uint8_t>().swap(record->pending);
    std::vector<uint8_t>().swap(record->shown);
    record->shown_seq = record->pending_seq = 0;
}

uint32_t winapi_client_pixel(HWND window, int x, int y) {
    WinapiWindow *record = winapi_window(window);
    uint32_t pixel = 0;
    SDL_Rect r = {x, y, 1, 1};
    if (record && record->renderer)
        SDL_RenderReadPixels(record->renderer, &r, SDL_PIXELFORMAT_RGB888, &pixel, 4);
    return pixel & 0xFFFFFF;
}
