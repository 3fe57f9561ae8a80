// Test helpers for the motive folder: a fresh "Motives/" in a temporary working directory, and
// picture files written with the game's own encoders.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "gfx/gfx.h"

namespace fs = std::filesystem;

// Makes a temporary folder, enters it and makes "Motives/" in it (unless told not to); goes back
// and removes everything when the test ends.
class TempMotiveFolder {
public:
    explicit TempMotiveFolder(bool withMotives = true) {
        std::string pattern = (fs::temp_directory_path() / "kz-motives-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        home_ = fs::current_path();
        fs::current_path(root_);
        if (withMotives) fs::create_directory("Motives");
    }
    ~TempMotiveFolder() {
        std::error_code error;
        fs::current_path(home_, error);
        fs::remove_all(root_, error);
    }
    TempMotiveFolder(const TempMotiveFolder&) = delete;
    TempMotiveFolder& operator=(const TempMotiveFolder&) = delete;
    const fs::path& root() const { return root_; }

private:
    fs::path root_;
    fs::path home_;
};

inline void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool IsJPegData(const std::vector<uint8_t>& bytes) {
    return bytes.size() > 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

// Every entry of a folder: a file's bytes, or the marker "<folder>" for a folder.
inline std::map<std::string, std::vector<uint8_t>> FolderContents(const fs::path& folder) {
    static const std::string marker = "<folder>";
    std::map<std::string, std::vector<uint8_t>> contents;
    for (const auto& entry : fs::directory_iterator(folder)) {
        contents[entry.path().filename().string()] =
            entry.is_directory() ? std::vector<uint8_t>(marker.begin(), marker.end()) : ReadBytes(entry.path());
    }
    return contents;
}

inline std::vector<std::string> FolderNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : FolderContents(folder)) names.push_back(name);
    return names;
}

// A smooth picture with coarse checks, which JPEG keeps well: a copy can be compared with it.
inline gfx::Pixmap TestPicture(int width, int height, int seed = 0) {
    gfx::Pixmap p = gfx::CreatePixmap(width, height, false);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t r = uint32_t(x * 255 / width);
            const uint32_t g = uint32_t(y * 255 / height);
            const uint32_t b = ((x * 8 / width + y * 8 / height + seed) % 2) ? 200 : 40;
            gfx::WritePixel(p, x, y, 0xFF000000u | r << 16 | g << 8 | b);
        }
    }
    return p;
}

// Mean difference per colour channel between two pictures of the same size (255 when the sizes
// differ).
inline double MeanDifference(const gfx::Pixmap& a, const gfx::Pixmap& b) {
    if (a.width != b.width || a.height != b.height) return 255;
    double sum = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        if (i % 4 != 3) sum += std::abs(int(a.pixels[i]) - int(b.pixels[i]));
    }
    return sum / (double(a.width) * a.height * 3);
}
