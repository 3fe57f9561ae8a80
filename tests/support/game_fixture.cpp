#include "tests/support/game_fixture.h"

#include "app/game.h"
#include "resources/resources.h"
#include "screens/screens.h"

void GameTest::SetUp() {
    static bool registered = false;
    if (!registered) {
        RegisterResources();
        registered = true;
    }
    drive::OpenWindow();
    ResetGameState();
    gfx::SetClsColor(0, 0, 0);
    gfx::SetBlend(gfx::MASKBLEND);
    gfx::SetAlpha(1);
    gfx::SetColor(255, 255, 255);
    gfx::SetScale(1, 1);
    gfx::SetMaskColor(255, 0, 255);
    gfx::FlushKeys();
    gfx::FlushMouse();
    G.Timer = gfx::CreateTimer(65);
    G.TIME = gfx::MilliSecs();
    LoadResourcesAndDefaults();
}

void GameTest::TearDown() {
    gfx::SetFrameHook(nullptr);
    ResetGameState();
}

gfx::Pixmap PatternPixmap(int width, int height, int seed) {
    gfx::Pixmap p = gfx::CreatePixmap(width, height, false);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int bx = x / 16, by = y / 16;
            const uint32_t r = (bx * 37 + seed * 71) % 200 + 40;
            const uint32_t g = (by * 53 + seed * 29) % 200 + 40;
            const uint32_t b = ((bx + by) * 19 + seed * 13) % 200 + 40;
            gfx::WritePixel(p, x, y, 0xFF000000u | r << 16 | g << 8 | b);
        }
    }
    return p;
}

void MakeCatalogue(int count, int width, int height) {
    G.MotivesList.clear();
    for (int i = 0; i < count; ++i) {
        TMotives& m = G.MotivesList.emplace_back();
        const gfx::Pixmap p = PatternPixmap(width, height, i + 1);
        m.ID = static_cast<uint16_t>(i);
        m.Filename = "Puzzle" + std::to_string(i) + ".jpg";
        m.Motiv = gfx::LoadImage(p, gfx::MASKEDIMAGE);
        m.Mirror = mirrorImage(m.Motiv);
        m.Motivwidth = float(width);
        m.Motivheight = float(height);
        m.widthfaktor = 512.0f / m.Motivwidth;
        m.heightfaktor = 512.0f / m.Motivheight;
        G.M = &m;
    }
    G.CountMotives = static_cast<uint16_t>(count);
}

void MakeBoard(int grid, const gfx::Image& picture) {
    G.MAP_X = G.MAP_Y = grid;
    G.IMGPuzzle = picture;
    MakeChosenBoard();
}
