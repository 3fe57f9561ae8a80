// Files carried inside the program ("incbin::" names), reading a file or resource whole, and
// the debug log.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <system_error>

#include "gfx/gfx.h"

namespace gfx {

namespace {

constexpr const char* INCBIN_PREFIX = "incbin::";
// Nothing the game reads legitimately comes near this; larger files are refused unread.
constexpr uintmax_t MAX_FILE_BYTES = uintmax_t(256) << 20;

std::map<std::string, std::span<const uint8_t>>& Registry() {
    static std::map<std::string, std::span<const uint8_t>> registry;
    return registry;
}

}  // namespace

void IncBin(const std::string& name, std::span<const uint8_t> bytes) { Registry()[name] = bytes; }

std::optional<std::span<const uint8_t>> IncBinData(const std::string& name) {
    const auto found = Registry().find(name);
    if (found == Registry().end()) return std::nullopt;
    return found->second;
}

std::optional<std::vector<uint8_t>> ReadUrl(const std::string& url) {
    const std::string prefix = INCBIN_PREFIX;
    if (url.starts_with(prefix)) {
        const auto data = IncBinData(url.substr(prefix.size()));
        if (!data) return std::nullopt;
        return std::vector<uint8_t>(data->begin(), data->end());
    }
    std::error_code error;
    const std::filesystem::path path(url);
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > MAX_FILE_BYTES) return std::nullopt;

    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    // A file that shrank while being read gives what was there; one that grew is cut at the size.
    bytes.resize(size_t(in.gcount()));
    if (in.bad()) return std::nullopt;
    return bytes;
}

void DebugLog(const std::string& line) {
#ifndef NDEBUG
    // One write, so lines from decoding threads don't interleave.
    std::cerr << (line + '\n') << std::flush;
#else
    (void)line;
#endif
}

}  // namespace gfx
