// Inside the drawing layer: the window, and how the game's frame sits in it.
#pragma once

#include <utility>

struct SDL_Window;

namespace gfx::detail {

// Sizes involved in showing the frame: the window in screen points, its drawable in pixels
// (larger on high-DPI screens) and the game's frame.
struct Geometry {
    int windowWidth = 0, windowHeight = 0;
    int drawableWidth = 0, drawableHeight = 0;
    int gameWidth = 0, gameHeight = 0;
};

// Where the frame is shown in the drawable: as large as fits with its aspect kept, centred,
// black bars on the remaining sides. Top-left origin.
struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;
};
Viewport FitFrame(const Geometry& g);

// A point of the window (screen points) as a game pixel, held inside the frame.
std::pair<int, int> WindowToGame(const Geometry& g, int x, int y);
// A game pixel as the window point that lies over its middle.
std::pair<int, int> GameToWindow(const Geometry& g, int x, int y);

SDL_Window* Window();        // none while no window is open
Geometry CurrentGeometry();

}  // namespace gfx::detail
