// SDL stand-in: SDL keys to virtual-key codes. Letters and punctuation follow the keyboard
// layout, as Windows' codes do; every other key is known by its place on the keyboard.
#include "winapi/sdl_events.h"
#include "winapi/user.h"

namespace {
struct CharKey {
    SDL_Keycode sym;
    UINT vk;
};
// The punctuation keys by the character the layout gives them (US meanings; '!' is the
// French layout's own key).
const CharKey punctuation[] = {{';', VK_OEM_1},     {'=', VK_OEM_PLUS},  {'+', VK_OEM_PLUS},
                               {',', VK_OEM_COMMA}, {'-', VK_OEM_MINUS}, {'.', VK_OEM_PERIOD},
                               {'/', VK_OEM_2},     {'`', VK_OEM_3},     {'[', VK_OEM_4},
                               {'\\', VK_OEM_5},    {']', VK_OEM_6},     {'\'', VK_OEM_7},
                               {'!', VK_OEM_8}};

struct PlaceKey {
    SDL_Scancode scancode;
    UINT vk;
};
const PlaceKey places[] = {{SDL_SCANCODE_RETURN, VK_RETURN},
                           {SDL_SCANCODE_ESCAPE, VK_ESCAPE},
                           {SDL_SCANCODE_BACKSPACE, VK_BACK},
                           {SDL_SCANCODE_TAB, VK_TAB},
                           {SDL_SCANCODE_SPACE, VK_SPACE},
                           {SDL_SCANCODE_MINUS, VK_OEM_MINUS},
                           {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},
                           {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},
                           {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6},
                           {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
                           {SDL_SCANCODE_NONUSHASH, VK_OEM_5},
                           {SDL_SCANCODE_SEMICOLON, VK_OEM_1},
                           {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},
                           {SDL_SCANCODE_GRAVE, VK_OEM_3},
                           {SDL_SCANCODE_COMMA, VK_OEM_COMMA},
                           {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
                           {SDL_SCANCODE_SLASH, VK_OEM_2},
                           {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL},
                           {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT},
                           {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL},
                           {SDL_SCANCODE_PAUSE, VK_PAUSE},
                           {SDL_SCANCODE_INSERT, VK_INSERT},
                           {SDL_SCANCODE_HOME, VK_HOME},
                           {SDL_SCANCODE_PAGEUP, VK_PRIOR},
                           {SDL_SCANCODE_DELETE, VK_DELETE},
                           {SDL_SCANCODE_END, VK_END},
                           {SDL_SCANCODE_PAGEDOWN, VK_NEXT},
                           {SDL_SCANCODE_RIGHT, VK_RIGHT},
                           {SDL_SCANCODE_LEFT, VK_LEFT},
                           {SDL_SCANCODE_DOWN, VK_DOWN},
                           {SDL_SCANCODE_UP, VK_UP},
                           {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK},
                           {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE},
                           {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY},
                           {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT},
                           {SDL_SCANCODE_KP_PLUS, VK_ADD},
                           {SDL_SCANCODE_KP_ENTER, VK_RETURN},
                           {SDL_SCANCODE_KP_COMMA, VK_SEPARATOR},
                           {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102},
                           {SDL_SCANCODE_APPLICATION, VK_APPS},
                           {SDL_SCANCODE_MENU, VK_APPS},
                           {SDL_SCANCODE_EXECUTE, VK_EXECUTE},
                           {SDL_SCANCODE_HELP, VK_HELP},
                           {SDL_SCANCODE_SELECT, VK_SELECT},
                           {SDL_SCANCODE_CLEAR, VK_CLEAR},
                           {SDL_SCANCODE_LCTRL, VK_CONTROL},
                           {SDL_SCANCODE_RCTRL, VK_CONTROL},
                           {SDL_SCANCODE_LSHIFT, VK_SHIFT},
                           {SDL_SCANCODE_RSHIFT, VK_SHIFT},
                           {SDL_SCANCODE_LALT, VK_MENU},
                           {SDL_SCANCODE_RALT, VK_MENU},
                           {SDL_SCANCODE_LGUI, VK_LWIN},
                           {SDL_SCANCODE_RGUI, VK_RWIN},
                           {SDL_SCANCODE_MUTE, VK_VOLUME_MUTE},
                           {SDL_SCANCODE_AUDIOMUTE, VK_VOLUME_MUTE},
                           {SDL_SCANCODE_VOLUMEDOWN, VK_VOLUME_DOWN},
                           {SDL_SCANCODE_VOLUMEUP, VK_VOLUME_UP},
                           {SDL_SCANCODE_AUDIONEXT, VK_MEDIA_NEXT_TRACK},
                           {SDL_SCANCODE_AUDIOPREV, VK_MEDIA_PREV_TRACK},
                           {SDL_SCANCODE_AUDIOSTOP, VK_MEDIA_STOP},
                           {SDL_SCANCODE_AUDIOPLAY, VK_MEDIA_PLAY_PAUSE},
                           {SDL_SCANCODE_MEDIASELECT, VK_LAUNCH_MEDIA_SELECT},
                           {SDL_SCANCODE_MAIL, VK_LAUNCH_MAIL},
                           {SDL_SCANCODE_COMPUTER, VK_LAUNCH_APP1},
                           {SDL_SCANCODE_CALCULATOR, VK_LAUNCH_APP2},
                           {SDL_SCANCODE_WWW, VK_BROWSER_HOME},
                           {SDL_SCANCODE_AC_HOME, VK_BROWSER_HOME},
                           {SDL_SCANCODE_AC_SEARCH, VK_BROWSER_SEARCH},
                           {SDL_SCANCODE_AC_BACK, VK_BROWSER_BACK},
                           {SDL_SCANCODE_AC_FORWARD, VK_BROWSER_FORWARD},
                           {SDL_SCANCODE_AC_STOP, VK_BROWSER_STOP},
                           {SDL_SCANCODE_STOP, VK_BROWSER_STOP},
                           {SDL_SCANCODE_AC_REFRESH, VK_BROWSER_REFRESH},
                           {SDL_SCANCODE_AC_BOOKMARKS, VK_BROWSER_FAVORITES},
                           {SDL_SCANCODE_SLEEP, VK_SLEEP}};

// Keypad 1-9, 0 and the point: with Num Lock off they are the navigation keys beside them.
const UINT keypad_navigation[11] = {VK_END,  VK_DOWN, VK_NEXT,  VK_LEFT,   VK_CLEAR, VK_RIGHT,
                                    VK_HOME, VK_UP,   VK_PRIOR, VK_INSERT, VK_DELETE};
const UINT keypad_numbers[11] = {0x61, 0x62, 0x63, 0x64,       0x65,      0x66,
                                 0x67, 0x68, 0x69, VK_NUMPAD0, VK_DECIMAL};
} // namespace

UINT winapi_virtual_key(const SDL_Keysym &key) {
    SDL_Keycode sym = key.sym;
    if (sym >= SDLK_a && sym <= SDLK_z) return static_cast<UINT>('A' + (sym - SDLK_a));
    if (sym >= SDLK_0 && sym <= SDLK_9) return static_cast<UINT>('0' + (sym - SDLK_0));
    for (const CharKey &c : punctuation)
        if (c.sym == sym) return c.vk;

    // Events made by a program may name the key only; take its place from the keymap.
    SDL_Scancode code = key.scancode ? key.scancode : SDL_GetScancodeFromKey(sym);
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z)
        return static_cast<UINT>('A' + (code - SDL_SCANCODE_A));
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9)
        return static_cast<UINT>('1' + (code - SDL_SCANCODE_1));
    if (code == SDL_SCANCODE_0) return '0';
    if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12)
        return static_cast<UINT>(VK_F1 + (code - SDL_SCANCODE_F1));
    if (code >= SDL_SCANCODE_F13 && code <= SDL_SCANCODE_F24)
        return static_cast<UINT>(VK_F13 + (code - SDL_SCANCODE_F13));
    if (code >= SDL_SCANCODE_KP_1 && code <= SDL_SCANCODE_KP_PERIOD) {
        int i = code - SDL_SCANCODE_KP_1;
        return (key.mod & KMOD_NUM) ? keypad_numbers[i] : keypad_navigation[i];
    }
    for (const PlaceKey &p : places)
        if (p.scancode == code) return p.vk;
    return 0;
}
