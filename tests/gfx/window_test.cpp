// The window: how the frame is fitted into a window of any size and the pointer mapped back, the
// frame hook inside Flip, and the failure when no window can be opened.
#include <cstdlib>

#include "gfx/window_internal.h"
#include "tests/gfx/layer_fixture.h"

using namespace gfx;
using gfx::detail::Geometry;
using gfx::detail::Viewport;

namespace {

TEST(Letterbox, TheFrameFillsAsMuchAsFitsWithItsAspectKept) {
    const struct {
        int drawableWidth, drawableHeight;
        Viewport expected;
    } cases[] = {
        {800, 600, {0, 0, 800, 600}},
        {1600, 1200, {0, 0, 1600, 1200}},
        {1000, 600, {100, 0, 800, 600}},
        {800, 700, {0, 50, 800, 600}},
        {1920, 1080, {240, 0, 1440, 1080}},
        {400, 300, {0, 0, 400, 300}},
        {801, 600, {0, 0, 800, 600}},
        {0, 0, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const Viewport v = detail::FitFrame({c.drawableWidth, c.drawableHeight, c.drawableWidth, c.drawableHeight, 800, 600});
        EXPECT_EQ((std::vector<int>{v.x, v.y, v.width, v.height}),
                  (std::vector<int>{c.expected.x, c.expected.y, c.expected.width, c.expected.height}))
            << c.drawableWidth << "x" << c.drawableHeight;
    }
}

TEST(Letterbox, ThePointerIsMappedToGamePixelsAndHeldInsideTheFrame) {
    const Geometry plain{800, 600, 800, 600, 800, 600};
    const Geometry highDpi{800, 600, 1600, 1200, 800, 600};
    const Geometry wide{1000, 600, 1000, 600, 800, 600};
    const Geometry doubled{1600, 1200, 1600, 1200, 800, 600};
    const struct {
        const char* what;
        Geometry g;
        int x, y, gameX, gameY;
    } cases[] = {
        {"same size", plain, 10, 20, 10, 20},
        {"high-DPI", highDpi, 10, 20, 10, 20},
        {"high-DPI corner", highDpi, 799, 599, 799, 599},
        {"bars beside", wide, 100, 0, 0, 0},
        {"bars beside, right edge", wide, 899, 599, 799, 599},
        {"in the left bar", wide, 50, 300, 0, 300},
        {"in the right bar", wide, 950, 300, 799, 300},
        {"outside the window", plain, -5, 700, 0, 599},
        {"twice the size", doubled, 21, 41, 10, 20},
    };
    for (const auto& c : cases) {
        const auto [gx, gy] = detail::WindowToGame(c.g, c.x, c.y);
        EXPECT_EQ(gx, c.gameX) << c.what;
        EXPECT_EQ(gy, c.gameY) << c.what;
    }
    // Every game pixel has a window point that maps back to it when the frame is not shrunk.
    for (const Geometry& g : {plain, highDpi, wide, doubled})
        for (int x = 0; x < 800; x += 7) {
            const auto [wx, wy] = detail::GameToWindow(g, x, 599 - x % 600);
            EXPECT_EQ(detail::WindowToGame(g, wx, wy), std::make_pair(x, 599 - x % 600));
        }
}

using Frame = Layer;

TEST_F(Frame, TheHookSeesTheFrameJustShownBeforeItsInputIsTakenIn) {
    SetColor(0, 200, 0);
    DrawRect(0, 0, 10, 10);
    int calls = 0;
    SetFrameHook([&] {
        ++calls;
        EXPECT_EQ(FramePixel(5, 5), 0xFF00C800u);
        drive::Key(32);
        EXPECT_EQ(KeyHit(32), 0) << "not yet pumped";
    });
    Flip(0);
    SetFrameHook(nullptr);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(KeyHit(32), 1) << "pumped after the hook";
    EXPECT_EQ(FramePixel(5, 5), 0xFF00C800u) << "the frame keeps its pixels after Flip";
    EXPECT_EQ(FramePixel(-1, 0), 0u);
    EXPECT_EQ(FramePixel(800, 0), 0u);
}

TEST_F(Frame, EndUnwindsWithProgramEnd) { EXPECT_THROW(End(), ProgramEnd); }

// Run in a fresh process of its own, so that no window of the other tests exists there.
TEST(NoDisplay, GraphicsFailsWithTheCause) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
            try {
                Graphics(800, 600);
            } catch (const GraphicsFailure& failure) {
                const std::string what = failure.what();
                std::exit(what.find("no-such-driver") != std::string::npos ? 0 : 2);
            }
            std::exit(1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
