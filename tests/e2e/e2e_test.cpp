// The built game under an X server of the test's own, played through its window as a person
// would with xdotool: main menu, motive selection, a chosen board, a solve, and both ways out.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "gfx/gfx.h"

// Last: Xlib's macros would clash with the names above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct RGB {
    int r, g, b;
};

bool Near(RGB a, RGB b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

// The test's motive: 32-pixel blocks, each of its own colour, so every tile of a 4x4 to 16x16
// board can be told from every other.
RGB MotivePixel(int x, int y) {
    const int bx = x / 32, by = y / 32;
    return {30 + bx * 13, 30 + by * 13, 120 + (bx + by) % 4 * 30};
}

std::vector<uint8_t> MotivePNG() {
    gfx::Pixmap p = gfx::CreatePixmap(512, 512, false);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            const RGB c = MotivePixel(x, y);
            gfx::WritePixel(p, x, y, 0xFF000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b);
        }
    return gfx::EncodePNG(p);
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// One picture of the game window, 0xRRGGBB per pixel.
struct Shot {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    RGB at(int x, int y) const {
        const uint32_t p = pixels[size_t(y) * width + x];
        return {int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)};
    }
    // Pixels brighter than `above` in red, in the rectangle [x0, x1] x [y0, y1].
    int bright(int x0, int y0, int x1, int y1, int above = 200) const {
        int count = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (at(x, y).r > above) ++count;
        return count;
    }
};

//------------------------------------------------------------------------------------------------
// Child processes: the X server, the game, xdotool. Each runs with the test's display only.
//------------------------------------------------------------------------------------------------
std::vector<std::string> ChildEnvironment(const std::string& display) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.starts_with("DISPLAY=") || v.starts_with("XAUTHORITY=") ||
            v.starts_with("SDL_VIDEODRIVER=") || v.starts_with("WAYLAND_DISPLAY="))
            continue;
        env.push_back(v);
    }
    if (!display.empty()) env.push_back("DISPLAY=" + display);
    return env;
}

