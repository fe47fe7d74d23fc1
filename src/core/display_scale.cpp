#include "core/display_scale.h"

#include <cstdint>
#include <limits>

int ScaleToDpi(int pixels, int dpi) {
    if (dpi <= 0 || dpi == BaseDpi) return pixels;
    int64_t product = static_cast<int64_t>(pixels) * dpi;
    int64_t half = BaseDpi / 2;
    int64_t scaled = product >= 0 ? (product + half) / BaseDpi : (product - half) / BaseDpi;
    if (scaled > std::numeric_limits<int>::max() || scaled < std::numeric_limits<int>::min()) return pixels;
    return static_cast<int>(scaled);
}
