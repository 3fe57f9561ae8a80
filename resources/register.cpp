// Makes the embedded cursor, button pictures and font reachable under their "incbin::" names.
#include "resources/resources.h"

#include <cstddef>
#include <cstdint>
#include <span>

#include "gfx/gfx.h"

// The arrays come from the file generated at build time (embed.cmake).
extern const std::uint8_t res_cursor[];
extern const std::size_t res_cursor_size;
extern const std::uint8_t res_font[];
extern const std::size_t res_font_size;
extern const std::uint8_t res_button[];
extern const std::size_t res_button_size;
extern const std::uint8_t res_button_left[];
extern const std::size_t res_button_left_size;
extern const std::uint8_t res_button_right[];
extern const std::size_t res_button_right_size;

void RegisterResources()
{
    gfx::IncBin("Cursor.bmp", std::span(res_cursor, res_cursor_size));
    gfx::IncBin("Fonts\\CONTF___.ttf", std::span(res_font, res_font_size));
    gfx::IncBin("Archive\\Buttonunbeschriftet.png", std::span(res_button, res_button_size));
    gfx::IncBin("Archive\\ButtonL.png", std::span(res_button_left, res_button_left_size));
    gfx::IncBin("Archive\\ButtonR.png", std::span(res_button_right, res_button_right_size));
}
