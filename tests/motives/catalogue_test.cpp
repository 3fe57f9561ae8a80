// The catalogue pass on the game window, and both start-up passes together: records numbered
// without gaps, and files that are bad, unreadable or can't be replaced never costing a picture.
#include <gtest/gtest.h>

#include <algorithm>

#include "motives/catalogue.h"
#include "tests/motives/motive_folder.h"
#include "tests/support/game_fixture.h"

using namespace gfx;

namespace {

// The drawing state in which start-up builds the catalogue: the layer's opening state.
class MotiveCatalogue : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        SetClsColor(0, 0, 0);
        SetBlend(MASKBLEND);
        SetMaskColor(255, 0, 255);
    }
    void TearDown() override {
        SetClsColor(50, 50, 50);
        SetBlend(ALPHABLEND);
        GameTest::TearDown();
    }
};

std::vector<const TMotives*> Records() {
    std::vector<const TMotives*> records;
    for (const TMotives& m : G.MotivesList) records.push_back(&m);
    return records;
}

TEST_F(MotiveCatalogue, StartUpTurnsABigPngIntoOneRecordOfItsCopy) {
    TempMotiveFolder folder;
    WriteBytes("Motives/cat.png", EncodePNG(TestPicture(800, 600)));

    NormaliseMotiveFolder();
    BuildMotiveCatalogue();

    EXPECT_EQ(FolderNames("Motives"), std::vector<std::string>{"Puzzlecat.png"});
    EXPECT_EQ(fs::current_path(), folder.root());
    ASSERT_EQ(G.CountMotives, 1);
    ASSERT_EQ(G.MotivesList.size(), 1u);
    const TMotives& m = G.MotivesList.front();
    EXPECT_EQ(G.M, &m);
    EXPECT_EQ(m.ID, 0);
    EXPECT_EQ(m.Filename, "Puzzlecat.png");
    EXPECT_EQ(ImageWidth(m.Motiv), 512);
    EXPECT_EQ(ImageHeight(m.Motiv), 512);
    EXPECT_EQ(ImageWidth(m.Mirror), 512);
    EXPECT_EQ(ImageHeight(m.Mirror), 73);
    EXPECT_FLOAT_EQ(m.widthfaktor, 1.0f);
    EXPECT_FLOAT_EQ(m.heightfaktor, 1.0f);
}

TEST_F(MotiveCatalogue, RecordsAreNumberedWithoutGapsInNameOrder) {
    TempMotiveFolder folder;
    const std::string text = "no picture in here, just words";
    WriteBytes("Motives/a.png", EncodePNG(TestPicture(400, 300)));
    WriteBytes("Motives/b.jpg", std::vector<uint8_t>(text.begin(), text.end()));
    WriteBytes("Motives/c.png", EncodeJPeg(TestPicture(200, 512), 90));  // read by its content
    fs::create_directory("Motives/d.png");
    WriteBytes("Motives/e.txt", EncodePNG(TestPicture(64, 64)));
    WriteBytes("Motives/f.JPEG", EncodePNG(TestPicture(64, 80)));
    WriteBytes("Motives/g.jpg", {});

    BuildMotiveCatalogue();

    EXPECT_EQ(fs::current_path(), folder.root());
    const struct {
        const char* name;
        int width, height;
        float widthfaktor, heightfaktor;
    } expected[] = {{"a.png", 400, 300, 1.28f, 512.0f / 300}, {"c.png", 200, 512, 2.56f, 1.0f},
                    {"f.JPEG", 64, 80, 8.0f, 6.4f}};
    ASSERT_EQ(G.CountMotives, 3);
    const std::vector<const TMotives*> records = Records();
    ASSERT_EQ(records.size(), 3u);
    for (size_t i = 0; i < records.size(); ++i) {
        const TMotives& m = *records[i];
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(m.ID, i);
        EXPECT_EQ(m.Filename, expected[i].name);
        EXPECT_EQ(m.Motivwidth, float(expected[i].width));
        EXPECT_EQ(m.Motivheight, float(expected[i].height));
        EXPECT_FLOAT_EQ(m.widthfaktor, expected[i].widthfaktor);
        EXPECT_FLOAT_EQ(m.heightfaktor, expected[i].heightfaktor);
        EXPECT_TRUE(m.Motiv && m.Mirror);
    }
    EXPECT_EQ(G.M, records.back()) << "M is the last record made";
}

TEST_F(MotiveCatalogue, MissingFolderGivesAnEmptyCatalogue) {
    TempMotiveFolder folder(false);

    NormaliseMotiveFolder();
    BuildMotiveCatalogue();

    EXPECT_EQ(fs::current_path(), folder.root());
    EXPECT_FALSE(fs::exists("Motives"));
    EXPECT_EQ(G.CountMotives, 0);
    EXPECT_TRUE(G.MotivesList.empty());
}

