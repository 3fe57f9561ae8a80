// The game's window: opening and closing it, showing the off-screen frame in it (scaled to fit,
// aspect kept), and reading the frame back for tests.
#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "gfx/gl_internal.h"
#include "gfx/input_internal.h"
#include "gfx/render_internal.h"
#include "gfx/window_internal.h"

namespace gfx {

namespace {

struct WindowState {
    std::string title;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    int width = 0, height = 0;   // the game's frame
    int swapInterval = -1;
    int lastDrawCalls = 0;
    std::function<void()> frameHook;
};

WindowState& W() {
    static WindowState* state = new WindowState;
    return *state;
}

[[noreturn]] void Fail(const std::string& what) {
    const std::string cause = SDL_GetError();
    CloseGraphics();
    throw GraphicsFailure(what + (cause.empty() ? "" : ": " + cause));
}

uint32_t ToArgb(const uint8_t* rgba) {
    return 0xFF000000u | uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2];
}

}  // namespace

namespace detail {

Viewport FitFrame(const Geometry& g) {
    if (g.drawableWidth <= 0 || g.drawableHeight <= 0 || g.gameWidth <= 0 || g.gameHeight <= 0) return {};
    const double scale = std::min(double(g.drawableWidth) / g.gameWidth, double(g.drawableHeight) / g.gameHeight);
    Viewport v;
    v.width = std::clamp(int(std::lround(g.gameWidth * scale)), 1, g.drawableWidth);
    v.height = std::clamp(int(std::lround(g.gameHeight * scale)), 1, g.drawableHeight);
    v.x = (g.drawableWidth - v.width) / 2;
    v.y = (g.drawableHeight - v.height) / 2;
    return v;
}

std::pair<int, int> WindowToGame(const Geometry& g, int x, int y) {
    const Viewport v = FitFrame(g);
    if (v.width == 0 || g.windowWidth <= 0 || g.windowHeight <= 0) return {0, 0};
    // The middle of the window point, in drawable pixels, then in game pixels.
    const double px = (x + 0.5) * g.drawableWidth / g.windowWidth;
    const double py = (y + 0.5) * g.drawableHeight / g.windowHeight;
    const int gx = int(std::floor((px - v.x) * g.gameWidth / v.width));
    const int gy = int(std::floor((py - v.y) * g.gameHeight / v.height));
    return {std::clamp(gx, 0, g.gameWidth - 1), std::clamp(gy, 0, g.gameHeight - 1)};
}

std::pair<int, int> GameToWindow(const Geometry& g, int x, int y) {
    const Viewport v = FitFrame(g);
    if (v.width == 0 || g.drawableWidth <= 0 || g.drawableHeight <= 0) return {0, 0};
    const double px = v.x + (x + 0.5) * v.width / g.gameWidth;
    const double py = v.y + (y + 0.5) * v.height / g.gameHeight;
    return {int(std::floor(px * g.windowWidth / g.drawableWidth)),
            int(std::floor(py * g.windowHeight / g.drawableHeight))};
}

SDL_Window* Window() { return W().window; }

Geometry CurrentGeometry() {
    Geometry g;
    if (!W().window) return g;
    SDL_GetWindowSize(W().window, &g.windowWidth, &g.windowHeight);
    SDL_GL_GetDrawableSize(W().window, &g.drawableWidth, &g.drawableHeight);
    g.gameWidth = W().width;
    g.gameHeight = W().height;
    return g;
}

}  // namespace detail

void AppTitle(const std::string& title) {
    W().title = title;
    if (W().window) SDL_SetWindowTitle(W().window, title.c_str());
}

