// Takes the README's screenshots: runs the real game off-screen on copies of the sample motives,
// plays it through injected clicks and keys, and saves the main menu, the selection screen and
// a board in play as PNG files.
//
// Usage: screenshots [sample motives folder] [output folder]
//        (defaults: "resources/Motives" and "docs", run from the source tree's root)
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <system_error>
#include <utility>

#include "app/game.h"
#include "app/state.h"
#include "gfx/gfx.h"
#include "screens/screens.h"

namespace fs = std::filesystem;

namespace {

// Thrown from the last frame to leave the game's screens.
struct Finished {};

fs::path OutputFolder;
bool Failed = false;

// Kept small for the README: a picture over the budget loses its lowest colour bits, one at a
// time, until it fits (the menu's plain greys stay exact; busy photos go down to 32 levels).
constexpr size_t kBudgetBytes = 400 * 1024;

gfx::Pixmap WithBits(gfx::Pixmap picture, int bits) {
    const int step = 1 << (8 - bits);
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        if (i % 4 != 3) picture.pixels[i] = uint8_t(std::min(255, (picture.pixels[i] + step / 2) / step * step));
    return picture;
}

std::vector<uint8_t> EncodeWithin(const gfx::Pixmap& shot, int& bits) {
    bits = 8;
    std::vector<uint8_t> png = gfx::EncodePNG(shot);
    while (png.size() > kBudgetBytes && bits > 4) {
        --bits;
        png = gfx::EncodePNG(WithBits(shot, bits));
    }
    return png;
}

void Save(const std::string& name) {
    const std::vector<uint32_t> argb = gfx::FramePixels();
    gfx::Pixmap shot = gfx::CreatePixmap(gfx::GraphicsWidth(), gfx::GraphicsHeight(), false);
    for (size_t i = 0; i < argb.size() && i * 4 < shot.pixels.size(); ++i) {
        shot.pixels[i * 4 + 0] = uint8_t(argb[i] >> 16);
        shot.pixels[i * 4 + 1] = uint8_t(argb[i] >> 8);
        shot.pixels[i * 4 + 2] = uint8_t(argb[i]);
        shot.pixels[i * 4 + 3] = 255;
    }
    int bits = 0;
    const std::vector<uint8_t> png = EncodeWithin(shot, bits);
    const fs::path path = OutputFolder / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    if (png.empty() || !out) {
        std::fprintf(stderr, "screenshots: cannot write %s\n", path.c_str());
        Failed = true;
    } else {
        std::printf("%s: %zu bytes, %d bits a colour\n", path.c_str(), png.size(), bits);
    }
}

void Click(int x, int y) {
    gfx::InjectMouseMove(x, y);
    gfx::InjectMouseButton(1, true);
    gfx::InjectMouseButton(1, false);
}

void Key(int key) {
    gfx::InjectKey(key, true);
    gfx::InjectKey(key, false);
}

// Screen position of the middle of cell (x, y).
std::pair<int, int> CellCentre(int x, int y) {
    const int pitch = G.PuzzleTileSize + G.BetweenTile;
    return {int(G.AutoMidX + x * pitch + G.PuzzleTileSize / 2),
            int(G.AutoMidY + y * pitch + G.PuzzleTileSize / 2)};
}

// Where the tile that belongs in cell (x, y) lies now.
std::pair<int, int> WhereIsTileOf(int x, int y) {
    const int32_t id = G.Puzzle_ID_Correct(x, y);
    for (int cx = 0; cx < G.MAP_X; ++cx)
        for (int cy = 0; cy < G.MAP_Y; ++cy)
            if (G.Puzzle_ID_Now(cx, cy) == id) return {cx, cy};
    return {x, y};
}

// The session, one call per frame shown. Returns false when it is over.
class Session {
public:
    bool Frame() {
        ++stageFrame_;
        switch (stage_) {
        case Stage::Menu: return MenuFrame();
        case Stage::Selection: return SelectionFrame();
        case Stage::Placing: return PlacingFrame();
        case Stage::Holding: return HoldingFrame();
        }
        return false;
    }

private:
    enum class Stage { Menu, Selection, Placing, Holding };

    // The credits have glided in; the pointer rests on "Spiel starten".
    bool MenuFrame() {
        if (stageFrame_ == 330) gfx::InjectMouseMove(430, 165);
        if (stageFrame_ == 332) {
            Save("menu.png");
            Click(430, 165);
            Next(Stage::Selection);
        }
        return true;
    }

