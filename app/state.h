// The one game state every screen reads and writes: grid, board, progress, held tile, the
// frame's input sample, clock, catalogue and resources. Byte and Short values are uint8_t and
// uint16_t, so arithmetic stored into them wraps at their width.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "gfx/gfx.h"
#include "motives/motive.h"

// A board array [columns, rows], indexed (x, y) with the row varying fastest: element (x, y)
// sits at x * rows + y. Indices are not checked; callers stay inside the grid.
template <typename T>
struct Grid {
    int columns = 0;
    int rows = 0;
    std::vector<T> cells;

    Grid() = default;
    Grid(int c, int r) : columns(c), rows(r), cells(static_cast<size_t>(c) * r) {}
    T& operator()(int x, int y) { return cells[static_cast<size_t>(x) * rows + y]; }
    const T& operator()(int x, int y) const { return cells[static_cast<size_t>(x) * rows + y]; }
    bool empty() const { return cells.empty(); }
};

struct GameState {
    // Grid and geometry
    int MAP_X = 16;
    int MAP_Y = 16;
    uint16_t PuzzleTileSize = 32;
    uint8_t BetweenTile = 3;
    float AutoMidX = 0.0f;
    float AutoMidY = 0.0f;
    uint16_t AllTiles = 256;

    // Board
    Grid<gfx::Image> Puzzle;
    Grid<int32_t> Puzzle_ID_Now;
    Grid<int32_t> Puzzle_ID_Correct;
    Grid<gfx::Image> Puzzle_Original;
    gfx::Image IMGPuzzle;
    int32_t ID = 0;

    // Progress of the current game
    uint16_t CorrectTiles = 0;
    uint16_t TileMoves = 0;
    uint8_t WINMODE = 0;  // 0 play, 1 won, 2 solved on request, 3 solve requested, 4 reshuffle requested
    int32_t GameSecs = 0;
    std::string GameTime;
    uint8_t Helpstate = 0;

    // The held tile
    uint8_t Selection = 0;
    int32_t ChangeX_old = 0;
    int32_t ChangeY_old = 0;
    int32_t ChangeID = -1;
    gfx::Image PXMCursor;

    // Mouse sample of the frame
    int32_t MX = 0;
    int32_t MY = 0;
    uint8_t MOUSE1HIT = 0;
    int32_t MOUSESCROLL = 0;
    int32_t MZSpeedOld = 0;

    // Clock and frame counter
    int32_t TIME = 0;
    gfx::Timer Timer;
    uint8_t DEBUG = 0;
    int32_t FPSTime = 0;
    uint16_t FPSCounter = 0;
    uint16_t FPSDraw = 0;

    // Motive catalogue
    std::list<TMotives> MotivesList;
    uint16_t CountMotives = 0;
    TMotives* M = nullptr;

    // Resources
    gfx::Image IMGButton;
    gfx::Image IMGCursor;
    gfx::Image ButtonL;
    gfx::Image ButtonR;
    gfx::Image ButtonLMirror;
    gfx::Image ButtonRMirror;
    gfx::ImageFont FArial30;
    gfx::ImageFont FArial20;
    float Previewwidthfaktor = 0.39f;
    float Previewheightfaktor = 0.39f;
};

extern GameState G;

// Back to the values the program starts with (tests use it between cases).
void ResetGameState();

// True when a board exists and its arrays have the grid's own dimensions: the only board that
// may be drawn, shuffled or played.
bool BoardMatchesGrid();
