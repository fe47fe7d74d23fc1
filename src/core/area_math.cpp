// Tracking-area arithmetic of the Tablet Setup dialog: field values, edits
// of one field, reshaping to the display's proportions and the spin step.
// Everything is unsigned 32-bit; a halving rounds down; a real becomes a
// count by adding 0.5 and truncating.
#include "core/area_math.h"

#include <cmath>
#include <cstdint>

#include "core/fixed_point.h"
#include "core/measure.h"

namespace {

uint32_t Lower(uint32_t a, uint32_t b) { return a < b ? a : b; }

bool FinitePositive(double v) { return std::isfinite(v) && v > 0.0; }

// A real turned into a count, saturating instead of wrapping.
uint32_t RoundToCount(double v) {
    const double t = v + 0.5;
    if (!(t >= 0.0)) return 0;  // NaN as well
    if (t >= 4294967296.0) return 0xFFFFFFFFu;
    return static_cast<uint32_t>(t);
}

// A real turned into pixels; false when it has no place in an int.
bool RoundToPixels(double v, int& out) {
    const double t = v + 0.5;
    if (!(t >= 0.0 && t < 2147483648.0)) return false;
    out = static_cast<int>(t);
    return true;
}

// The area's edges as the unsigned values the arithmetic works on.
struct Edges {
    uint32_t L, T, R, B;
};

Edges EdgesOf(const AreaBox& a) {
    return {static_cast<uint32_t>(a.left), static_cast<uint32_t>(a.top), static_cast<uint32_t>(a.right),
            static_cast<uint32_t>(a.bottom)};
}

// A size below the least extent grows to it, pulled back so that the area
// still ends on the tablet.
void KeepLeastExtent(uint32_t& position, uint32_t& size, uint32_t limit, uint32_t step) {
    const uint32_t least = MinimumAreaExtent(step, limit);
    if (size >= least) return;
    size = least;
    if (position > limit - size) position = limit - size;
}

void Store(AreaBox& a, uint32_t L, uint32_t T, uint32_t w, uint32_t h, const AreaLimits& limits) {
    KeepLeastExtent(L, w, limits.W, limits.areaStep);
    KeepLeastExtent(T, h, limits.H, limits.areaStep);
    a.left = static_cast<int32_t>(L);
    a.top = static_cast<int32_t>(T);
    a.right = static_cast<int32_t>(L + w);
    a.bottom = static_cast<int32_t>(T + h);
}

// The display shape as the edits use it; absent when it cannot be used, so
// that Preserve Aspect Ratio then acts as if it were off.
struct Shape {
    bool usable;
    double D;
    uint32_t maxW, maxH;  // never beyond the tablet
};

Shape ShapeOf(const AreaLimits& limits) {
    Shape s;
    s.usable = limits.aspectUsable && FinitePositive(limits.displayAspect);
    s.D = s.usable ? limits.displayAspect : 1.0;
    s.maxW = Lower(limits.maxAreaWidth, limits.W);
    s.maxH = Lower(limits.maxAreaHeight, limits.H);
    return s;
}

// Display-shaped partners of a width or a height; rounding may make one a
// count too large for the tablet, so it is held to the limit.
uint32_t HeightFor(uint32_t w, const Shape& s, uint32_t H) { return Lower(RoundToCount(w * s.D), H); }
uint32_t WidthFor(uint32_t h, const Shape& s, uint32_t W) { return Lower(RoundToCount(h / s.D), W); }

// True when h0 / w0 (as reals) exceeds D; a zero width is infinitely tall
// unless the height is zero too.
bool TallerThan(uint32_t h0, uint32_t w0, double D) {
    if (w0 == 0) return h0 != 0;
    return static_cast<double>(h0) / static_cast<double>(w0) > D;
}

}  // namespace

void ComputeDisplayFigures(const AxisInfo& x, const AxisInfo& y, int vertSize, int horzSize, int aspectY, int aspectX,
                           AreaLimits& limits, DisplayShape& shape) {
    const uint32_t W = limits.W;
    const uint32_t H = limits.H;
    const int u = static_cast<int>(x.unitCode - 1);  // the x axis's own unit

    const double physicalW = CountsToUnitsOnAxis(W, u, KindLengthX, x);
    const double physicalH = CountsToUnitsOnAxis(H, u, KindLengthY, y);
    const double ky = CountsToUnitsOnAxis(1000, u, KindLengthY, y);
    const double kx = CountsToUnitsOnAxis(1000, u, KindLengthX, x);
    const double tabletAspect = physicalW > 0.0 ? physicalH / physicalW : 0.0;
    const double displayAspect = (vertSize > 0 && horzSize > 0) ? static_cast<double>(vertSize) / horzSize : 0.0;
    const double pixelAspect = (aspectY > 0 && aspectX > 0) ? static_cast<double>(aspectY) / aspectX : 0.0;
    const double countAspect = kx > 0.0 ? (ky / kx) * displayAspect : 0.0;

    shape.tabletAspect = FinitePositive(tabletAspect) ? tabletAspect : 0.0;
    const double controlShape = pixelAspect * shape.tabletAspect;
    shape.controlShape = FinitePositive(controlShape) ? controlShape : 0.0;

    limits.displayAspect = displayAspect;
    limits.aspectUsable = W > 0 && H > 0 && FinitePositive(displayAspect) && FinitePositive(shape.tabletAspect) &&
                          FinitePositive(countAspect);
    if (!limits.aspectUsable) {
        limits.maxAreaWidth = W;
        limits.maxAreaHeight = H;
        return;
    }
    // The largest display-shaped area is held inside the tablet even where
    // rounding or unequal axis resolutions would take it a little beyond.
    if (displayAspect < tabletAspect) {
        limits.maxAreaWidth = W;
        limits.maxAreaHeight = Lower(RoundToCount(W * countAspect), H);
    } else {
        limits.maxAreaHeight = H;
        limits.maxAreaWidth = Lower(RoundToCount(H / countAspect), W);
    }
}

