// SDL stand-in: the frame slot between the presenting thread and the window's UI thread.
#include "winapi/sdl_present.h"

#include <cstring>

BOOL winapi_frame_post(WinapiWindow *record, const WinapiFrameInfo &info, const void *pixels) {
    size_t bytes = static_cast<size_t>(info.stride) * static_cast<size_t>(info.height);
    {
        std::lock_guard<std::mutex> guard(record->frame_lock);
        // A window closed meanwhile takes nothing more.
        if (!record->ui.alive.load(std::memory_order_relaxed)) return FALSE;
        if (record->pending.size() != bytes) record->pending.resize(bytes);
        std::memcpy(record->pending.data(), pixels, bytes);
        record->pending_info = info;
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
    SDL_SetRenderDrawColor(record->renderer, 0, 0, 0, 255);
    SDL_RenderClear(record->renderer);
    const WinapiFrameInfo &f = record->shown_info;
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
        if (record->texture) {
            if (fresh) SDL_UpdateTexture(record->texture, nullptr, record->shown.data(), f.stride);
            // The texture holds the rows in memory order; a bottom-up image is flipped back.
            SDL_Rect src = f.src;
            if (f.bottomup) src.y = f.height - f.src.y - f.src.h;
            SDL_RenderCopyEx(record->renderer, record->texture, &src, &f.dst, 0.0, nullptr,
                             f.bottomup ? SDL_FLIP_VERTICAL : SDL_FLIP_NONE);
        }
    }
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
    std::lock_guard<std::mutex> guard(record->frame_lock);
    std::vector<uint8_t>().swap(record->pending);
    std::vector<uint8_t>().swap(record->shown);
    record->shown_seq = record->pending_seq = 0;
}
