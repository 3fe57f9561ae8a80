// Drawing into the frame, checked by reading its pixels back: the opening state, blend modes,
// alpha, tint, scale and mirroring, masks, batching and images packed side by side.
#include "tests/gfx/layer_fixture.h"

using namespace gfx;
using drive::RGB;

namespace {

TEST_F(Layer, ANewWindowOpensInTheMaskingStateWithEveryImageStillDrawable) {
    SetBlend(ALPHABLEND);
    SetColor(10, 20, 30);
    SetAlpha(0.3f);
    SetScale(2, 2);
    SetMaskColor(255, 0, 255);
    SetClsColor(50, 50, 50);
    const Image madeBefore = LoadImage(Filled(4, 4, 0xFF00FF00), 0);

    Graphics(800, 600);

    EXPECT_EQ(GetBlend(), MASKBLEND);
    EXPECT_EQ(GetAlpha(), 1.0f);
    EXPECT_EQ(GetImageFont(), nullptr);
    EXPECT_EQ(GraphicsWidth(), 800);
    EXPECT_EQ(GraphicsHeight(), 600);
    EXPECT_PIXEL(400, 300, (RGB{0, 0, 0}), 0);

    // Columns of alpha 0, 127, 128 and 255 in red, over a blue ground: below one half is
    // skipped, the rest drawn opaque, untinted and unscaled.
    SetBlend(SOLIDBLEND);
    SetColor(0, 0, 255);
    DrawRect(0, 0, 100, 10);
    SetColor(255, 255, 255);
    SetBlend(MASKBLEND);
    Pixmap columns = CreatePixmap(4, 1, true);
    const uint32_t alphas[] = {0, 127, 128, 255};
    for (int x = 0; x < 4; ++x) WritePixel(columns, x, 0, alphas[x] << 24 | 0xFF0000);
    DrawImage(LoadImage(columns, 0), 10, 5);
    EXPECT_PIXEL(10, 5, (RGB{0, 0, 255}), 0);
    EXPECT_PIXEL(11, 5, (RGB{0, 0, 255}), 0);
    EXPECT_PIXEL(12, 5, (RGB{255, 0, 0}), 0);
    EXPECT_PIXEL(13, 5, (RGB{255, 0, 0}), 0);
    EXPECT_PIXEL(14, 5, (RGB{0, 0, 255}), 0) << "drawn at scale 1";

    // The mask colour is black until it is set: black pixels of a picture without alpha vanish.
    Pixmap blackDot = Filled(3, 1, 0xFFFFFFFF, false);
    WritePixel(blackDot, 1, 0, 0xFF000000);
    DrawImage(LoadImage(blackDot, MASKEDIMAGE), 20, 5);
    EXPECT_PIXEL(21, 5, (RGB{0, 0, 255}), 0);

    DrawImage(madeBefore, 30, 5);
    EXPECT_PIXEL(31, 6, (RGB{0, 255, 0}), 0) << "an image made in the old window";
}

TEST_F(Layer, BlendModesAndAlphaMixSourceWithTheFrame) {
    const struct {
        const char* what;
        int blend;
        float alpha;
        RGB source, ground, expected;
    } cases[] = {
        {"alpha, half", ALPHABLEND, 0.5f, {255, 0, 0}, {0, 0, 255}, {128, 0, 127}},
        {"alpha, a fifth", ALPHABLEND, 0.2f, {0, 255, 0}, {100, 100, 100}, {80, 131, 80}},
        {"alpha, opaque", ALPHABLEND, 1.0f, {10, 20, 30}, {200, 200, 200}, {10, 20, 30}},
        {"light adds", LIGHTBLEND, 0.5f, {200, 100, 0}, {50, 50, 50}, {150, 100, 50}},
        {"light saturates", LIGHTBLEND, 1.0f, {200, 200, 200}, {100, 100, 100}, {255, 255, 255}},
        {"solid ignores alpha", SOLIDBLEND, 0.3f, {10, 20, 30}, {200, 200, 200}, {10, 20, 30}},
        {"mask skips below half", MASKBLEND, 0.4f, {255, 255, 255}, {0, 0, 90}, {0, 0, 90}},
        {"mask draws the rest opaque", MASKBLEND, 0.6f, {255, 255, 255}, {0, 0, 90}, {255, 255, 255}},
        {"alpha clamped above one", ALPHABLEND, 7.0f, {1, 2, 3}, {200, 200, 200}, {1, 2, 3}},
        {"alpha clamped below zero", ALPHABLEND, -1.0f, {1, 2, 3}, {200, 200, 200}, {200, 200, 200}},
    };
    int x = 0;
    for (const auto& c : cases) {
        SetBlend(SOLIDBLEND);
        SetAlpha(1);
        SetColor(c.ground.r, c.ground.g, c.ground.b);
        DrawRect(float(x), 0, 10, 10);
        SetBlend(c.blend);
        SetAlpha(c.alpha);
        SetColor(c.source.r, c.source.g, c.source.b);
        DrawRect(float(x), 0, 10, 10);
        EXPECT_PIXEL(x + 5, 5, c.expected, 1) << c.what;
        x += 10;
    }
    EXPECT_EQ(GetAlpha(), 0.0f);
}

TEST_F(Layer, ImagesAreTintedAndBlendedByTheirOwnAlphaToo) {
    Pixmap p = Filled(2, 1, 0xFFFFFFFF);
    WritePixel(p, 1, 0, 0x80FFFFFF);
    const Image img = LoadImage(p, 0);
    SetBlend(ALPHABLEND);
    SetColor(255, 128, 0);
    DrawImage(img, 10, 10);
    EXPECT_PIXEL(10, 10, (RGB{255, 128, 0}), 1);
    EXPECT_PIXEL(11, 10, (RGB{128, 64, 0}), 1) << "own alpha one half";
    SetAlpha(0.5f);
    DrawImage(img, 10, 20);
    EXPECT_PIXEL(10, 20, (RGB{128, 64, 0}), 1) << "the image's alpha times the drawing alpha";
    EXPECT_PIXEL(11, 20, (RGB{64, 32, 0}), 1);
}

TEST_F(Layer, ScaleStretchesAboutTheDrawingPointAndNegativeScaleMirrors) {
    // Two columns: red on the left, green on the right; one row.
    Pixmap p = Filled(2, 1, 0xFFFF0000);
    WritePixel(p, 1, 0, 0xFF00FF00);
    const Image img = LoadImage(p, 0);
    const RGB red{255, 0, 0}, green{0, 255, 0}, black{0, 0, 0};

    SetScale(3, 2);
    DrawImage(img, 100, 100);
    SetScale(-3, 1);
    DrawImage(img, 200, 100);
    SetScale(1, -2);
    DrawImage(img, 300, 100);
    SetScale(-4, 3);
    DrawRect(400, 100, 2, 2);

    // Stretched: columns 100..102 red, 103..105 green, rows 100..101.
    EXPECT_PIXEL(100, 100, red, 0);
    EXPECT_PIXEL(102, 101, red, 0);
    EXPECT_PIXEL(103, 101, green, 0);
    EXPECT_PIXEL(105, 100, green, 0);
    EXPECT_PIXEL(106, 100, black, 0);
    EXPECT_PIXEL(100, 102, black, 0);
    // Mirrored to the left of x = 200: green nearer the left.
    EXPECT_PIXEL(194, 100, green, 0);
    EXPECT_PIXEL(197, 100, red, 0);
    EXPECT_PIXEL(199, 100, red, 0);
    EXPECT_PIXEL(200, 100, black, 0);
    // Upside down above y = 100.
    EXPECT_PIXEL(300, 98, red, 0);
    EXPECT_PIXEL(301, 99, green, 0);
    EXPECT_PIXEL(300, 100, black, 0);
    // A rectangle reaches left and down from its corner.
    EXPECT_EQ(LitPixels(390, 95, 410, 110), 8 * 6);
    EXPECT_PIXEL(392, 100, (RGB{255, 255, 255}), 0);
    EXPECT_PIXEL(399, 105, (RGB{255, 255, 255}), 0);
}

TEST_F(Layer, MaskColourTurnsTransparentOnlyInMaskedPicturesWithoutAlphaOfTheirOwn) {
    SetMaskColor(255, 0, 255);
    Pixmap noAlpha = Filled(2, 1, 0xFF00FF00, false);
    WritePixel(noAlpha, 1, 0, 0xFFFF00FF);
    Pixmap withAlpha = noAlpha;
    withAlpha.hasAlpha = true;
    const struct {
        const char* what;
        const Pixmap& picture;
        int flags;
        RGB expected;
    } cases[] = {
        {"masked", noAlpha, MASKEDIMAGE, {0, 0, 0}},
        {"masked by default", noAlpha, DEFAULTFLAGS, {0, 0, 0}},
        {"not masked", noAlpha, 0, {255, 0, 255}},
        {"alpha of its own", withAlpha, MASKEDIMAGE, {255, 0, 255}},
    };
    int y = 10;
    for (const auto& c : cases) {
        const Image img = LoadImage(c.picture, c.flags);
        DrawImage(img, 10, float(y));
        EXPECT_PIXEL(10, y, (RGB{0, 255, 0}), 0) << c.what;
        EXPECT_PIXEL(11, y, c.expected, 0) << c.what;
        y += 2;
    }
    // The mask colour when the picture is loaded counts, not a later one.
    const Image loaded = LoadImage(noAlpha, MASKEDIMAGE);
    SetMaskColor(0, 255, 0);
    DrawImage(loaded, 10, 30);
    EXPECT_PIXEL(10, 30, (RGB{0, 255, 0}), 0);
    EXPECT_PIXEL(11, 30, (RGB{0, 0, 0}), 0);
}

TEST_F(Layer, GrabImageCopiesTheFrameAndMasksWhenTheImageIsMasked) {
    SetMaskColor(255, 0, 255);
    Pixmap p = Filled(3, 2, 0xFF102030, false);
    WritePixel(p, 1, 0, 0xFFFF00FF);
    DrawImage(LoadImage(p, 0), 50, 60);

    const Image plain = CreateImage(3, 2, 1, 0);
    const Image masked = CreateImage(3, 2, 1, MASKEDIMAGE | DYNAMICIMAGE);
    GrabImage(plain, 50, 60);
    GrabImage(masked, 50, 60);
    EXPECT_EQ(ReadPixel(LockImage(plain, 0, true, false), 0, 0), 0xFF102030u);
    EXPECT_EQ(ReadPixel(LockImage(plain, 0, true, false), 1, 0), 0xFFFF00FFu);
    EXPECT_EQ(ReadPixel(LockImage(masked, 0, true, false), 1, 0) >> 24, 0u);
    EXPECT_EQ(ReadPixel(LockImage(masked, 0, true, false), 2, 1), 0xFF102030u);

    // What is drawn after a grab is seen by the next grab.
    SetColor(0, 0, 200);
    DrawRect(50, 60, 1, 1);
    GrabImage(plain, 50, 60);
    EXPECT_EQ(ReadPixel(LockImage(plain, 0, true, false), 0, 0), 0xFF0000C8u);

    // Parts beyond the frame come out transparent.
    const Image corner = CreateImage(4, 4, 1, 0);
    GrabImage(corner, 798, -2);
    EXPECT_EQ(ReadPixel(LockImage(corner, 0, true, false), 0, 0), 0u);
    EXPECT_EQ(ReadPixel(LockImage(corner, 0, true, false), 1, 3), 0xFF000000u);
    EXPECT_EQ(ReadPixel(LockImage(corner, 0, true, false), 2, 3), 0u);

    // Grabbed pixels draw back as they were; the masked ones let the frame show.
    Cls();
    SetColor(255, 255, 255);
    DrawImage(masked, 10, 10);
    EXPECT_PIXEL(10, 10, (RGB{0x10, 0x20, 0x30}), 0);
    EXPECT_PIXEL(11, 10, (RGB{0, 0, 0}), 0);
}

TEST_F(Layer, ChangesMadeThroughLockImageShowWhenNextDrawnAndNotBefore) {
    const Image img = CreateImage(2, 2, 1, 0);
    EXPECT_EQ(LockImage(img).pixels, std::vector<uint8_t>(16, 0)) << "made transparent black";
    Pixmap& pixels = LockImage(img);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) WritePixel(pixels, x, y, 0xFFFF0000);
    DrawImage(img, 10, 10);
    // Changed again before the frame is drawn: the first copy keeps the old pixels.
    WritePixel(LockImage(img), 0, 0, 0xFF00FF00);
    DrawImage(img, 20, 10);
    EXPECT_PIXEL(10, 10, (RGB{255, 0, 0}), 0);
    EXPECT_PIXEL(20, 10, (RGB{0, 255, 0}), 0);
    EXPECT_PIXEL(21, 11, (RGB{255, 0, 0}), 0);
}

