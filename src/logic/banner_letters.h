#pragma once

#include <array>

// The welcome banner as the design lays it out: one label per letter, in typing order, at its
// position inside the panel in twips. Plain data, so the animation can be exercised without
// widgets or fonts.
namespace Banner {

enum class Face {
    Decorative, // the first row's display face, 72 pt
    Medium, // Arial 36 pt bold
    Large, // Arial 48 pt bold
};

struct Letter
{
    char letter;
    double left;
    double top;
    Face face;
};

inline constexpr double pointSize(Face face)
{
    switch (face) {
    case Face::Decorative:
        return 72;
    case Face::Medium:
        return 36;
    case Face::Large:
        return 48;
    }
    return 0;
}

// What the banner says once typed; screen readers get it whole instead of letter by letter.
inline constexpr const char *text = "Thank You For Downloading Glyphorbitaloscopex";

inline constexpr int letterCount = 41;

using enum Face;
inline constexpr std::array<Letter, letterCount> letters { {
    { 'T', 1200, 480, Decorative },
    { 'h', 2400, 480, Decorative },
    { 'a', 3720, 480, Decorative },
    { 'n', 5160, 480, Decorative },
    { 'k', 6480, 480, Decorative },
    { 'Y', 8640, 480, Decorative },
    { 'o', 9960, 480, Decorative },
    { 'u', 11280, 480, Decorative },
    // The second row's letters sit at different heights, as drawn.
    { 'F', 2040, 2880, Medium },
    { 'o', 2760, 3120, Medium },
    { 'r', 3360, 2880, Medium },
    { 'D', 4680, 2880, Medium },
    { 'o', 5400, 3120, Medium },
    { 'w', 6000, 2760, Medium },
    { 'n', 6720, 2880, Medium },
    { 'l', 7440, 3000, Medium },
    { 'o', 7920, 3120, Medium },
    { 'a', 8400, 2880, Medium },
    { 'd', 9120, 2880, Medium },
    { 'i', 9840, 3120, Medium },
    { 'n', 10320, 3120, Medium },
    { 'g', 11040, 2880, Medium },
    // The third row's design positions were laid out for a name of other letters, so only its
    // first letter keeps its own; the rest are placed by their drawn widths (WelcomeAnimation).
    { 'G', 480, 4680, Large },
    { 'l', 1200, 4680, Large },
    { 'y', 1920, 4680, Large },
    { 'p', 3120, 4680, Large },
    { 'h', 3840, 4680, Large },
    { 'o', 4560, 4680, Large },
    { 'r', 5280, 4680, Large },
    { 'b', 5640, 4680, Large },
    { 'i', 6480, 4680, Large },
    { 't', 7200, 4680, Large },
    { 'a', 7800, 4680, Large },
    { 'l', 8160, 4680, Large },
    { 'o', 8760, 4680, Large },
    { 's', 9840, 4680, Large },
    { 'c', 10440, 4680, Large },
    { 'o', 10800, 4680, Large },
    { 'p', 11400, 4680, Large },
    { 'e', 12000, 4680, Large },
    { 'x', 12600, 4680, Large },
} };

} // namespace Banner