    // One step to the next motive, the grid left at 16 x 16, then the picture is chosen.
    bool SelectionFrame() {
        if (stageFrame_ == 1) {
            Key(37);
            gfx::InjectMouseMove(690, 520);
        }
        if (stageFrame_ == 8) {
            Save("selection.png");
            Click(400, 200);
            Next(Stage::Placing);
        }
        return true;
    }

    // The player puts the first columns in place: pick up the tile that belongs in the next
    // cell, drop it there.
    bool PlacingFrame() {
        if (stageFrame_ == 1) return true;   // the first frame of play
        if (placed_ >= kPlaced) {
            Key(9);   // Tab twice, a frame apart: help level 2 marks the held tile's place
            gfx::AdvanceClock(4 * 60 * 1000 + 37 * 1000);
            Next(Stage::Holding);
            return true;
        }
        const int x = placed_ / G.MAP_Y, y = placed_ % G.MAP_Y;
        if (!holding_) {
            if (G.Puzzle_ID_Now(x, y) == G.Puzzle_ID_Correct(x, y)) {
                ++placed_;   // already right; on to the next cell in the same frame
                return PlacingFrame();
            }
            const auto [tx, ty] = WhereIsTileOf(x, y);
            const auto [px, py] = CellCentre(tx, ty);
            Click(px, py);
        } else {
            const auto [px, py] = CellCentre(x, y);
            Click(px, py);
            ++placed_;
        }
        holding_ = !holding_;
        return true;
    }

    // A tile in the pointer's hand, carried towards its marked place.
    bool HoldingFrame() {
        const int x = 11, y = 2;   // the cell whose tile is held
        if (stageFrame_ == 1) {
            Key(9);
            const auto [tx, ty] = WhereIsTileOf(x, y);
            const auto [px, py] = CellCentre(tx, ty);
            Click(px, py);
        }
        if (stageFrame_ == 2) {
            const auto [px, py] = CellCentre(x + 2, y + 1);
            gfx::InjectMouseMove(px + 10, py + 6);
        }
        if (stageFrame_ == 4) {
            if (G.Selection != 1 || G.Helpstate != 2) {
                std::fprintf(stderr, "screenshots: the game did not follow the session\n");
                Failed = true;
            }
            Save("play.png");
            return false;
        }
        return true;
    }

    void Next(Stage stage) {
        stage_ = stage;
        stageFrame_ = 0;
    }

    static constexpr int kPlaced = 16 * 5;   // the first five columns of a 16 x 16 board
    Stage stage_ = Stage::Menu;
    int stageFrame_ = 0;
    int placed_ = 0;
    bool holding_ = false;
};

// A scratch folder with copies of the samples: the game normalises the folder it reads.
fs::path ScratchMotives(const fs::path& samples) {
    const fs::path scratch = fs::temp_directory_path() / ("kachelzauber-shots-" + std::to_string(getpid()));
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    fs::copy(samples, scratch / "Motives", fs::copy_options::recursive);
    return scratch;
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path samples = fs::absolute(argc > 1 ? argv[1] : "resources/Motives");
    OutputFolder = fs::absolute(argc > 2 ? argv[2] : "docs");
    std::error_code error;
    fs::create_directories(OutputFolder, error);
    if (!fs::is_directory(samples)) {
        std::fprintf(stderr, "screenshots: no sample motives in %s\n", samples.c_str());
        return 1;
    }
    const fs::path scratch = ScratchMotives(samples);
    fs::current_path(scratch);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);

    int status = 0;
    try {
        StartUp();
        // From here the clock moves only frame by frame, so every run takes the same pictures.
        gfx::UseTestClock(true);
        gfx::SeedRnd(1);
        Session session;
        gfx::SetFrameHook([&session] {
            if (!session.Frame()) throw Finished{};
        });
        gfx::PumpEvents();
        Menu();
        PlayLoop();
        std::fprintf(stderr, "screenshots: the game ended before the last picture\n");
        status = 1;
    } catch (const Finished&) {
    } catch (const gfx::ProgramEnd&) {
        std::fprintf(stderr, "screenshots: the game ended before the last picture\n");
        status = 1;
    } catch (const gfx::GraphicsFailure& failure) {
        std::fprintf(stderr, "screenshots: no window: %s\n", failure.what());
        status = 1;
    }
    gfx::SetFrameHook(nullptr);
    gfx::CloseGraphics();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(scratch, error);
    return Failed ? 1 : status;
}