TEST_F(Layer, PackedImagesDoNotBleedIntoEachOtherWhenSmoothedAndStretched) {
    // Made one after another, so they sit side by side in the same texture.
    const Image red = LoadImage(Filled(4, 4, 0xFFFF0000), FILTEREDIMAGE);
    const Image blue = LoadImage(Filled(4, 4, 0xFF0000FF), FILTEREDIMAGE);
    const Image green = LoadImage(Filled(4, 4, 0xFF00FF00), FILTEREDIMAGE);
    SetScale(10.5f, 10.5f);
    DrawImage(red, 100.5f, 100.25f);
    DrawImage(blue, 200, 100);
    SetScale(1, 1);
    DrawImage(green, 300, 100);
    for (int y = 101; y < 142; ++y)
        for (int x = 101; x < 142; ++x) {
            const RGB c = drive::Pixel(x, y);
            ASSERT_TRUE(c.r == 255 && c.g == 0 && c.b == 0) << x << "," << y << ": " << drive::Show(c);
        }
    EXPECT_PIXEL(200, 100, (RGB{0, 0, 255}), 0);
    EXPECT_PIXEL(241, 141, (RGB{0, 0, 255}), 0);
}

TEST_F(Layer, AnImageDroppedWhileItsQuadWaitsToBeDrawnStillShowsItsOwnPixels) {
    Image red = CreateImage(8, 8, 1, 0);
    WritePixel(LockImage(red), 0, 0, 0xFFFF0000);
    DrawImage(red, 10, 10);
    red.reset();
    // The newcomer of the same size may take the place the red one had.
    const Image green = CreateImage(8, 8, 1, 0);
    WritePixel(LockImage(green), 0, 0, 0xFF00FF00);
    DrawImage(green, 30, 10);
    EXPECT_PIXEL(10, 10, (RGB{255, 0, 0}), 0);
    EXPECT_PIXEL(30, 10, (RGB{0, 255, 0}), 0);
}

