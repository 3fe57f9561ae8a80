// Pictures and board set-ups shared by the board and play tests: one plain colour per tile, so a
// pixel tells which tile a cell shows.
#pragma once

#include <algorithm>
#include <cstdint>

#include "app/state.h"
#include "tests/support/driver.h"

namespace boardtest {

// The colour of the tile that belongs in cell (x, y) of a TilePicture board.
inline drive::RGB TileColour(int x, int y) { return {40 + x * 6, 40 + y * 6, 160}; }

// A 512x512 picture in which the source square of every cell of the grid has its own colour.
inline gfx::Image TilePicture(int grid) {
    gfx::Pixmap p = gfx::CreatePixmap(512, 512, false);
    const int size = 512 / grid;
    for (int y = 0; y < 512; ++y) {
        for (int x = 0; x < 512; ++x) {
            const drive::RGB c = TileColour(std::min(x / size, grid - 1), std::min(y / size, grid - 1));
            gfx::WritePixel(p, x, y, 0xFF000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | uint32_t(c.b));
        }
    }
    return gfx::LoadImage(p, gfx::MASKEDIMAGE);
}

// Moves every tile one cell on in storage order, so that no tile is in its own cell.
inline void MisplaceEveryTile() {
    auto rotate = [](auto& cells) { std::rotate(cells.begin(), cells.begin() + 1, cells.end()); };
    rotate(G.Puzzle.cells);
    rotate(G.Puzzle_ID_Now.cells);
}

inline int Pitch() { return G.PuzzleTileSize + G.BetweenTile; }
// A screen point inside cell (x, y), `offset` pixels right of and below its top-left corner.
inline int CellX(int x, int offset) { return static_cast<int>(G.AutoMidX) + x * Pitch() + offset; }
inline int CellY(int y, int offset) { return static_cast<int>(G.AutoMidY) + y * Pitch() + offset; }

// Left end of the white text in a band of the side panel in the frame shown, or -1 when none.
inline int PanelTextLeft(int y0, int y1) {
    for (int x = 590; x < 800; ++x)
        for (int y = y0; y < y1; ++y)
            if (drive::Near(drive::Pixel(x, y), drive::RGB{255, 255, 255}, 40)) return x;
    return -1;
}

}  // namespace boardtest
