// The normalisation pass: which pictures get a 512x512 JPEG copy under "Puzzle" + name, which
// stay as they are, and that a camera photo comes out upright.
#include <gtest/gtest.h>

#include <algorithm>

#include "motives/catalogue.h"
#include "tests/motives/motive_folder.h"

using namespace gfx;

namespace {

enum class Kind { PNG, JPEG };

struct Source {
    std::string name;
    Kind kind;
    int width;
    int height;
};

std::vector<uint8_t> PictureFile(Kind kind, const Pixmap& picture) {
    return kind == Kind::PNG ? EncodePNG(picture) : EncodeJPeg(picture, 90);
}

struct NormaliseCase {
    const char* what;
    std::vector<Source> sources;
    std::vector<std::string> copies;  // each made from the source named without its first "Puzzle"
    std::vector<std::string> kept;    // byte for byte as they were
};

const NormaliseCase NORMALISE_CASES[] = {
    {"a picture larger than 512 becomes a JPEG copy under a .png name",
     {{"cat.png", Kind::PNG, 800, 600}}, {"Puzzlecat.png"}, {}},
    {"a prefixed picture 600 wide gets a second prefix",
     {{"Puzzlewide.jpg", Kind::JPEG, 600, 400}}, {"PuzzlePuzzlewide.jpg"}, {}},
    {"the prefix is case-sensitive; a small picture is enlarged",
     {{"puzzle1.jpg", Kind::JPEG, 300, 300}}, {"Puzzlepuzzle1.jpg"}, {}},
    {"endings in capitals are taken and kept",
     {{"Sea.JPEG", Kind::JPEG, 640, 480}, {"Dog.JPG", Kind::JPEG, 100, 100}, {"Cat.PNG", Kind::PNG, 513, 512}},
     {"PuzzleSea.JPEG", "PuzzleDog.JPG", "PuzzleCat.PNG"}, {}},
    {"a name ending in jpeg without a dot is a JPEG",
     {{"holidayjpeg", Kind::JPEG, 200, 150}}, {"Puzzleholidayjpeg"}, {}},
    {"prefixed pictures up to 512 a side stay as they are",
     {{"Puzzle512.png", Kind::PNG, 512, 512}, {"Puzzlesmall.jpg", Kind::JPEG, 200, 100},
      {"PuzzleTall.jpeg", Kind::JPEG, 300, 512}},
     {}, {"Puzzle512.png", "Puzzlesmall.jpg", "PuzzleTall.jpeg"}},
    {"a 512x512 picture without the prefix is copied all the same",
     {{"square.png", Kind::PNG, 512, 512}}, {"Puzzlesquare.png"}, {}},
    {"a copy made by an earlier start (JPEG data under .png) stays",
     {{"Puzzlecat.png", Kind::JPEG, 512, 512}}, {}, {"Puzzlecat.png"}},
    {"an existing Puzzle + name is replaced by the new copy",
     {{"Puzzlecat.png", Kind::PNG, 300, 300}, {"cat.png", Kind::PNG, 800, 600}}, {"Puzzlecat.png"}, {}},
    {"a copy replaces a prefixed picture listed after its source, which then stays as the copy",
     {{"Apple.png", Kind::PNG, 600, 600}, {"PuzzleApple.png", Kind::PNG, 600, 400}}, {"PuzzleApple.png"}, {}},
    {"other endings and short names are not pictures",
     {{"notes.txt", Kind::PNG, 600, 600}, {"png", Kind::PNG, 600, 600}, {"cat.gif", Kind::PNG, 600, 600},
      {"cat.png.bak", Kind::PNG, 600, 600}},
     {}, {"notes.txt", "png", "cat.gif", "cat.png.bak"}},
    {"umlauts and spaces in names",
     {{"Grüße vom Meer.png", Kind::PNG, 700, 700}}, {"PuzzleGrüße vom Meer.png"}, {}},
    {"a JPEG under a .png name without the prefix is read by its content",
     {{"photo.png", Kind::JPEG, 800, 600}}, {"Puzzlephoto.png"}, {}},
};

TEST(NormaliseMotiveFolder, CopiesAndKeepsPicturesByNameAndSize) {
    for (const NormaliseCase& c : NORMALISE_CASES) {
        SCOPED_TRACE(c.what);
        TempMotiveFolder folder;
        std::map<std::string, std::vector<uint8_t>> written;
        for (size_t i = 0; i < c.sources.size(); ++i) {
            const Source& s = c.sources[i];
            written[s.name] = PictureFile(s.kind, TestPicture(s.width, s.height, int(i)));
            WriteBytes("Motives" / fs::path(s.name), written[s.name]);
        }

        NormaliseMotiveFolder();

        EXPECT_EQ(fs::current_path(), folder.root()) << "the working directory is restored";
        std::vector<std::string> expected = c.copies;
        expected.insert(expected.end(), c.kept.begin(), c.kept.end());
        std::sort(expected.begin(), expected.end());
        const auto after = FolderContents("Motives");
        EXPECT_EQ(FolderNames("Motives"), expected);
        for (const std::string& name : c.kept) {
            EXPECT_TRUE(after.contains(name) && after.at(name) == written[name]) << name << " changed";
        }
        for (const std::string& name : c.copies) {
            if (!after.contains(name)) continue;
            const std::vector<uint8_t>& bytes = after.at(name);
            EXPECT_TRUE(IsJPegData(bytes)) << name;
            const std::optional<Pixmap> copy = DecodePixmap(bytes);
            const std::optional<Pixmap> source = DecodePixmap(written[name.substr(6)]);
            ASSERT_TRUE(copy && source) << name;
            EXPECT_EQ(copy->width, 512) << name;
            EXPECT_EQ(copy->height, 512) << name;
            // The whole picture stretched to 512x512: neither cropped nor turned.
            EXPECT_LT(MeanDifference(*copy, ResizePixmap(*source, 512, 512)), 6.0) << name;
        }

        NormaliseMotiveFolder();
        EXPECT_EQ(FolderContents("Motives"), after) << "a second start changes nothing";
    }
}

// An APP1 block right after the start marker saying "turn a quarter clockwise to show".
std::vector<uint8_t> WithExifOrientation(std::vector<uint8_t> jpeg, uint16_t orientation) {
    const std::vector<uint8_t> exif = {
        0xFF, 0xE1, 0x00, 0x22, 'E', 'x', 'i', 'f', 0, 0,       // APP1, length 34
        'I', 'I', 42, 0, 8, 0, 0, 0,                           // little-endian TIFF, IFD0 at 8
        1, 0,                                                  // one entry
        0x12, 0x01, 3, 0, 1, 0, 0, 0, uint8_t(orientation), 0, 0, 0,  // orientation, SHORT x1
        0, 0, 0, 0};                                           // no next IFD
    jpeg.insert(jpeg.begin() + 2, exif.begin(), exif.end());
    return jpeg;
}

TEST(NormaliseMotiveFolder, CameraPhotoTakenUprightComesOutUpright) {
    TempMotiveFolder folder;
    // Held upright, the camera stores the scene lying on its side: the scene's top (red) at the
    // left of the stored pixels, its bottom (blue) at the right.
    Pixmap stored = CreatePixmap(1200, 900, false);
    for (int y = 0; y < stored.height; ++y)
        for (int x = 0; x < stored.width; ++x) WritePixel(stored, x, y, x < 600 ? 0xFFE02020u : 0xFF2020E0u);
    WriteBytes("Motives/camera.jpg", WithExifOrientation(EncodeJPeg(stored, 90), 6));

    NormaliseMotiveFolder();

    const std::optional<Pixmap> copy = DecodePixmap(ReadBytes("Motives/Puzzlecamera.jpg"));
    ASSERT_TRUE(copy);
    const auto isRed = [&](int x, int y) { return ((ReadPixel(*copy, x, y) >> 16) & 0xFF) > 150; };
    EXPECT_TRUE(isRed(20, 20) && isRed(490, 20)) << "the top is red";
    EXPECT_TRUE(!isRed(20, 490) && !isRed(490, 490)) << "the bottom is blue";
    EXPECT_FALSE(fs::exists("Motives/camera.jpg"));
}

}  // namespace
