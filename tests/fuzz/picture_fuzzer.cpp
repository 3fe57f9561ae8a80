// libFuzzer target: arbitrary bytes as a picture a player drops into "Motives/", taken the way
// the two start-up passes take it, in memory. The first byte picks the file's name, the rest is
// the file.
//
// Normalising: decoded by the name's ending (a JPEG name scaled down while both sides stay above
// 512), the other decoder as a second chance when the name lacks the "Puzzle" prefix; a picture
// larger than 512 or without the prefix becomes a 512x512 JPEG copy, anything else stays as it is.
// Cataloguing: whatever is then in the folder is decoded by content and becomes a motive with its
// reflection. With a window (SDL_VIDEODRIVER=offscreen) the reflection of a tall picture is drawn
// and grabbed as in the game; without one its strip stays blank.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/state.h"
#include "gfx/gfx.h"
#include "motives/motive.h"

using namespace gfx;

namespace {

constexpr int MOTIVE_SIDE = 512;
const char* const ENDINGS[] = {".png", ".jpg", ".jpeg", ".PNG", ".JPG"};
constexpr int ENDING_COUNT = int(sizeof ENDINGS / sizeof ENDINGS[0]);

// Stops the run with the input saved as a crash: a picture broke a promise the game relies on.
void Expect(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}

void ExpectSound(const std::optional<Pixmap>& p) {
    if (!p) return;
    Expect(p->width > 0 && p->height > 0 && p->width <= MAX_PICTURE_SIDE && p->height <= MAX_PICTURE_SIDE &&
               (long long)p->width * p->height <= MAX_PICTURE_PIXELS,
           "a decoded picture stays within the size limit");
    Expect(p->pixels.size() == size_t(p->width) * size_t(p->height) * 4, "a decoded picture has all its pixels");
}

// The bytes stay the caller's; "incbin::" + name reads them like a file of that name.
class FileInMemory {
public:
    FileInMemory(const std::string& name, std::span<const uint8_t> bytes) : name_(name) { IncBin(name_, bytes); }
    ~FileInMemory() { IncBin(name_, {}); }
    FileInMemory(const FileInMemory&) = delete;
    FileInMemory& operator=(const FileInMemory&) = delete;
    std::string url() const { return "incbin::" + name_; }

private:
    std::string name_;
};

bool HasJPegEnding(const std::string& name) {
    const std::string ending = name.substr(name.size() - 4);
    return ending == ".jpg" || ending == ".JPG" || ending == "jpeg";
}

std::optional<Pixmap> DecodeJPeg(const std::string& url) {
    std::optional<Pixmap> picture = LoadPixmapJPeg(url, MOTIVE_SIDE + 1);
    ExpectSound(picture);
    // The pass keeps a small prefixed picture as it is, so a picture that comes out small must
    // truly be small, not scaled down.
    if (picture && picture->width <= MOTIVE_SIDE && picture->height <= MOTIVE_SIDE) {
        const std::optional<Pixmap> whole = LoadPixmapJPeg(url);
        Expect(whole && whole->width == picture->width && whole->height == picture->height,
               "a JPEG is scaled down only while both sides stay above 512");
    }
    return picture;
}

std::optional<Pixmap> DecodePNG(const std::string& url) {
    std::optional<Pixmap> picture = LoadPixmapPNG(url);
    ExpectSound(picture);
    return picture;
}

// The normalising pass for one file: the 512x512 JPEG copy it writes, or nothing when the file
// stays as it is.
std::optional<std::vector<uint8_t>> Normalise(const std::string& name, std::span<const uint8_t> bytes) {
    const FileInMemory file(name, bytes);
    const bool prefixed = name.starts_with("Puzzle");
    const bool jpegEnding = HasJPegEnding(name);
    std::optional<Pixmap> picture = jpegEnding ? DecodeJPeg(file.url()) : DecodePNG(file.url());
    if (!picture && !prefixed) picture = jpegEnding ? DecodePNG(file.url()) : DecodeJPeg(file.url());
    if (!picture) return std::nullopt;
    const bool tooLarge = picture->width > MOTIVE_SIDE || picture->height > MOTIVE_SIDE;
    if (!tooLarge && prefixed) return std::nullopt;

    std::vector<uint8_t> copy;
    if (picture->width == MOTIVE_SIDE && picture->height == MOTIVE_SIDE) {
        copy = EncodeJPeg(*picture, 75);
    } else {
        const Pixmap resized = ResizePixmap(*picture, MOTIVE_SIDE, MOTIVE_SIDE);
        ExpectSound(resized);
        Expect(resized.width == MOTIVE_SIDE && resized.height == MOTIVE_SIDE, "the copy is 512x512");
        copy = EncodeJPeg(resized, 75);
    }
    Expect(!copy.empty(), "every decodable picture can be written as a copy");
    return copy;
}

// The catalogue pass for the file left in the folder: the motive and its reflection.
void Catalogue(const std::string& name, std::span<const uint8_t> bytes, bool isCopy) {
    const FileInMemory file(name, bytes);
    TMotives motive;
    G.M = &motive;
    const bool added = TMotives::AddMotiv(0, file.url());
    G.M = nullptr;
    if (isCopy) Expect(added, "the game's own copy always makes a motive");
    if (!added) return;

    const int w = ImageWidth(motive.Motiv), h = ImageHeight(motive.Motiv);
    if (isCopy) Expect(w == MOTIVE_SIDE && h == MOTIVE_SIDE, "the copy is catalogued at 512x512");
    Expect(motive.Mirror != nullptr, "every motive has a reflection");
    Expect(ImageWidth(motive.Mirror) == w && ImageHeight(motive.Mirror) == (h > 100 ? h / 7 : h),
           "the reflection is the picture's width and at most a seventh of a tall picture");
    const Pixmap& reflection = LockImage(motive.Mirror, 0, true, false);
    for (size_t i = 3; i < reflection.pixels.size(); i += 4) {
        Expect(reflection.pixels[i] <= 80, "the reflection fades from alpha 80 down");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The catalogue pass runs in the game window with the game's mask colour and a black clear
    // colour; without a window the reflections are still made, from blank strips.
    try {
        Graphics(800, 600, 0, 60, 0);
    } catch (const GraphicsFailure& failure) {
        std::fprintf(stderr, "picture fuzzer: no window (%s); reflections of tall pictures stay blank\n",
                     failure.what());
    }
    SetMaskColor(255, 0, 255);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const bool prefixed = (data[0] & 1) != 0;
    const std::string name = std::string(prefixed ? "Puzzle" : "") + "motive" + ENDINGS[(data[0] >> 1) % ENDING_COUNT];
    const std::span<const uint8_t> bytes(data + 1, size - 1);

    const std::optional<std::vector<uint8_t>> copy = Normalise(name, bytes);
    if (copy) {
        Catalogue("Puzzle" + name, *copy, true);
    } else {
        Catalogue(name, bytes, false);
    }
    Expect(LiveImageCount() == 0, "a dropped motive releases its picture and reflection");
    return 0;
}
