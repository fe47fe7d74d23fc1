// The tracking-area invariant: whatever the tablet, the display and the
// sequence of edits, an area that starts inside the tablet stays inside it,
// with right not before left and bottom not before top.
// Input: W, H, the two axes, the display's four figures, a flag for
// hand-made limits, the start area, then edits of 13 bytes each.
#include "fuzz_input.h"
#include "core/area_math.h"

namespace {

// The six fields and one value that is not a field.
const AreaField Fields[] = {AreaFieldWidth, AreaFieldHeight, AreaFieldLeft, AreaFieldTop,
                            AreaFieldRight, AreaFieldBottom, AreaFieldCount};

// An ordered span inside 0..limit from two arbitrary numbers.
void Span(uint32_t a, uint32_t b, uint32_t limit, uint32_t& from, uint32_t& to) {
    const uint64_t range = static_cast<uint64_t>(limit) + 1;
    from = static_cast<uint32_t>(a % range);
    to = from + static_cast<uint32_t>(b % (range - from));
}

AreaBox Inside(FuzzInput& in, uint32_t W, uint32_t H) {
    uint32_t L, R, T, B;
    const uint32_t a = in.U32(), b = in.U32(), c = in.U32(), d = in.U32();
    Span(a, b, W, L, R);
    Span(c, d, H, T, B);
    return {static_cast<int32_t>(L), static_cast<int32_t>(T), static_cast<int32_t>(R), static_cast<int32_t>(B)};
}

void CheckInside(const AreaBox& a, uint32_t W, uint32_t H) {
    const uint32_t L = static_cast<uint32_t>(a.left), T = static_cast<uint32_t>(a.top);
    const uint32_t R = static_cast<uint32_t>(a.right), B = static_cast<uint32_t>(a.bottom);
    FUZZ_CHECK(L <= R && R <= W);
    FUZZ_CHECK(T <= B && B <= H);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    AreaLimits limits = {};
    limits.W = in.U32();
    limits.H = in.U32();
    AxisInfo x = in.Axis();
    AxisInfo y = in.Axis();
    const int vert = in.I32(), horz = in.I32(), aspectY = in.I32(), aspectX = in.I32();
    const uint8_t flags = in.Byte();

    DisplayShape shape;
    ComputeDisplayFigures(x, y, vert, horz, aspectY, aspectX, limits, shape);
    if (!limits.aspectUsable) {
        FUZZ_CHECK(limits.maxAreaWidth == limits.W && limits.maxAreaHeight == limits.H);
    } else {
        FUZZ_CHECK(limits.maxAreaWidth <= limits.W && limits.maxAreaHeight <= limits.H);
    }
    if (flags & 1) {
        // Hand-made limits: nothing about them is trusted.
        limits.displayAspect = in.Real();
        limits.maxAreaWidth = in.U32();
        limits.maxAreaHeight = in.U32();
        limits.aspectUsable = (flags & 2) != 0;
    }
    const ControlBox box = {in.I32(), in.I32(), in.I32(), in.I32()};
    ReshapeAreaControl(box, shape);

    AreaBox area = Inside(in, limits.W, limits.H);
    const uint32_t step = AreaStep(x.resolution);
    FUZZ_CHECK(step >= 1);
    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        const bool preserve = (op & 0x80) != 0;
        const AreaField field = Fields[((op >> 3) & 7) % 7];
        switch (op & 7) {
        case 0:
        case 1: SetAreaField(field, in.U32(), preserve, area, limits); break;
        case 2: FitAspect(area, limits); break;
        case 3: AcceptControlArea(preserve, Inside(in, limits.W, limits.H), area, limits); break;
        case 4: {
            uint32_t v = 0;
            const uint32_t current = AreaFieldValue(field, area, limits.W, limits.H);
            if (SpinAreaValue(current, step, (op & 0x40) != 0, v)) SetAreaField(field, v, preserve, area, limits);
            break;
        }
        case 5: {
            // A corner pair from a driver that breaks the rules: no
            // promise about the result, but no fault either.
            AreaBox scratch = area;
            const AreaBox wild = {in.I32(), in.I32(), in.I32(), in.I32()};
            AcceptControlArea(preserve, wild, scratch, limits);
            SetAreaField(field, in.U32(), preserve, scratch, limits);
            FitAspect(scratch, limits);
            break;
        }
        default: area = Inside(in, limits.W, limits.H); break;
        }
        CheckInside(area, limits.W, limits.H);
        FUZZ_CHECK(AreaFieldKind(field) <= 1);
    }
    return 0;
}
