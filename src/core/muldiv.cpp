// MulDiv with the platform's rounding, and the halved form used for every
// scaling between tablet counts, pixels and fixed-point factors.
#include "core/muldiv.h"

#include <climits>

int TABLET_STDCALL PortableMulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    // Work on magnitudes so that halves round away from zero on both sides;
    // |product| <= 2^62 and |c| <= 2^31, so nothing here overflows.
    const uint64_t magnitude =
        product < 0 ? 0 - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
    const uint64_t divisor =
        c < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(c)) : static_cast<uint64_t>(c);
    const uint64_t quotient = (magnitude + divisor / 2) / divisor;
    if (negative) {
        if (quotient > static_cast<uint64_t>(INT_MAX) + 1) return -1;
        return static_cast<int>(0 - static_cast<int64_t>(quotient));
    }
    if (quotient > static_cast<uint64_t>(INT_MAX)) return -1;
    return static_cast<int>(quotient);
}

uint32_t MulDivHalved(uint32_t a, uint32_t b, uint32_t c) {
    const int half = MulDivFunction(static_cast<int>(a >> 1), static_cast<int>(b >> 1),
                                    static_cast<int>(c >> 1));
    // -1 (divisor 0 or overflow) doubles to 0xFFFFFFFE, as the callers expect.
    return static_cast<uint32_t>(half) << 1;
}
