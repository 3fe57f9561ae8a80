// The test driver: runs any screen loop of the game in-process on the real drawing layer
// (off-screen GL), frame by frame, on a test clock, with scripted input.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gfx/gfx.h"

namespace drive {

// Opens the off-screen 800x600 window (once per process) and switches to the test clock.
void OpenWindow();

// Input for the next frame, through the window's own event queue.
void MoveMouse(int x, int y);
void Click(int x, int y);          // move, press and release: one MouseHit
void Press(int button = 1);        // left button down (held)
void Release(int button = 1);
void Key(int key);                 // press and release
void Wheel(int steps);
void Close();                      // window close request

// Thrown by the script to leave the screen under test.
struct StopScreen {};

enum class Outcome { Returned, Ended, Stopped };

// A script of frames. Step i runs inside the Flip of frame i, after that frame is shown: it may
// check the frame's pixels and queue input that the next frame samples. Once the steps are
// used up the screen runs on for at most `graceFrames` more frames, then is stopped.
class Script {
public:
    Script& then(std::function<void()> step);       // one frame
    Script& idle(int frames);                       // frames without a step
    Outcome run(const std::function<void()>& screen, int graceFrames = 600);
    int framesShown() const { return frames_; }

private:
    std::vector<std::function<void()>> steps_;
    int frames_ = 0;
};

// Pixel helpers
struct RGB { int r, g, b; };
RGB Pixel(int x, int y);                            // the game's picture now
bool Near(RGB a, RGB b, int tolerance = 0);
std::string Show(RGB c);

}  // namespace drive
