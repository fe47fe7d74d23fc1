// The Tablet Setup dialog's settings record: how it maps onto the driver's
// context record, button-map comparison and pen-option codes, and which
// mouse clicks a button map takes away.
#include "core/settings.h"

#include <cctype>
#include <cstring>

#include "defs/features.h"

namespace {

// The pen option's written form of action codes 0..6.
const uint8_t PenCodeTable[PenOptionCodeCount] = {0x00, 0x11, 0x22, 0x33, 0x74, 0x85, 0x96};

const char DefaultSystemName[] = "Default System";
constexpr int DefaultSystemLength = 14;

// Area arithmetic is unsigned 32-bit; the record holds the results signed.
int32_t AsSigned(uint32_t v) { return static_cast<int32_t>(v); }
uint32_t AsUnsigned(int32_t v) { return static_cast<uint32_t>(v); }

// An extent the driver holds, as a signed span: counted unsigned, as the
// dialog counts, when that fits the tablet (a tablet as wide as 32 bits holds
// its width as -1), otherwise signed (a negative extent, a mirrored area).
int64_t ExtentSpan(int32_t extent, uint32_t limit) {
    return AsUnsigned(extent) <= limit ? static_cast<int64_t>(AsUnsigned(extent)) : static_cast<int64_t>(extent);
}

// One axis of an area read from the driver. low and high are the edges as
// the dialog counts them (unsigned); from and to the same edges worked out
// from the driver's signed origin and its span.
void FitAxisOnTablet(uint32_t low, uint32_t high, int64_t from, int64_t to, uint32_t limit, uint32_t step,
                     int32_t& outLow, int32_t& outHigh) {
    // Nothing lies on an axis without extent; the driver's area is kept
    // rather than shrunk to nothing.
    const uint32_t least = MinimumAreaExtent(step, limit);
    if ((low <= high && high <= limit && high - low >= least) || limit == 0) {
        outLow = AsSigned(low);
        outHigh = AsSigned(high);
        return;
    }
    // A negative extent covers the same span with its edges swapped.
    int64_t first = from < to ? from : to;
    int64_t last = from < to ? to : from;
    const int64_t span = last - first;
    const int64_t end = limit;
    if (span >= end) {
        first = 0;
        last = end;
    } else if (first < 0) {
        first = 0;
        last = span;
    } else if (last > end) {
        first = end - span;
        last = end;
    }
    // An area too short to map onto the screen grows from its low edge.
    if (last - first < least) {
        last = first + least;
        if (last > end) {
            first = end - least;
            last = end;
        }
    }
    outLow = AsSigned(static_cast<uint32_t>(first));
    outHigh = AsSigned(static_cast<uint32_t>(last));
}

}  // namespace

uint32_t MinimumAreaExtent(uint32_t step, uint32_t limit) { return step < limit ? step : limit; }

bool AreaAxisFits(int32_t low, int32_t high, uint32_t limit, uint32_t step) {
    if (limit == 0) return true;
    const uint32_t l = AsUnsigned(low), h = AsUnsigned(high);
    return l <= h && h <= limit && h - l >= MinimumAreaExtent(step, limit);
}

bool AreaFitsTablet(const AreaBox& area, uint32_t W, uint32_t H, uint32_t step) {
    return AreaAxisFits(area.left, area.right, W, step) && AreaAxisFits(area.top, area.bottom, H, step);
}

bool SameBasis(const SettingsBasis& a, const SettingsBasis& b) {
    return std::memcmp(&a.axisX, &b.axisX, sizeof a.axisX) == 0 &&
           std::memcmp(&a.axisY, &b.axisY, sizeof a.axisY) == 0 && a.cursor == b.cursor && a.penOption == b.penOption;
}

bool CoversWholeTablet(const AreaBox& area, uint32_t W, uint32_t H) {
    return area.left == 0 && area.top == 0 && AsUnsigned(area.right) == W && AsUnsigned(area.bottom) == H;
}

bool IsDefaultSystemName(const char name[40]) {
    if (name == nullptr) return false;
    for (int i = 0; i < DefaultSystemLength; ++i) {
        const int a = std::toupper(static_cast<unsigned char>(name[i]));
        const int b = std::toupper(static_cast<unsigned char>(DefaultSystemName[i]));
        if (a != b) return false;  // also stops at a shorter name's terminator
    }
    return true;
}