TEST_F(MotiveCatalogue, CopyThatCannotBeWrittenKeepsItsSourceInTheCatalogue) {
    TempMotiveFolder folder;
    const std::vector<uint8_t> cat = EncodePNG(TestPicture(800, 600));
    WriteBytes("Motives/cat.png", cat);
    // A folder where the copy must go: the rename onto it fails even for root.
    fs::create_directory("Motives/Puzzlecat.png");
    WriteBytes("Motives/Puzzlecat.png/keep.txt", {1, 2, 3});

    NormaliseMotiveFolder();

    EXPECT_EQ(FolderNames("Motives"), (std::vector<std::string>{"Puzzlecat.png", "cat.png"}))
        << "no half-written copy is left behind";
    EXPECT_EQ(ReadBytes("Motives/cat.png"), cat);
    EXPECT_EQ(ReadBytes("Motives/Puzzlecat.png/keep.txt"), (std::vector<uint8_t>{1, 2, 3}));

    BuildMotiveCatalogue();
    ASSERT_EQ(G.CountMotives, 1);
    EXPECT_EQ(G.MotivesList.front().Filename, "cat.png");
    EXPECT_EQ(ImageWidth(G.MotivesList.front().Motiv), 800);
}

// A PNG whose header claims the given size (its checksum made right, so only the size is wrong).
std::vector<uint8_t> PngClaiming(uint32_t width, uint32_t height) {
    std::vector<uint8_t> png = EncodePNG(TestPicture(8, 8));
    const auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) png[at + size_t(i)] = uint8_t(v >> (24 - 8 * i));
    };
    put32(16, width);
    put32(20, height);
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 12; i < 29; ++i) {  // chunk type and data of IHDR
        crc ^= png[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    put32(29, ~crc);
    return png;
}

// A JPEG whose frame header claims the given size.
std::vector<uint8_t> JPegClaiming(uint16_t width, uint16_t height) {
    std::vector<uint8_t> jpeg = EncodeJPeg(TestPicture(16, 16), 90);
    for (size_t i = 2; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = uint8_t(height >> 8);
            jpeg[i + 6] = uint8_t(height);
            jpeg[i + 7] = uint8_t(width >> 8);
            jpeg[i + 8] = uint8_t(width);
            break;
        }
    }
    return jpeg;
}

std::vector<uint8_t> FirstHalf(std::vector<uint8_t> bytes) {
    bytes.resize(bytes.size() / 2);
    return bytes;
}

TEST_F(MotiveCatalogue, BadFilesStayAsTheyWereAndGetNoRecord) {
    TempMotiveFolder folder;
    const std::string text = "this is no picture at all, only a few words of text";
    const std::vector<uint8_t> words(text.begin(), text.end());
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } badFiles[] = {
        {"empty.png", {}},
        {"empty.jpg", {}},
        {"cut.png", FirstHalf(EncodePNG(TestPicture(600, 600)))},
        {"cut.jpg", FirstHalf(EncodeJPeg(TestPicture(600, 600), 90))},
        {"words.jpg", words},
        {"Puzzlewords.png", words},
        {"Grüße vom Meer.jpeg", words},
        {"huge.png", PngClaiming(30000, 30000)},
        {"enormous.png", PngClaiming(2000000000, 2000000000)},
        {"huge.jpg", JPegClaiming(65000, 65000)},
    };
    for (const auto& bad : badFiles) WriteBytes("Motives" / fs::path(bad.name), bad.bytes);
    fs::create_directory("Motives/x.png");
    WriteBytes("Motives/good.png", EncodePNG(TestPicture(600, 600)));
    std::map<std::string, std::vector<uint8_t>> before = FolderContents("Motives");
    before.erase("good.png");

    NormaliseMotiveFolder();

    std::map<std::string, std::vector<uint8_t>> after = FolderContents("Motives");
    EXPECT_TRUE(after.contains("Puzzlegood.png")) << "the pass went on past the bad files";
    after.erase("Puzzlegood.png");
    for (const auto& [name, bytes] : before) {
        EXPECT_TRUE(after.contains(name) && after.at(name) == bytes) << name << " was changed";
    }
    EXPECT_EQ(after.size(), before.size()) << "nothing else was written";

    BuildMotiveCatalogue();
    ASSERT_EQ(G.CountMotives, 1);
    ASSERT_EQ(G.MotivesList.size(), 1u);
    EXPECT_EQ(G.MotivesList.front().Filename, "Puzzlegood.png");
    EXPECT_EQ(G.MotivesList.front().ID, 0);
}

