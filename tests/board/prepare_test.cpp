// Cutting a picture into a solved board: geometry, identities and what the tiles hold.
#include <gtest/gtest.h>

#include "board/board.h"
#include "tests/board/board_pictures.h"
#include "tests/support/game_fixture.h"

using namespace gfx;
using boardtest::TileColour;
using boardtest::TilePicture;
using drive::RGB;
using drive::Show;

namespace {

using Prepare = GameTest;

RGB TilePixel(const Image& tile, int x, int y) {
    const uint32_t p = ReadPixel(LockImage(tile, 0, true, false), x, y);
    return {int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255)};
}

uint32_t TileAlpha(const Image& tile, int x, int y) {
    return ReadPixel(LockImage(tile, 0, true, false), x, y) >> 24;
}

// True when every pixel of the tile has colour c and is opaque.
bool Uniform(const Image& tile, RGB c) {
    const Pixmap& p = LockImage(tile, 0, true, false);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (ReadPixel(p, x, y) != (0xFF000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | uint32_t(c.b)))
                return false;
    return true;
}

TEST_F(Prepare, PlacesTheBoardForEveryGridSize) {
    const struct {
        int grid, tile, gap, pitch;
        float midX, midY;
    } cases[] = {
        {4, 128, 3, 131, 35.5f, 33.0f},  {5, 102, 3, 105, 34.0f, 31.5f}, {16, 32, 3, 35, 17.5f, 15.0f},
        {26, 19, 3, 22, 2.5f, 0.0f},     {27, 18, 3, 21, 1.0f, -1.5f},   {28, 18, 2, 20, 13.5f, 11.0f},
        {32, 16, 2, 18, 9.5f, 7.0f},
    };
    const Image picture = TilePicture(4);
    for (const auto& c : cases) {
        MakeBoard(c.grid, picture);
        SCOPED_TRACE("grid " + std::to_string(c.grid));
        EXPECT_EQ(G.PuzzleTileSize, c.tile);
        EXPECT_EQ(G.BetweenTile, c.gap);
        EXPECT_EQ(G.PuzzleTileSize + G.BetweenTile, c.pitch);
        EXPECT_FLOAT_EQ(G.AutoMidX, c.midX);
        EXPECT_FLOAT_EQ(G.AutoMidY, c.midY);
        EXPECT_EQ(ImageWidth(G.Puzzle(c.grid - 1, c.grid - 1)), c.tile);
        EXPECT_EQ(ImageHeight(G.Puzzle_Original(c.grid - 1, c.grid - 1)), c.tile);
        // The board stays left of the side panel.
        EXPECT_LT(G.AutoMidX + c.grid * c.pitch, 590.0f);
    }
}

TEST_F(Prepare, LeavesASolvedBoardWithIdentitiesRunningOnFromTheCounter) {
    G.Selection = 1;
    G.TileMoves = 7;
    MakeBoard(16, TilePicture(16));
    EXPECT_EQ(G.Selection, 0);
    EXPECT_EQ(G.TileMoves, 0);
    EXPECT_EQ(G.Puzzle_ID_Correct(0, 0), 0);
    EXPECT_EQ(G.Puzzle_ID_Correct(0, 1), 1) << "numbering runs down each column";
    EXPECT_EQ(G.Puzzle_ID_Correct(1, 0), 16);
    EXPECT_EQ(G.Puzzle_ID_Correct(15, 15), 255);
    EXPECT_EQ(G.ID, 256);
    EXPECT_EQ(G.Puzzle_ID_Now.cells, G.Puzzle_ID_Correct.cells);

    // A second board numbers on from where the counter stands.
    MakeBoard(4, TilePicture(4));
    EXPECT_EQ(G.Puzzle_ID_Correct(0, 0), 256);
    EXPECT_EQ(G.Puzzle_ID_Correct(3, 2), 256 + 3 * 4 + 2);
    EXPECT_EQ(G.ID, 272);
    EXPECT_EQ(G.Puzzle_ID_Now.cells, G.Puzzle_ID_Correct.cells);
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y) {
            EXPECT_NE(G.Puzzle(x, y), G.Puzzle_Original(x, y)) << "two separate images";
            EXPECT_TRUE(Uniform(G.Puzzle(x, y), TileColour(x, y))) << "cell " << x << "," << y;
            EXPECT_TRUE(Uniform(G.Puzzle_Original(x, y), TileColour(x, y))) << "cell " << x << "," << y;
        }
    }
}

TEST_F(Prepare, CutsFromTheSquareOfEachCell) {
    // 5 columns: tiles of 102 pixels, the last tile ending at 510.
    MakeBoard(5, TilePicture(5));
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 5; ++y)
            EXPECT_TRUE(Uniform(G.Puzzle(x, y), TileColour(x, y))) << "cell " << x << "," << y;
}

TEST_F(Prepare, ShowsTheClearColourWhereThePictureDoesNotReach) {
    const Pixmap small = PatternPixmap(400, 300, 3);
    MakeBoard(16, LoadImage(small, MASKEDIMAGE));
    const RGB grey{50, 50, 50};
    EXPECT_TRUE(Uniform(G.Puzzle(13, 0), grey)) << "right of x = 400";
    EXPECT_TRUE(Uniform(G.Puzzle(0, 10), grey)) << "below y = 300";
    EXPECT_TRUE(Uniform(G.Puzzle_Original(15, 15), grey));
    // Across the edges: picture, then grey.
    const uint32_t inside = ReadPixel(small, 12 * 32 + 15, 5);
    const RGB expected{int(inside >> 16 & 255), int(inside >> 8 & 255), int(inside & 255)};
    EXPECT_EQ(Show(TilePixel(G.Puzzle(12, 0), 15, 5)), Show(expected));
    EXPECT_EQ(Show(TilePixel(G.Puzzle(12, 0), 16, 5)), Show(grey));
    EXPECT_EQ(Show(TilePixel(G.Puzzle(0, 9), 3, 12)), Show(grey));
    EXPECT_NE(Show(TilePixel(G.Puzzle(0, 9), 3, 11)), Show(grey));
    // The grey tiles look alike but keep their own identities.
    EXPECT_NE(G.Puzzle_ID_Correct(13, 0), G.Puzzle_ID_Correct(14, 0));
}

TEST_F(Prepare, MaskColouredPixelsReachTheTilesAsOpaqueGrey) {
    Pixmap picture = PatternPixmap(512, 512, 5);
    for (int y = 32; y < 64; ++y)
        for (int x = 64; x < 96; ++x) WritePixel(picture, x, y, 0xFFFF00FFu);
    MakeBoard(16, LoadImage(picture, MASKEDIMAGE));
    EXPECT_TRUE(Uniform(G.Puzzle(2, 1), RGB{50, 50, 50}));
    EXPECT_EQ(TileAlpha(G.Puzzle(2, 1), 10, 10), 255u);
}

TEST_F(Prepare, ThePictureCutNeverReachesTheScreen) {
    MakeBoard(8, TilePicture(8));
    Flip(0);
    EXPECT_EQ(Show(drive::Pixel(100, 100)), Show(RGB{50, 50, 50}));
}

}  // namespace
