// The two start-up passes over "Motives/": normalising new pictures into 512x512 JPEG copies, and
// loading every picture into the catalogue.
#include "motives/catalogue.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <deque>
#include <exception>
#include <filesystem>
#include <future>
#include <optional>
#include <set>
#include <span>
#include <system_error>
#include <thread>
#include <vector>

#include "app/state.h"
#include "gfx/gfx.h"

namespace fs = std::filesystem;
using namespace gfx;

namespace {

const char* const MOTIVE_FOLDER = "Motives/";
// The copy is written here first and renamed onto its name once it is complete, so a crash or
// a full disk never leaves half a picture. Its ending is no picture ending: never catalogued.
const char* const COPY_IN_PROGRESS = ".Kachelzauber-copy.tmp";
// Pictures are normalised to this size, and a prefixed picture up to it is kept as it is.
constexpr int MOTIVE_SIDE = 512;

// Enters a folder for the length of one pass and goes back where the pass started, whether or
// not the folder could be entered.
class FolderVisit {
public:
    explicit FolderVisit(const fs::path& folder) {
        std::error_code error;
        home_ = fs::current_path(error);
        if (error) return;  // without a way back, stay where we are
        fs::current_path(folder, error);
        entered_ = !error;
    }
    ~FolderVisit() {
        std::error_code error;
        if (entered_) fs::current_path(home_, error);
    }
    FolderVisit(const FolderVisit&) = delete;
    FolderVisit& operator=(const FolderVisit&) = delete;
    bool entered() const { return entered_; }

private:
    fs::path home_;
    bool entered_ = false;
};

// The folder's entry names, files and folders alike, sorted so that the catalogue comes out in
// the same order on every machine. Empty when the folder can't be read.
std::vector<std::string> ListFolder(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// An entry either pass takes: a picture ending, and a file rather than a folder of that name.
bool IsPictureFile(const std::string& name) {
    std::error_code error;
    return HasPictureEnding(name) && fs::is_regular_file(name, error);
}

// Right(name, 4) in lower case: the whole name when it is shorter.
std::string LowerEnding(const std::string& name) {
    std::string ending = name.size() > 4 ? name.substr(name.size() - 4) : name;
    std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) {
        return char(std::tolower(c));
    });
    return ending;
}

bool HasPrefix(const std::string& name) { return name.starts_with("Puzzle"); }

bool HasJPegEnding(const std::string& name) {
    const std::string ending = LowerEnding(name);
    return ending == ".jpg" || ending == "jpeg";
}

// A JPEG decoded at the smallest fast scale that still keeps both sides above 512: a scaled
// result then still tells truly whether the picture was larger than 512.
std::optional<Pixmap> DecodeJPeg(const std::string& name) {
    return LoadPixmapJPeg(name, MOTIVE_SIDE + 1);
}

// Decoded as its ending says. A file without the prefix that this decoder can't read gets a
// second chance by its content (a JPEG under a ".png" name), so it is normalised like any other.
std::optional<Pixmap> DecodeForNormalising(const std::string& name) {
    const bool jpegEnding = HasJPegEnding(name);
    std::optional<Pixmap> picture = jpegEnding ? DecodeJPeg(name) : LoadPixmapPNG(name);
    if (!picture && !HasPrefix(name)) picture = jpegEnding ? LoadPixmapPNG(name) : DecodeJPeg(name);
    return picture;
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes = bytes.subspan(size_t(written));
    }
    return true;
}