TEST_F(Layer, TilesAndRectanglesInChangingColoursAndAlphaShareOneDrawCall) {
    std::vector<Image> tiles;
    for (int i = 0; i < 200; ++i) tiles.push_back(CreateImage(16, 16, 1, MASKEDIMAGE | DYNAMICIMAGE));
    Flip(0);   // a frame of its own
    Cls();
    SetBlend(ALPHABLEND);
    for (int i = 0; i < 200; ++i) {
        const float x = float(i % 20 * 20), y = float(i / 20 * 20);
        SetAlpha(0.2f);
        SetColor(0, 255, 0);
        DrawRect(x - 1, y - 1, 18, 18);
        SetColor(255, 255, 255);
        SetAlpha(1);
        DrawImage(tiles[size_t(i)], x, y);
    }
    Flip(0);
    EXPECT_EQ(DrawCallCount(), 1);
}

TEST_F(Layer, ImagesAreCountedWhileAlive) {
    const long before = LiveImageCount();
    {
        std::vector<Image> images;
        for (int i = 0; i < 10; ++i) images.push_back(CreateImage(3, 3));
        images.push_back(LoadImage(Filled(600, 600, 0xFFFFFFFF)));
        EXPECT_EQ(LiveImageCount(), before + 11);
        DrawImage(images.back(), 0, 0);
    }
    EXPECT_EQ(LiveImageCount(), before);
    EXPECT_EQ(ImageWidth(nullptr), 0);
    EXPECT_EQ(ImageHeight(nullptr), 0);
    EXPECT_EQ(CreateImage(0, 5), nullptr);
    EXPECT_EQ(LoadImage("no such file.png"), nullptr);
    DrawImage(nullptr, 0, 0);   // nothing to draw, nothing happens
}

TEST_F(Layer, ClsFillsTheFrameWithTheClearColourAndFlipKeepsIt) {
    SetColor(255, 0, 0);
    DrawRect(0, 0, 800, 600);
    SetClsColor(50, 60, 70);
    Cls();
    Flip(0);
    const std::vector<uint32_t> frame = FramePixels();
    ASSERT_EQ(frame.size(), 800u * 600u);
    for (uint32_t pixel : frame) ASSERT_EQ(pixel, 0xFF323C46u);
}

}  // namespace
