// Input: the window's events turned into key and mouse counters that the game reads once per
// frame. Tests push their input into the same event queue.
#include <SDL.h>

#include <array>

#include "gfx/gfx.h"
#include "gfx/input_internal.h"
#include "gfx/window_internal.h"

namespace gfx {

namespace {

constexpr int KEY_COUNT = 256;
constexpr int BUTTON_COUNT = 4;   // 1 left, 2 right, 3 middle

struct InputState {
    std::array<int, KEY_COUNT> keyHits{};
    std::array<bool, KEY_COUNT> keysDown{};
    std::array<int, BUTTON_COUNT> mouseHits{};
    std::array<bool, BUTTON_COUNT> buttonsDown{};
    int mouseX = 0, mouseY = 0, mouseZ = 0;
    bool closeRequested = false;
    int injectedX = 0, injectedY = 0;   // where the test's pointer goes once its queue is taken in
};

InputState& In() {
    static InputState state;
    return state;
}

// The game's key codes and SDL's, both ways.
struct KeyName {
    int code;
    SDL_Keycode key;
};
constexpr KeyName NAMED_KEYS[] = {
    {8, SDLK_BACKSPACE}, {9, SDLK_TAB},      {13, SDLK_RETURN},   {13, SDLK_KP_ENTER}, {27, SDLK_ESCAPE},
    {32, SDLK_SPACE},    {33, SDLK_PAGEUP},  {34, SDLK_PAGEDOWN}, {35, SDLK_END},      {36, SDLK_HOME},
    {37, SDLK_LEFT},     {38, SDLK_UP},      {39, SDLK_RIGHT},    {40, SDLK_DOWN},     {45, SDLK_INSERT},
    {46, SDLK_DELETE},   {112, SDLK_F1},     {113, SDLK_F2},      {114, SDLK_F3},      {115, SDLK_F4},
    {116, SDLK_F5},      {117, SDLK_F6},     {118, SDLK_F7},      {119, SDLK_F8},      {120, SDLK_F9},
    {121, SDLK_F10},     {122, SDLK_F11},    {123, SDLK_F12},     {160, SDLK_LSHIFT},  {161, SDLK_RSHIFT},
    {162, SDLK_LCTRL},   {163, SDLK_RCTRL},  {164, SDLK_LALT},    {165, SDLK_RALT},
};

int GameKey(SDL_Keycode key) {
    if (key >= SDLK_0 && key <= SDLK_9) return 48 + (key - SDLK_0);
    if (key >= SDLK_a && key <= SDLK_z) return 65 + (key - SDLK_a);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 97 + (key - SDLK_KP_1);
    if (key == SDLK_KP_0) return 96;
    for (const KeyName& named : NAMED_KEYS)
        if (named.key == key) return named.code;
    return 0;
}

SDL_Keycode SdlKey(int code) {
    if (code >= 48 && code <= 57) return SDLK_0 + (code - 48);
    if (code >= 65 && code <= 90) return SDLK_a + (code - 65);
    if (code >= 97 && code <= 105) return SDLK_KP_1 + (code - 97);
    if (code == 96) return SDLK_KP_0;
    for (const KeyName& named : NAMED_KEYS)
        if (named.code == code) return named.key;
    return SDLK_UNKNOWN;
}

int GameButton(int sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
    }
}

int SdlButton(int button) {
    switch (button) {
    case 1: return SDL_BUTTON_LEFT;
    case 2: return SDL_BUTTON_RIGHT;
    case 3: return SDL_BUTTON_MIDDLE;
    default: return 0;
    }
}

void MovePointer(int windowX, int windowY) {
    const auto [x, y] = detail::WindowToGame(detail::CurrentGeometry(), windowX, windowY);
    In().mouseX = x;
    In().mouseY = y;
}

// Pressed, held and turned input is forgotten when the window loses or regains focus: presses
// meant for another program must not count, and releases there never arrive here.
void ForgetPresses() {
    InputState& in = In();
    in.keyHits.fill(0);
    in.keysDown.fill(false);
    in.mouseHits.fill(0);
    in.buttonsDown.fill(false);
    in.mouseZ = 0;
}

uint32_t WindowId() {
    SDL_Window* window = detail::Window();
    return window ? SDL_GetWindowID(window) : 0;
}

void Push(SDL_Event& event) {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
    SDL_PushEvent(&event);
}

}  // namespace

