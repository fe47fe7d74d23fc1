// Pixel sizes drawn at the display's scale. Window-free.
#pragma once

// The DPI at which the program's fixed pixel sizes hold as written.
constexpr int BaseDpi = 96;

// A size in pixels at 96 DPI turned into pixels at dpi: pixels x dpi / 96,
// rounded to nearest (halves away from zero). At 96 DPI, or for a DPI that
// is not positive or would overflow, the size is returned as it is.
int ScaleToDpi(int pixels, int dpi);
