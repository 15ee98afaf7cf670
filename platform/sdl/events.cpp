#include "platform/sdl/events.h"

#include "platform/gdi/cp1252.h"
#include "platform/sdl/keys.h"

namespace {

// Desktop pixels back to the layer's, rounding towards minus infinity so that a point just left
// of or above a window stays outside it.
int unscale(int value, int scale) {
    return value >= 0 ? value / scale : -((-value + scale - 1) / scale);
}

void setModifiers(InputEvent *input, SDL_Keymod modifiers) {
    input->shift = (modifiers & KMOD_SHIFT) != 0;
    input->control = (modifiers & KMOD_CTRL) != 0;
    input->alt = (modifiers & KMOD_ALT) != 0;
}

// Next code point of a UTF-8 text; malformed bytes come out as U+FFFD one at a time.
uint32_t nextCodePoint(const unsigned char *&text) {
    unsigned char lead = *text++;
    if (lead < 0x80)
        return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0)
        return 0xFFFD;
    uint32_t value = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if ((*text & 0xC0) != 0x80)
            return 0xFFFD;
        value = (value << 6) | (*text++ & 0x3F);
    }
    return value;
}

} // namespace

int translateSdlEvent(const SDL_Event &event, HWND topLevel, int scale, SDL_Keymod modifiers,
                      InputEvent out[4]) {
    if (scale < 1)
        scale = 1;
    InputEvent input;
    input.topLevel = topLevel;
    switch (event.type) {
    case SDL_MOUSEMOTION:
        input.kind = InputEvent::MouseMove;
        input.x = unscale(event.motion.x, scale);
        input.y = unscale(event.motion.y, scale);
        setModifiers(&input, modifiers);
        out[0] = input;
        return 1;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (event.button.button != SDL_BUTTON_LEFT)
            return 0;
        input.kind =
            event.type == SDL_MOUSEBUTTONDOWN ? InputEvent::MouseDown : InputEvent::MouseUp;
        input.x = unscale(event.button.x, scale);
        input.y = unscale(event.button.y, scale);
        setModifiers(&input, modifiers);
        out[0] = input;
        return 1;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        input.kind = event.type == SDL_KEYDOWN ? InputEvent::KeyDown : InputEvent::KeyUp;
        input.key = virtualKeyForSdlKey(event.key.keysym.sym);
        if (input.key == 0)
            return 0;
        setModifiers(&input, SDL_Keymod(event.key.keysym.mod));
        out[0] = input;
        return 1;
    case SDL_TEXTINPUT: {
        int count = 0;
        const unsigned char *text = reinterpret_cast<const unsigned char *>(event.text.text);
        while (*text && count < 4) {
            uint32_t codePoint = nextCodePoint(text);
            if (codePoint < 0x20 || codePoint == 0x7F)
                continue;
            InputEvent character = input;
            character.kind = InputEvent::Character;
            character.character = unicodeToCp1252(codePoint);
            setModifiers(&character, modifiers);
            out[count++] = character;
        }
        return count;
    }
    case SDL_WINDOWEVENT:
        if (event.window.event != SDL_WINDOWEVENT_CLOSE)
            return 0;
        input.kind = InputEvent::CloseRequest;
        out[0] = input;
        return 1;
    default:
        return 0;
    }
}