void Graphics(int width, int height, int, int, int) {
    CloseGraphics();
    if (width <= 0 || height <= 0) throw GraphicsFailure("a window needs a size above zero");
    SDL_ClearError();
    // A click that brings the window to the front counts like any other: a player clicking a
    // button of a window in the background means that button.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Ctrl+C and a termination signal end the program as usual, on every screen; only the
    // window's close box goes through the game as a close request.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Unless a video driver is asked for by name, only a real display will do: SDL would
    // otherwise fall back to drawing off-screen, and the player would see nothing at all.
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (!SDL_WasInit(SDL_INIT_VIDEO) && (!asked || !*asked)) {
        std::string drivers;
        if (SDL_getenv("DISPLAY")) drivers = "x11";
        if (SDL_getenv("WAYLAND_DISPLAY")) drivers += drivers.empty() ? "wayland" : ",wayland";
        if (drivers.empty()) {
            SDL_ClearError();
            Fail("no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    }
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        Fail("no video system to open a window with");

    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);

    WindowState& w = W();
    w.window = SDL_CreateWindow(w.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!w.window) Fail("the window can't be opened");
    w.context = SDL_GL_CreateContext(w.window);
    if (!w.context) Fail("the window has no OpenGL");
    if (SDL_GL_MakeCurrent(w.window, w.context) != 0) Fail("the window's OpenGL can't be used");
    const std::string missing = gl::LoadFunctions();
    if (!missing.empty()) {
        SDL_SetError("missing %s", missing.c_str());
        Fail("the window's OpenGL is too old");
    }
    SDL_GL_SetSwapInterval(0);
    w.swapInterval = 0;
    SDL_StopTextInput();   // keys only; no text entry, no input method window
    w.width = width, w.height = height;
    try {
        detail::StartRenderer(width, height);
    } catch (const GraphicsFailure&) {
        CloseGraphics();
        throw;
    }
    detail::ResetDrawState();
    detail::ResetInput();
    SetImageFont(nullptr);
}

void CloseGraphics() {
    WindowState& w = W();
    if (w.context) {
        SDL_GL_MakeCurrent(w.window, w.context);
        detail::StopRenderer();
        SDL_GL_DeleteContext(w.context);
    }
    if (w.window) SDL_DestroyWindow(w.window);
    w.context = nullptr;
    w.window = nullptr;
    w.width = w.height = 0;
}

int GraphicsWidth() { return W().width; }
int GraphicsHeight() { return W().height; }

void HideMouse() { SDL_ShowCursor(SDL_DISABLE); }
void ShowMouse() { SDL_ShowCursor(SDL_ENABLE); }

void Flip(int sync) {
    WindowState& w = W();
    if (w.window) {
        const int interval = sync ? 1 : 0;
        if (interval != w.swapInterval) {
            SDL_GL_SetSwapInterval(interval);
            w.swapInterval = interval;
        }
        const detail::Geometry g = detail::CurrentGeometry();
        const detail::Viewport v = detail::FitFrame(g);
        detail::PresentFrame(v.x, v.y, v.width, v.height, g.drawableWidth, g.drawableHeight);
        SDL_GL_SwapWindow(w.window);
        detail::ResumeFrame();
        w.lastDrawCalls = detail::FinishFrameCount();
    }
    if (w.frameHook) {
        const std::function<void()> hook = w.frameHook;   // the hook may replace itself
        hook();
    }
    PumpEvents();
}

void End() { throw ProgramEnd{}; }

void SetFrameHook(std::function<void()> hook) { W().frameHook = std::move(hook); }

uint32_t FramePixel(int x, int y) {
    const std::vector<uint8_t>& frame = detail::FrameReadback();
    const int width = detail::FrameWidth(), height = detail::FrameHeight();
    if (frame.empty() || x < 0 || y < 0 || x >= width || y >= height) return 0;
    return ToArgb(&frame[(size_t(y) * width + x) * 4]);
}

std::vector<uint32_t> FramePixels() {
    const std::vector<uint8_t>& frame = detail::FrameReadback();
    std::vector<uint32_t> pixels(frame.size() / 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = ToArgb(&frame[i * 4]);
    return pixels;
}

int DrawCallCount() { return W().lastDrawCalls; }

}  // namespace gfx