// Starts `args` with its output in `log` (or discarded); -1 when it can't be started.
pid_t Spawn(const std::vector<std::string>& args, const std::string& display,
            const std::string& log = "/dev/null") {
    std::vector<std::string> env = ChildEnvironment(display);
    std::vector<char*> argv, envp;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

// The child's exit status once it has ended within `seconds`; none if it still runs.
std::optional<int> WaitForExit(pid_t pid, double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (done < 0 || Clock::now() > deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void Stop(pid_t& pid, int signal) {
    if (pid <= 0) return;
    kill(pid, signal);
    if (!WaitForExit(pid, 5)) {
        kill(pid, SIGKILL);
        WaitForExit(pid, 5);
    }
    pid = -1;
}

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

// The game's own arrow with its tip at (x, y): white at the tip, grey two rows below it.
bool CursorAt(const Shot& s, int x, int y) {
    return Near(s.at(x + 1, y + 1), {255, 255, 255}, 3) &&
           Near(s.at(x + 1, y + 3), {155, 155, 155}, 3);
}

//------------------------------------------------------------------------------------------------
// The fixture: one Xvfb for all tests, a fresh folder with a copy of the game for each.
//------------------------------------------------------------------------------------------------
class GameWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // -displayfd lets the server pick a free display number and tell it to us.
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return;
        fcntl(fds[1], F_SETFD, 0);  // the server's end stays open across exec
        const std::string fd = std::to_string(fds[1]);
        xserver = Spawn({"Xvfb", "-displayfd", fd, "-screen", "0", "1024x768x24", "-nolisten",
                         "tcp", "-noreset"},
                        "");
        close(fds[1]);
        std::string number;
        pollfd waiting{fds[0], POLLIN, 0};
        while (xserver > 0 && poll(&waiting, 1, 10000) > 0) {
            char c;
            if (read(fds[0], &c, 1) != 1 || c == '\n') break;
            number += c;
        }
        close(fds[0]);
        if (number.empty()) return;
        display = ":" + number;
        XSetErrorHandler(IgnoreXErrors);
        x = XOpenDisplay(display.c_str());
    }

    static void TearDownTestSuite() {
        if (x) XCloseDisplay(x);
        x = nullptr;
        Stop(xserver, SIGTERM);
    }

    void SetUp() override {
        ASSERT_NE(x, nullptr) << "no X server: is Xvfb installed (make test installs it)?";
        std::string name = (fs::temp_directory_path() / "kachelzauber-e2e-XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        folder = name;
        fs::copy_file(KZ_GAME_PROGRAM, folder / "kachelzauber");
        fs::create_directory(folder / "Motives");
        WriteFile(folder / "Motives" / "PuzzleKacheln.png", MotivePNG());
    }

    void TearDown() override {
        Stop(game, SIGKILL);
        if (HasFailure())
            std::cerr << "Pictures and the game's output are kept in " << folder << "\n";
        else
            fs::remove_all(folder);
    }

    // Starts the copy from another working directory: the game finds Motives/ beside itself.
    void StartGame() {
        game = Spawn({(folder / "kachelzauber").string()}, display, (folder / "game.log").string());
        ASSERT_GT(game, 0);
    }

    std::string GameLog() const { return ReadText(folder / "game.log"); }

    Window FindGameWindow() {
        Window root = DefaultRootWindow(x), parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(x, root, &root, &parent, &children, &count)) return 0;
        Window found = 0;
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(x, children[i], &a)) continue;
            if (a.map_state != IsViewable || a.width != 800 || a.height != 600) continue;
            XTextProperty title;
            if (XGetWMName(x, children[i], &title) && title.value) {
                const std::string name(reinterpret_cast<char*>(title.value), title.nitems);
                if (name == "Kachelzauber") found = children[i];
                XFree(title.value);
            }
        }
        if (children) XFree(children);
        return found;
    }

    Shot Grab() {
        Shot shot;
        XImage* image = XGetImage(x, window, 0, 0, 800, 600, AllPlanes, ZPixmap);
        if (!image) return shot;
        shot.width = 800;
        shot.height = 600;
        shot.pixels.resize(800 * 600);
        const auto channel = [](unsigned long pixel, unsigned long mask) {
            if (!mask) return 0;
            int shift = 0;
            while (!(mask & 1)) {
                mask >>= 1;
                ++shift;
            }
            return int((pixel >> shift & mask) * 255 / mask);
        };
        for (int y = 0; y < 600; ++y)
            for (int px = 0; px < 800; ++px) {
                const unsigned long p = XGetPixel(image, px, y);
                shot.pixels[size_t(y) * 800 + px] = uint32_t(channel(p, image->red_mask)) << 16 |
                                                    uint32_t(channel(p, image->green_mask)) << 8 |
                                                    uint32_t(channel(p, image->blue_mask));
            }
        XDestroyImage(image);
        return shot;
    }

    void Save(const Shot& shot, const std::string& name) {
        if (shot.pixels.empty()) return;
        gfx::Pixmap p = gfx::CreatePixmap(shot.width, shot.height, false);
        for (int y = 0; y < shot.height; ++y)
            for (int px = 0; px < shot.width; ++px)
                gfx::WritePixel(p, px, y, 0xFF000000u | shot.pixels[size_t(y) * shot.width + px]);
        WriteFile(folder / (name + ".png"), gfx::EncodePNG(p));
    }

    // Polls the window until `seen` holds; on a timeout or an early exit of the game the test
    // fails, keeping the last picture beside the game.
    bool WaitFor(const std::string& what, const std::function<bool(const Shot&)>& seen,
                 double seconds = 30) {
        const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
        Shot last;
        while (Clock::now() < deadline) {
            if (auto status = WaitForExit(game, 0)) {
                game = -1;
                ADD_FAILURE() << "the game ended (status " << *status << ") while waiting for "
                              << what << "\n" << GameLog();
                return false;
            }
            if (!window) window = FindGameWindow();
            if (window) {
                last = Grab();
                if (!last.pixels.empty() && seen(last)) return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
        }
        Save(last, "timeout");
        ADD_FAILURE() << "timed out waiting for " << what << "\n" << GameLog();
        return false;
    }

    void Xdo(std::vector<std::string> args) {
        args.insert(args.begin(), "xdotool");
        const pid_t tool = Spawn(args, display);
        ASSERT_GT(tool, 0) << "xdotool is missing (make test installs it)";
        const auto status = WaitForExit(tool, 10);
        ASSERT_TRUE(status && *status == 0) << "xdotool " << args[1] << " failed";
    }
    // Positions are game pixels: the window shows the game at 800x600 unscaled. The move counts
    // once the game draws its cursor there; a click sent sooner could meet the window's focus
    // change, which drops the clicks counted so far.
    bool MoveTo(int px, int py) {
        Xdo({"mousemove", "--window", std::to_string(window), std::to_string(px),
             std::to_string(py)});
        return WaitFor("the pointer at " + std::to_string(px) + "," + std::to_string(py),
                       [&](const Shot& s) { return CursorAt(s, px, py); });
    }
    bool ClickAt(int px, int py) {
        if (!MoveTo(px, py)) return false;
        Xdo({"click", "1"});
        return true;
    }
    // What a window manager sends when the player closes the window.
    void RequestClose() {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(x, window, False, NoEventMask, &event);
        XFlush(x);
    }
    // Keys go to the window under the pointer, which is kept inside the game's window.
    void Key(const std::string& key) { Xdo({"key", key}); }

    static inline pid_t xserver = -1;
    static inline std::string display;
    static inline Display* x = nullptr;
    fs::path folder;
    pid_t game = -1;
    Window window = 0;
};

//------------------------------------------------------------------------------------------------
// What the screens show
//------------------------------------------------------------------------------------------------
const RGB kBackground{50, 50, 50};

// The two menu buttons are the same picture.
bool MenuShown(const Shot& s) {
    return Near(s.at(400, 185), s.at(400, 485), 2) && !Near(s.at(400, 185), kBackground, 4);
}