ControlBox ReshapeAreaControl(ControlBox box, const DisplayShape& shape) {
    if (!FinitePositive(shape.tabletAspect) || !FinitePositive(shape.controlShape)) return box;
    if (shape.tabletAspect < 1.0) {
        // A wide tablet: lower the control, keeping its bottom edge.
        int height;
        if (!RoundToPixels(box.height * shape.controlShape, height)) return box;
        const int64_t y = static_cast<int64_t>(box.y) + box.height - height;
        if (y < INT32_MIN || y > INT32_MAX) return box;
        box.y = static_cast<int>(y);
        box.height = height;
    } else {
        // A tall tablet: narrow the control, keeping it centred.
        int width;
        if (!RoundToPixels(box.width / shape.controlShape, width)) return box;
        const int64_t x = static_cast<int64_t>(box.x) + (static_cast<int64_t>(box.width) - width) / 2;
        if (x < INT32_MIN || x > INT32_MAX) return box;
        box.x = static_cast<int>(x);
        box.width = width;
    }
    return box;
}

uint32_t AreaFieldValue(AreaField field, const AreaBox& area, uint32_t W, uint32_t H) {
    const Edges e = EdgesOf(area);
    switch (field) {
    case AreaFieldWidth: return e.R - e.L;
    case AreaFieldHeight: return e.B - e.T;
    case AreaFieldLeft: return e.L;
    case AreaFieldTop: return e.T;
    case AreaFieldRight: return W - e.R;
    case AreaFieldBottom: return H - e.B;
    default: return 0;
    }
}

unsigned AreaFieldKind(AreaField field) {
    switch (field) {
    case AreaFieldHeight:
    case AreaFieldTop:
    case AreaFieldBottom: return KindLengthY;
    default: return KindLengthX;
    }
}

bool AreaFieldValueAllowed(AreaField field, uint32_t value, const AreaLimits& limits) {
    switch (field) {
    case AreaFieldWidth: return value >= MinimumAreaExtent(limits.areaStep, limits.W);
    case AreaFieldHeight: return value >= MinimumAreaExtent(limits.areaStep, limits.H);
    default: return true;
    }
}

uint32_t Recentre(uint32_t position, uint32_t oldSize, uint32_t newSize, uint32_t limit) {
    uint32_t p = position;
    if (newSize > oldSize) {
        uint32_t d = (newSize - oldSize) / 2;
        if (d > p) d = p;
        p -= d;
        if (limit - newSize <= p) p = limit - newSize;
    } else if (newSize < oldSize) {
        p += (oldSize - newSize) / 2;
        if (limit - newSize < p) p = limit - newSize;
    }
    return p;
}

void SetAreaField(AreaField field, uint32_t value, bool preserve, AreaBox& area, const AreaLimits& limits) {
    const uint32_t W = limits.W;
    const uint32_t H = limits.H;
    const Shape s = ShapeOf(limits);
    preserve = preserve && s.usable;
    Edges e = EdgesOf(area);
    const uint32_t w0 = e.R - e.L;
    const uint32_t h0 = e.B - e.T;
    uint32_t w = w0;
    uint32_t h = h0;
    uint32_t v = value;

    switch (field) {
    case AreaFieldWidth:
        w = v;
        if (preserve) {
            if (v > s.maxW) {
                w = s.maxW;
                h = s.maxH;
            } else {
                h = HeightFor(v, s, H);
            }
            e.T = Recentre(e.T, h0, h, H);
        } else if (v >= W) {
            w = W;
        }
        e.L = Recentre(e.L, w0, w, W);
        break;
    case AreaFieldHeight:
        h = v;
        if (preserve) {
            if (v > s.maxH) {
                h = s.maxH;
                w = s.maxW;
            } else {
                w = WidthFor(v, s, W);
            }
            e.L = Recentre(e.L, w0, w, W);
        } else if (v >= H) {
            h = H;
        }
        e.T = Recentre(e.T, h0, h, H);
        break;
    case AreaFieldLeft:
        e.L = Lower(v, W);
        if (W - e.L < w0) {
            w = W - e.L;  // the right edge lies on the tablet's edge
            if (preserve) {
                h = HeightFor(w, s, H);
                e.T = Recentre(e.T, h0, h, H);
            }
        }
        break;
    case AreaFieldTop:
        e.T = Lower(v, H);
        if (H - e.T < h0) {
            h = H - e.T;
            if (preserve) {
                w = WidthFor(h, s, W);
                e.L = Recentre(e.L, w0, w, W);
            }
        }
        break;
    case AreaFieldRight:
        v = Lower(v, W);
        if (W - w0 >= v) {
            e.L = W - w0 - v;
        } else {
            e.L = 0;
            w = W - v;
            if (preserve) {
                h = HeightFor(w, s, H);
                e.T = Recentre(e.T, h0, h, H);
            }
        }
        break;
    case AreaFieldBottom:
        v = Lower(v, H);
        if (H - h0 >= v) {
            e.T = H - h0 - v;
        } else {
            e.T = 0;
            h = H - v;
            if (preserve) {
                w = WidthFor(h, s, W);
                e.L = Recentre(e.L, w0, w, W);
            }
        }
        break;
    default: return;
    }
    Store(area, e.L, e.T, w, h, limits);
}

