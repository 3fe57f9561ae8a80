#include "tests/support/driver.h"

#include <cstdlib>

namespace drive {

void OpenWindow() {
    static bool open = false;
    if (!open) {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        gfx::Graphics(800, 600);
        open = true;
    }
    gfx::UseTestClock(true);
}

void MoveMouse(int x, int y) { gfx::InjectMouseMove(x, y); }
void Click(int x, int y) {
    gfx::InjectMouseMove(x, y);
    gfx::InjectMouseButton(1, true);
    gfx::InjectMouseButton(1, false);
}
void Press(int button) { gfx::InjectMouseButton(button, true); }
void Release(int button) { gfx::InjectMouseButton(button, false); }
void Key(int key) {
    gfx::InjectKey(key, true);
    gfx::InjectKey(key, false);
}
void Wheel(int steps) { gfx::InjectMouseWheel(steps); }
void Close() { gfx::InjectQuit(); }

Script& Script::then(std::function<void()> step) {
    steps_.push_back(std::move(step));
    return *this;
}

Script& Script::idle(int frames) {
    for (int i = 0; i < frames; ++i) steps_.push_back({});
    return *this;
}

Outcome Script::run(const std::function<void()>& screen, int graceFrames) {
    frames_ = 0;
    const int limit = static_cast<int>(steps_.size()) + graceFrames;
    gfx::SetFrameHook([&] {
        const int i = frames_++;
        if (i < static_cast<int>(steps_.size()) && steps_[i]) steps_[i]();
        if (frames_ >= limit) throw StopScreen{};
    });
    gfx::PumpEvents();  // input queued before the run reaches the first frame
    Outcome outcome = Outcome::Returned;
    try {
        screen();
    } catch (const gfx::ProgramEnd&) {
        outcome = Outcome::Ended;
    } catch (const StopScreen&) {
        outcome = Outcome::Stopped;
    }
    gfx::SetFrameHook(nullptr);
    return outcome;
}

RGB Pixel(int x, int y) {
    const uint32_t p = gfx::FramePixel(x, y);
    return {int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255)};
}

bool Near(RGB a, RGB b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

std::string Show(RGB c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

}  // namespace drive