// A picture whose every row can be told from the others: red and green carry the row, blue the
// column. No pixel has the mask colour.
Pixmap RowCodedPicture(int width, int height) {
    Pixmap p = CreatePixmap(width, height, false);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            WritePixel(p, x, y, 0xFF000000u | uint32_t(y & 0xFF) << 16 | uint32_t(y >> 8) << 8 | uint32_t(x % 200));
    return p;
}

TEST_F(MotiveCatalogue, ReflectionIsTheLowestPartFlippedAndFading) {
    const struct {
        int width, height;
        int rows;                                  // of the reflection
        std::vector<std::pair<int, int>> alphas;   // row of the reflection, its alpha
    } cases[] = {
        {512, 512, 73, {{0, 80}, {1, 78}, {72, 1}}},
        {64, 101, 14, {{0, 80}, {13, 5}}},
        {64, 100, 100, {{0, 80}, {99, 0}}},
        {120, 50, 50, {{0, 80}, {25, 40}, {49, 1}}},  // an arrow button
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const Pixmap source = RowCodedPicture(c.width, c.height);
        const Image picture = LoadImage(source, MASKEDIMAGE);
        const Pixmap pictureBefore = LockImage(picture, 0, true, false);

        const Image mirror = mirrorImage(picture);

        ASSERT_EQ(ImageWidth(mirror), c.width);
        ASSERT_EQ(ImageHeight(mirror), c.rows);
        const Pixmap& m = LockImage(mirror, 0, true, false);
        for (int row = 0; row < c.rows; ++row) {
            for (int x : {0, c.width / 2, c.width - 1}) {
                const uint32_t want = ReadPixel(source, x, c.height - 1 - row) & 0xFFFFFF;
                ASSERT_EQ(ReadPixel(m, x, row) & 0xFFFFFF, want) << "row " << row << ", column " << x;
            }
        }
        for (const auto& [row, alpha] : c.alphas) {
            EXPECT_EQ(int(ReadPixel(m, 0, row) >> 24), alpha) << "row " << row;
            EXPECT_EQ(int(ReadPixel(m, c.width - 1, row) >> 24), alpha) << "row " << row;
        }
        EXPECT_EQ(LockImage(picture, 0, true, false).pixels, pictureBefore.pixels) << "the picture is not changed";
    }
}

TEST_F(MotiveCatalogue, TransparentPartsOfAReflection) {
    // Four columns: transparent, faint (alpha 100), strong (alpha 200), opaque.
    const auto picture = [](int height) {
        Pixmap p = CreatePixmap(4, height, true);
        const uint32_t alphas[] = {0, 100, 200, 255};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 4; ++x) WritePixel(p, x, y, alphas[x] << 24 | 0x30C060u);
        return LoadImage(p, MASKEDIMAGE);
    };
    const auto pixel = [](const Image& mirror, int x) { return ReadPixel(LockImage(mirror, 0, true, false), x, 0); };

    // Small pictures are mirrored from their own pixels: only the fully transparent stay so.
    const Image small = mirrorImage(picture(50));
    EXPECT_EQ(pixel(small, 0) >> 24, 0u);
    EXPECT_EQ(pixel(small, 1), 0x5030C060u);
    EXPECT_EQ(pixel(small, 2), 0x5030C060u);
    EXPECT_EQ(pixel(small, 3), 0x5030C060u);

    // Tall pictures are mirrored as drawn on black with alpha below one half skipped: what is
    // transparent or faint shows black, the rest its colour.
    const Image tall = mirrorImage(picture(140));
    EXPECT_EQ(pixel(tall, 0), 0x50000000u);
    EXPECT_EQ(pixel(tall, 1), 0x50000000u);
    EXPECT_EQ(pixel(tall, 2), 0x5030C060u);
    EXPECT_EQ(pixel(tall, 3), 0x5030C060u);
}

TEST_F(MotiveCatalogue, MaskColourOfACataloguePictureStaysTransparentInItsReflection) {
    TempMotiveFolder folder;
    Pixmap p = TestPicture(64, 64);
    for (int y = 0; y < 64; ++y) WritePixel(p, 10, y, 0xFFFF00FFu);
    WriteBytes("Motives/Puzzlemask.png", EncodePNG(p));

    BuildMotiveCatalogue();

    ASSERT_EQ(G.CountMotives, 1);
    const Pixmap& mirror = LockImage(G.MotivesList.front().Mirror, 0, true, false);
    EXPECT_EQ(ReadPixel(mirror, 10, 0) >> 24, 0u) << "the mask colour";
    EXPECT_EQ(ReadPixel(mirror, 11, 0) >> 24, 80u);
}

}  // namespace
