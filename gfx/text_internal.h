// Inside the drawing layer: turning the game's UTF-8 texts into characters.
#pragma once

#include <string>
#include <string_view>

namespace gfx::detail {

// Strict UTF-8: overlong forms, surrogates and code points past U+10FFFF are refused; every
// broken sequence becomes one '?'.
std::u32string DecodeUtf8(std::string_view text);

}  // namespace gfx::detail