// Writes the file in the working directory so that it appears whole or not at all, replacing a
// file of that name. False when it could not be written; nothing is left behind then.
bool WriteFileSafely(const std::string& name, std::span<const uint8_t> bytes) {
    if (bytes.empty()) return false;
    const int fd = ::open(COPY_IN_PROGRESS, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return false;
    bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (written) written = ::rename(COPY_IN_PROGRESS, name.c_str()) == 0;
    if (!written) {
        ::unlink(COPY_IN_PROGRESS);
        return false;
    }
    // The rename must be on disk before the source is deleted.
    const int folder = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

// What normalising one picture comes to, worked out from the file alone so that the next
// pictures can be prepared on other cores while this one is written.
struct Normalised {
    bool readable = false;
    bool copied = false;         // needs a copy under "Puzzle" + name
    std::vector<uint8_t> jpeg;   // that copy; empty if it could not be encoded
};

Normalised PrepareCopy(const std::string& name) {
    Normalised result;
    try {
        const std::optional<Pixmap> picture = DecodeForNormalising(name);
        if (!picture) return result;
        result.readable = true;
        const bool tooLarge = picture->width > MOTIVE_SIDE || picture->height > MOTIVE_SIDE;
        if (!tooLarge && HasPrefix(name)) return result;
        result.copied = true;
        if (picture->width == MOTIVE_SIDE && picture->height == MOTIVE_SIDE) {
            result.jpeg = EncodeJPeg(*picture, 75);
        } else {
            result.jpeg = EncodeJPeg(ResizePixmap(*picture, MOTIVE_SIDE, MOTIVE_SIDE), 75);
        }
    } catch (const std::exception&) {
        // Out of memory for this picture: it is left as it is, like one that can't be read.
        result = Normalised{};
    }
    return result;
}

// Returns true when the copy was written.
bool CarryOut(const std::string& name, const Normalised& n) {
    if (!n.copied) {
        // Also our own copies of PNG pictures: they hold JPEG data, which the PNG decoder
        // refuses. A file without the prefix that can't be read at all is left as it is.
        if (HasPrefix(name)) DebugLog("Motiv yet exists ");
        return false;
    }
    // The source goes only once its copy is safely written; otherwise it stays and is catalogued.
    if (!WriteFileSafely("Puzzle" + name, n.jpeg)) return false;
    std::error_code error;
    fs::remove(name, error);
    return true;
}

std::future<Normalised> PrepareAhead(const std::string& name) {
    try {
        return std::async(std::launch::async, PrepareCopy, name);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, PrepareCopy, name);  // no thread to spare
    }
}

// The pictures in listing order, each decided as if the ones before it were done, while the
// next one is decoded ahead on another core: decoding a camera photo is most of the work. The
// workers only read and decode; every file is written and deleted here, in listing order.
void NormalisePictures(const std::vector<std::string>& pictures) {
    // Two at a time: a large PNG can take hundreds of megabytes while it is decoded.
    const size_t ahead = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 2);
    std::set<std::string> written;
    std::deque<std::future<Normalised>> prepared;
    size_t next = 0;
    for (const std::string& name : pictures) {
        while (next < pictures.size() && prepared.size() < ahead) {
            prepared.push_back(PrepareAhead(pictures[next++]));
        }
        Normalised n = prepared.front().get();
        prepared.pop_front();
        // A copy written earlier in this pass may have replaced this file after it was read.
        if (written.contains(name)) n = PrepareCopy(name);
        if (CarryOut(name, n)) written.insert("Puzzle" + name);
    }
}

}  // namespace

bool HasPictureEnding(const std::string& name) {
    const std::string ending = LowerEnding(name);
    return ending == ".png" || ending == ".jpg" || ending == "jpeg";
}

void NormaliseMotiveFolder() {
    // Taken once, before anything is written, so the copies made here are not visited again.
    const std::vector<std::string> names = ListFolder(MOTIVE_FOLDER);
    {
        FolderVisit visit(MOTIVE_FOLDER);
        if (visit.entered()) {
            std::vector<std::string> pictures;
            for (const std::string& name : names) {
                if (IsPictureFile(name)) pictures.push_back(name);
            }
            NormalisePictures(pictures);
        }
    }
    DebugLog("Done");
}

void BuildMotiveCatalogue() {
    const std::vector<std::string> names = ListFolder(MOTIVE_FOLDER);
    FolderVisit visit(MOTIVE_FOLDER);
    uint16_t i = 0;
    if (visit.entered()) {
        for (const std::string& name : names) {
            if (!IsPictureFile(name)) continue;
            G.M = &G.MotivesList.emplace_back();
            if (TMotives::AddMotiv(i, name)) {
                i = uint16_t(i + 1);
            } else {
                // An unreadable file gets no record and no number, so the numbers stay gapless.
                G.MotivesList.pop_back();
                G.M = G.MotivesList.empty() ? nullptr : &G.MotivesList.back();
            }
        }
    }
    G.CountMotives = i;
}