void SettingsFromContext(const ContextRecord& record, uint32_t W, uint32_t H, bool penOptionInContext,
                         SetupSettings& settings, uint32_t step) {
    settings.mode = (penOptionInContext || record.trackingMode == 0) ? 1u : 0u;
    settings.sensitivity = record.sensitivityX;
    const uint32_t originX = AsUnsigned(record.inOriginX);
    const uint32_t originY = AsUnsigned(record.inOriginY);
    const uint32_t extentX = AsUnsigned(record.inExtentX);
    const uint32_t extentY = AsUnsigned(record.inExtentY);
    // The driver's y runs upward from the tablet's bottom edge; the area's
    // runs downward from the top.
    const int64_t left = record.inOriginX;
    const int64_t bottom = static_cast<int64_t>(H) - record.inOriginY;
    FitAxisOnTablet(originX, extentX + originX, left, left + ExtentSpan(record.inExtentX, W), W, step,
                    settings.area.left, settings.area.right);
    FitAxisOnTablet(H - originY - extentY, H - originY, bottom - ExtentSpan(record.inExtentY, H), bottom, H, step,
                    settings.area.top, settings.area.bottom);
    settings.wholeTablet = CoversWholeTablet(settings.area, W, H) ? 1u : 0u;
}

AreaBox AreaAsHeld(const ContextRecord& record, uint32_t H) {
    const uint32_t originX = AsUnsigned(record.inOriginX), originY = AsUnsigned(record.inOriginY);
    const uint32_t extentX = AsUnsigned(record.inExtentX), extentY = AsUnsigned(record.inExtentY);
    return AreaBox{AsSigned(originX), AsSigned(H - originY - extentY), AsSigned(originX + extentX),
                   AsSigned(H - originY)};
}

void SettingsToContext(const SetupSettings& settings, uint32_t W, uint32_t H, ContextRecord& record) {
    record.trackingMode = settings.mode == 0 ? 1u : 0u;
    record.sensitivityX = settings.sensitivity;
    record.sensitivityY = settings.sensitivity;
    if (settings.wholeTablet != 0) {
        // Nothing lies on an axis without extent: its area stays the driver's.
        if (W != 0) {
            record.inOriginX = 0;
            record.inExtentX = AsSigned(W);
        }
        if (H != 0) {
            record.inOriginY = 0;
            record.inExtentY = AsSigned(H);
        }
        return;
    }
    const AreaBox& a = settings.area;
    record.inOriginX = a.left;
    record.inOriginY = AsSigned(H - AsUnsigned(a.bottom));
    record.inExtentX = AsSigned(AsUnsigned(a.right) - AsUnsigned(a.left));
    record.inExtentY = AsSigned(AsUnsigned(a.bottom) - AsUnsigned(a.top));
}

void CopySettingsFields(const ContextRecord& from, ContextRecord& to) {
    to.inOriginX = from.inOriginX;
    to.inOriginY = from.inOriginY;
    to.inExtentX = from.inExtentX;
    to.inExtentY = from.inExtentY;
    to.trackingMode = from.trackingMode;
    to.sensitivityX = from.sensitivityX;
    to.sensitivityY = from.sensitivityY;
}

void TranslatePenCodes(ButtonMap& map) {
    for (uint8_t& entry : map.entry) {
        const uint8_t code = entry & ActionCodeMask;
        if (code < sizeof PenCodeTable) entry = PenCodeTable[code];
    }
}

int SameButtonMap(const ButtonMap& a, const ButtonMap& b) {
    for (size_t i = 0; i < sizeof a.entry; ++i) {
        const int x = a.entry[i] & ActionCodeMask;
        const int y = b.entry[i] & ActionCodeMask;
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

uint32_t LostClicksMask(const ButtonMap& map, uint32_t buttonCount) {
    // A cursor without buttons has no clicks that settings could take away.
    if (buttonCount == 0) return 0;
    const uint32_t count = buttonCount < sizeof map.entry ? buttonCount : sizeof map.entry;
    bool left = false, right = false, any = false;
    for (uint32_t i = 0; i < count; ++i) {
        // The low nibble is the code in both the plain and the pen-option form.
        const uint8_t code = map.entry[i] & ActionCodeMask;
        left = left || (code >= 1 && code <= 3);
        right = right || (code >= 4 && code <= 6);
        any = any || (code >= 1 && code <= 9);
    }
    uint32_t mask = 0;
    if (!any) mask |= 1;
    if (!left) mask |= 2;
    // A one-button cursor never had a right button to lose.
    if (!right && buttonCount != 1) mask |= 4;
    return mask;
}

uint32_t NewlyLostClicks(const ButtonMap& opened, const ButtonMap& fresh, uint32_t buttonCount) {
    return LostClicksMask(fresh, buttonCount) & ~LostClicksMask(opened, buttonCount);
}

int LostClicksWarningString(uint32_t mask) {
    switch (mask & 7u) {
    case 0: return 0;
    case 2: return IDS_LEFT_BUTTON;
    case 4: return IDS_RIGHT_BUTTON;
    default: return IDS_BOTH_BUTTONS;
    }
}
