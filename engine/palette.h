// palette.h: the game's fixed sixteen-colour palette and the colour values it hands out.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <string_view>

namespace tintwise::engine {

// A colour laid out 0x00BBGGRR, red in the low byte. Two cells hold the same colour exactly
// when their values are equal; colours are never compared any other way.
using ColourValue = std::int32_t;

// Index into the palette, 0..15.
using ColourIndex = int;

inline constexpr int kPaletteSize = 16;

// Palette buttons Cmd0..Cmd14; index 15 (white) has no button.
inline constexpr int kPaletteButtonCount = 15;

// The colour of an unset cell: index 15. It can never be picked and is never part of a secret.
inline constexpr ColourIndex kEmptyCellIndex = 15;
inline constexpr ColourValue kWhite = 0xFFFFFF;

// An unset CurrentColour paints as black, the colour of index 0.
inline constexpr ColourValue kBlack = 0x000000;

namespace detail {
inline constexpr std::array<ColourValue, kPaletteSize> kPaletteValues = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};
inline constexpr std::array<std::string_view, kPaletteSize> kPaletteNames = {
    "Black",     "Blue",          "Green",        "Cyan",         "Red",         "Magenta",
    "Yellow",    "White",         "Gray",         "Light Blue",   "Light Green", "Light Cyan",
    "Light Red", "Light Magenta", "Light Yellow", "Bright White",
};
} // namespace detail

// The colour value of palette index i (0..15).
constexpr ColourValue QBColor(ColourIndex i)
{
    assert(i >= 0 && i < kPaletteSize);
    return detail::kPaletteValues[static_cast<std::size_t>(i)];
}

// The English name of palette index i, as a screen reader should speak it ("Light Red").
constexpr std::string_view colourName(ColourIndex i)
{
    assert(i >= 0 && i < kPaletteSize);
    return detail::kPaletteNames[static_cast<std::size_t>(i)];
}

// The palette index whose colour is v, or -1 when v is not a palette colour.
constexpr ColourIndex colourIndexOf(ColourValue v)
{
    for (int i = 0; i < kPaletteSize; ++i) {
        if (detail::kPaletteValues[static_cast<std::size_t>(i)] == v) {
            return i;
        }
    }
    return -1;
}

// Byte accessors; a window converts a colour value through these, never through a packed
// 0xAARRGGBB integer, which would swap red and blue.
constexpr int redOf(ColourValue v) { return v & 0xFF; }
constexpr int greenOf(ColourValue v) { return (v >> 8) & 0xFF; }
constexpr int blueOf(ColourValue v) { return (v >> 16) & 0xFF; }

} // namespace tintwise::engine