// The motive large in the middle of the selection screen, drawn at (144, 13).
bool SelectionShown(const Shot& s) {
    const std::pair<int, int> points[] = {{48, 48}, {300, 200}, {470, 400}, {100, 450}};
    for (const auto& [px, py] : points)
        if (!Near(s.at(144 + px, 13 + py), MotivePixel(px, py), 6)) return false;
    return true;
}

// The slider's knob for grids 4 and 5 begins at 190: its middle shows between the small arrows.
bool KnobAtFour(const Shot& s) { return Near(s.at(201, 488), {125, 125, 125}, 3); }

// Tile (column, row) of a 4x4 board shows the motive's square of that place: cells are 128
// pixels with a gap of 3, the board's corner at (35.5, 33).
bool TileInPlace(const Shot& s, int column, int row) {
    return Near(s.at(36 + column * 131 + 48, 33 + row * 131 + 48),
                MotivePixel(column * 128 + 48, row * 128 + 48), 6);
}

int TilesInPlace(const Shot& s) {
    int count = 0;
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) count += TileInPlace(s, c, r);
    return count;
}

bool PlayShown(const Shot& s) { return Near(s.at(592, 100), {100, 100, 100}, 2); }

// The banner stands at (650, 210) in place of "Korrekt platzierte: ", which began at 595.
bool SolvedWithBanner(const Shot& s) {
    return PlayShown(s) && TilesInPlace(s) == 16 && s.bright(650, 210, 795, 236) > 20 &&
           s.bright(597, 212, 645, 224) == 0;
}

// Three answer buttons side by side, no panel.
bool QuitQuestionShown(const Shot& s) {
    return Near(s.at(200, 385), s.at(410, 385), 2) && Near(s.at(200, 385), s.at(620, 385), 2) &&
           !Near(s.at(200, 385), kBackground, 4) && Near(s.at(795, 100), kBackground, 2);
}

//------------------------------------------------------------------------------------------------

TEST_F(GameWindow, APlayerChoosesAMotiveSolvesItAndQuitsWithTheConfirmation) {
    StartGame();
    ASSERT_TRUE(WaitFor("the main menu", MenuShown));

    ASSERT_TRUE(ClickAt(400, 150));  // "Spiel starten"
    ASSERT_TRUE(MoveTo(30, 300));    // off the picture, so it is not lit up
    ASSERT_TRUE(WaitFor("the motive selection", SelectionShown));

    ASSERT_TRUE(MoveTo(200, 500));  // drag the slider to its left end: 4 by 4
    Xdo({"mousedown", "1"});
    ASSERT_TRUE(WaitFor("the slider at 4", KnobAtFour));
    Xdo({"mouseup", "1"});
    Key("Return");
    ASSERT_TRUE(WaitFor("a shuffled 4x4 board", [](const Shot& s) {
        return PlayShown(s) && TilesInPlace(s) < 12;
    }));

    ASSERT_TRUE(ClickAt(695, 300));  // "Auflösen"
    ASSERT_TRUE(WaitFor("the solved picture and \"AUFGELÖST\"", SolvedWithBanner));

    ASSERT_TRUE(ClickAt(695, 550));  // "Beenden"
    ASSERT_TRUE(WaitFor("the quit question", QuitQuestionShown));
    ASSERT_TRUE(ClickAt(200, 350));  // "Ja, aufhören!"
    const auto status = WaitForExit(game, 20);
    ASSERT_TRUE(status.has_value()) << "the game did not end";
    game = -1;
    EXPECT_EQ(*status, 0) << GameLog();
}

TEST_F(GameWindow, EscapeInTheMainMenuEndsTheGameAfterTheFolderWasPrepared) {
    WriteFile(folder / "Motives" / "Blumen.png", MotivePNG());
    StartGame();
    ASSERT_TRUE(WaitFor("the main menu", MenuShown));
    ASSERT_TRUE(MoveTo(400, 300));
    Key("Escape");
    const auto status = WaitForExit(game, 20);
    ASSERT_TRUE(status.has_value()) << "the game did not end";
    game = -1;
    EXPECT_EQ(*status, 0) << GameLog();
    EXPECT_TRUE(fs::exists(folder / "Motives" / "PuzzleBlumen.png"));
    EXPECT_FALSE(fs::exists(folder / "Motives" / "Blumen.png"));
    EXPECT_TRUE(fs::exists(folder / "Motives" / "PuzzleKacheln.png"));
}

// The first menu has no board to go back to: closing the window there ends the game.
TEST_F(GameWindow, ClosingTheWindowInTheFirstMenuEndsTheGame) {
    StartGame();
    ASSERT_TRUE(WaitFor("the main menu", MenuShown));
    RequestClose();
    const auto status = WaitForExit(game, 20);
    ASSERT_TRUE(status.has_value()) << "the game did not end";
    game = -1;
    EXPECT_EQ(*status, 0) << GameLog();
}

}  // namespace
