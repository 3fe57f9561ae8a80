// Start-up and the play loop: resources, windows, motive folder, catalogue, then play.
#include "app/game.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/frame.h"
#include "app/state.h"
#include "board/board.h"
#include "motives/catalogue.h"
#include "play/play.h"
#include "resources/resources.h"
#include "screens/screens.h"

using namespace gfx;

namespace {

// "Motives/" lies beside the program, wherever the game is started from.
void EnterProgramFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) std::filesystem::current_path(exe.parent_path(), error);
}

}  // namespace

void StartUp() {
    RegisterResources();
    AppTitle("Kachelzauber");
    Graphics(480, 320, 0, 60, 0);
    NormaliseMotiveFolder();
    Graphics(800, 600, 0, 60, 0);
    HideMouse();
    G.MAP_Y = G.MAP_X;
    G.PuzzleTileSize = 512 / G.MAP_X;
    if (G.MAP_X > 27) G.BetweenTile = 2;
    G.TIME = MilliSecs();
    G.Timer = CreateTimer(65);
    G.AllTiles = G.MAP_X * G.MAP_Y;
    SetMaskColor(255, 0, 255);
    G.MotivesList.clear();
    // After the game window opened: making reflections draws into its back buffer.
    BuildMotiveCatalogue();
    LoadResourcesAndDefaults();
}

void LoadResourcesAndDefaults() {
    G.IMGButton = LoadImage("incbin::Archive\\Buttonunbeschriftet.png", DEFAULTFLAGS);
    G.IMGCursor = LoadImage("incbin::Cursor.bmp", MASKEDIMAGE);
    G.ButtonL = LoadImage("incbin::Archive\\ButtonL.png", DEFAULTFLAGS);
    G.ButtonR = LoadImage("incbin::Archive\\ButtonR.png", DEFAULTFLAGS);
    G.ButtonLMirror = mirrorImage(G.ButtonL);
    G.ButtonRMirror = mirrorImage(G.ButtonR);
    G.FArial30 = LoadImageFont("incbin::Fonts\\CONTF___.ttf", 30, 4);
    G.FArial20 = LoadImageFont("incbin::Fonts\\CONTF___.ttf", 20, 4);
    SetImageFont(G.FArial30);
    SeedRnd(MilliSecs());
    // Until here the clear colour was black, so reflections of transparent parts show black.
    SetClsColor(50, 50, 50);
    SetBlend(ALPHABLEND);
}

bool PlayFrame() {
    Cls();
    if (KeyHit(9)) {
        G.Helpstate = G.Helpstate + 1;
        if (G.Helpstate > 2) G.Helpstate = 0;
    }
    SetColor(100, 100, 100);
    DrawRect(590, 0, 210, 600);
    SetColor(255, 255, 255);
    SetScale(G.Previewwidthfaktor, G.Previewheightfaktor);
    DrawImage(G.IMGPuzzle, 595, 5, 0);
    SetScale(1, 1);
    UserInput();
    DrawPuzzle();
    FPS();
    Buttons();
    Mouse(0);
    Flip(0);
    WaitTimer(G.Timer);
    if (KeyHit(27)) return false;
    if (AppTerminate()) return false;
    return true;
}

void PlayLoop() {
    while (PlayFrame()) {
    }
}

int RunGame() {
    EnterProgramFolder();
    try {
        StartUp();
        Menu();
        // A close request in the very first menu leaves no board to play.
        if (!BoardMatchesGrid()) End();
        DebugLog("Game started");
        SetScale(1, 1);
        PlayLoop();
        End();
    } catch (const ProgramEnd&) {
        CloseGraphics();
        return 0;
    } catch (const GraphicsFailure& failure) {
        std::fprintf(stderr,
                     "kachelzauber: cannot open a window: %s (start it on a desktop or under an X "
                     "server, or set SDL_VIDEODRIVER=offscreen)\n",
                     failure.what());
        return 1;
    }
}