void FitAspect(AreaBox& area, const AreaLimits& limits) {
    const Shape s = ShapeOf(limits);
    if (!s.usable) return;  // no display shape to fit: the area stays
    Edges e = EdgesOf(area);
    const uint32_t w0 = e.R - e.L;
    const uint32_t h0 = e.B - e.T;
    uint32_t w, h;
    if (TallerThan(h0, w0, s.D)) {
        h = h0;
        w = WidthFor(h0, s, 0xFFFFFFFFu);
        if (w > s.maxW) {
            w = s.maxW;
            h = s.maxH;
        }
    } else {
        w = w0;
        h = HeightFor(w0, s, 0xFFFFFFFFu);
        if (h > s.maxH) {
            h = s.maxH;
            w = s.maxW;
        }
    }
    e.L = Recentre(e.L, w0, w, limits.W);
    e.T = Recentre(e.T, h0, h, limits.H);
    Store(area, e.L, e.T, w, h, limits);
}

void AcceptControlArea(bool preserve, AreaBox reported, AreaBox& area, const AreaLimits& limits) {
    const Shape s = ShapeOf(limits);
    if (!preserve || !s.usable) {
        // Two corners pressed at one place make an area with no extent.
        const Edges r = EdgesOf(reported);
        if (r.L <= r.R && r.R <= limits.W && r.T <= r.B && r.B <= limits.H)
            Store(area, r.L, r.T, r.R - r.L, r.B - r.T, limits);
        else
            area = reported;
        return;
    }
    const uint32_t W = limits.W;
    const uint32_t H = limits.H;
    Edges a = EdgesOf(reported);
    const Edges old = EdgesOf(area);
    const uint32_t w = a.R - a.L;
    const uint32_t h = a.B - a.T;
    const bool leftKept = old.L == a.L;
    const bool topKept = old.T == a.T;
    uint32_t w2, h2;
    if (TallerThan(h, w, s.D)) {
        h2 = Lower(h, s.maxH);
        w2 = WidthFor(h2, s, 0xFFFFFFFFu);
        if (leftKept) {
            if (w2 > a.R) {
                w2 = a.R;
                h2 = HeightFor(a.R, s, 0xFFFFFFFFu);
            }
        } else if (w2 > W - a.L) {
            w2 = W - a.L;
            h2 = HeightFor(w2, s, 0xFFFFFFFFu);
        }
    } else {
        w2 = Lower(w, s.maxW);
        h2 = HeightFor(w2, s, 0xFFFFFFFFu);
        if (topKept) {
            if (h2 > a.B) {
                h2 = a.B;
                w2 = WidthFor(a.B, s, 0xFFFFFFFFu);
            }
        } else if (h2 > H - a.T) {
            h2 = H - a.T;
            w2 = WidthFor(h2, s, 0xFFFFFFFFu);
        }
    }
    // The lower-left corner stays, so the area must still end at the right
    // edge and start at the top edge at most; rounding and the corner rules
    // above can overshoot either by a little.
    if (a.L <= W && a.B <= H) {
        if (w2 > W - a.L) {
            w2 = W - a.L;
            h2 = HeightFor(w2, s, H);
        }
        if (h2 > a.B) {
            h2 = a.B;
            w2 = Lower(WidthFor(h2, s, W), W - a.L);
        }
    }
    if (w2 != w) a.R = a.L + w2;
    if (h2 != h) a.T = a.B - h2;
    Store(area, a.L, a.T, a.R - a.L, a.B - a.T, limits);
}

uint32_t AreaStep(uint32_t resolution) {
    const uint32_t step = RoundFixed(resolution / 100);
    // Below 50 counts per unit the hundredth rounds to 0; step by one count.
    return step == 0 ? 1 : step;
}

bool SpinAreaValue(uint32_t current, uint32_t step, bool up, uint32_t& value) {
    const uint64_t s = step == 0 ? 1 : step;
    // In 64 bits: near the top of the range the rounding would wrap to 0.
    const uint64_t r = s * ((s / 2 + current) / s);
    if (!up && r == 0) return false;
    const uint64_t v = up ? r + s : r - s;
    value = v > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(v);
    return true;
}
