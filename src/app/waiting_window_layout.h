// The waiting window's layout, the same on every desktop that draws it. The window was drawn
// in twips; these are its sizes in pixels at 96 dots per inch (15 twips to the pixel), and
// its label's font, 24 points, at that density.
#pragma once

namespace scenario::waiting_layout {

inline constexpr int width = 280;
inline constexpr int height = 179;
inline constexpr int label_left = 64;
inline constexpr int label_top = 64;
inline constexpr int label_width = 177;
inline constexpr int label_height = 53;
inline constexpr int label_font_pixels = 32;

}  // namespace scenario::waiting_layout
