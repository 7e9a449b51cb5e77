#pragma once

#include <cstdint>
#include <string_view>

// The cells of the compiled-in look tables: a number (Int, Color, Bool) or a resource name (Image).
namespace theme_cells {

struct Cell {
    std::int32_t number = 0;
    std::string_view image;
};

// Colours are written #RRGGBB as people read them and stored 0x00BBGGRR as controls use them.
constexpr Cell rgb(std::uint32_t rrggbb)
{
    const std::uint32_t r = (rrggbb >> 16) & 0xFF;
    const std::uint32_t g = (rrggbb >> 8) & 0xFF;
    const std::uint32_t b = rrggbb & 0xFF;
    return Cell{static_cast<std::int32_t>((b << 16) | (g << 8) | r), {}};
}
constexpr Cell num(std::int32_t value) { return Cell{value, {}}; }
constexpr Cell img(std::string_view name) { return Cell{0, name}; }

} // namespace theme_cells