namespace detail {

void HandleEvent(const SDL_Event& e) {
    InputState& in = In();
    switch (e.type) {
    case SDL_QUIT:
        in.closeRequested = true;
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) in.closeRequested = true;
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST || e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
            ForgetPresses();
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const int code = GameKey(e.key.keysym.sym);
        if (code <= 0 || code >= KEY_COUNT) break;
        const bool down = e.type == SDL_KEYDOWN;
        if (down && !e.key.repeat) ++in.keyHits[code];
        in.keysDown[code] = down;
        break;
    }
    case SDL_MOUSEMOTION:
        MovePointer(e.motion.x, e.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const int button = GameButton(e.button.button);
        if (button == 0) break;
        const bool down = e.type == SDL_MOUSEBUTTONDOWN;
        if (down) ++in.mouseHits[button];
        in.buttonsDown[button] = down;
        break;
    }
    case SDL_MOUSEWHEEL:
        in.mouseZ += e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        break;
    default:
        break;
    }
}

void ResetInput() {
    ForgetPresses();
    In().closeRequested = false;
}

}  // namespace detail

int KeyHit(int key) {
    if (key <= 0 || key >= KEY_COUNT) return 0;
    const int hits = In().keyHits[key];
    In().keyHits[key] = 0;
    return hits;
}

bool KeyDown(int key) { return key > 0 && key < KEY_COUNT && In().keysDown[key]; }

int MouseHit(int button) {
    if (button <= 0 || button >= BUTTON_COUNT) return 0;
    const int hits = In().mouseHits[button];
    In().mouseHits[button] = 0;
    return hits;
}

bool MouseDown(int button) { return button > 0 && button < BUTTON_COUNT && In().buttonsDown[button]; }

int MouseX() { return In().mouseX; }
int MouseY() { return In().mouseY; }
int MouseZ() { return In().mouseZ; }

void FlushKeys() {
    In().keyHits.fill(0);
    In().keysDown.fill(false);
}

void FlushMouse() {
    In().mouseHits.fill(0);
    In().buttonsDown.fill(false);
    In().mouseZ = 0;
}

bool AppTerminate() {
    const bool requested = In().closeRequested;
    In().closeRequested = false;
    return requested;
}

void PumpEvents() {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) detail::HandleEvent(event);
}

void InjectMouseMove(int x, int y) {
    In().injectedX = x, In().injectedY = y;
    const auto [wx, wy] = detail::GameToWindow(detail::CurrentGeometry(), x, y);
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = WindowId();
    event.motion.x = wx;
    event.motion.y = wy;
    Push(event);
}

void InjectMouseButton(int button, bool down) {
    const auto [wx, wy] = detail::GameToWindow(detail::CurrentGeometry(), In().injectedX, In().injectedY);
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = WindowId();
    event.button.button = uint8_t(SdlButton(button));
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = wx;
    event.button.y = wy;
    Push(event);
}

void InjectMouseWheel(int steps) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = WindowId();
    event.wheel.y = steps;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    Push(event);
}

void InjectKey(int key, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = WindowId();
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = SdlKey(key);
    event.key.keysym.scancode = SDL_GetScancodeFromKey(event.key.keysym.sym);
    Push(event);
}

void InjectQuit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    Push(event);
}

void InjectFocus(bool gained) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = WindowId();
    event.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    Push(event);
}

}  // namespace gfx
