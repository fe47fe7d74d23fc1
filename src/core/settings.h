// The settings record of the Tablet Setup dialog and how it maps onto the
// driver's context record. Window-free.
#pragma once

#include <cstdint>

#include "defs/vellix_records.h"

// A button map entry: the action code in its low four bits; the pen option's
// form puts the code in the high four bits too (0x74 for code 4).
constexpr uint8_t ActionCodeMask = 0x0F;
constexpr uint32_t ActionCodeCount = 10;    // "(None)" .. "Middle Drag"
constexpr uint32_t PenOptionCodeCount = 7;  // with the pen option the list holds codes 0..6

struct AreaBox {
    int32_t left, top, right, bottom;  // tablet counts, origin top-left, y downward
};

// What a settings record was worked out on: the tablet's axes, the cursor
// type whose map it holds (with its button count), whether the driver takes
// the pen option, and the driver's default map. A write compares the axes,
// the cursor type and the pen option with the tablet as it is then.
struct SettingsBasis {
    AxisInfo axisX, axisY;
    uint32_t cursor;
    uint32_t buttonCount;
    uint32_t penOption;
    ButtonMap defaultMap;
};

// Whether two records were worked out on the same tablet and cursor type.
bool SameBasis(const SettingsBasis& a, const SettingsBasis& b);

struct SetupSettings {
    uint32_t mode;         // 0 relative, 1 absolute
    uint32_t sensitivity;  // 16.16, same for x and y
    uint32_t wholeTablet;  // 1 when area is the whole tablet
    AreaBox area;
    uint32_t defaultButtons;  // 1 when buttonMap equals the driver's default
    ButtonMap buttonMap;
    uint32_t unread;  // SettingsUnread bits: what could not be read, and so is never written
    SettingsBasis basis;
};

// What a record could not take from the driver. Nothing worked out from a
// failed read is written back: nothing at all without the tablet, not the
// context's fields without the context, not a button map without the map.
enum SettingsUnread : uint32_t {
    UnreadContext = 1,     // no system context answered whole
    UnreadButtonMap = 2,   // the active cursor's map did not answer whole
    UnreadTablet = 4,      // the axes or the cursor types did not answer whole
    UnreadDefaultMap = 8,  // the driver's default map did not answer whole
};

// The area is the whole tablet of W by H counts.
bool CoversWholeTablet(const AreaBox& area, uint32_t W, uint32_t H);

// The least extent the tracking area keeps along an axis of limit counts:
// one step of the area fields, or the whole axis where that is shorter.
uint32_t MinimumAreaExtent(uint32_t step, uint32_t limit);

// Whether low..high is one axis of an area Setup shows and writes: on an
// axis of limit counts, in order and at least the least extent long. An axis
// without extent takes any area, so that the driver's is kept.
bool AreaAxisFits(int32_t low, int32_t high, uint32_t limit, uint32_t step);
bool AreaFitsTablet(const AreaBox& area, uint32_t W, uint32_t H, uint32_t step);

// Case-insensitive comparison of the first 14 characters with "Default System".
bool IsDefaultSystemName(const char name[40]);

// Fills mode, sensitivity, area and wholeTablet from a context record.
// W and H are the tablet's x and y extents. An area that lies on the tablet
// is taken exactly as the driver holds it; one that does not (a negative
// extent, an origin off the tablet) is brought onto it, each axis apart: the
// span between its two edges, in order, moved the least distance onto the
// tablet and cut to the tablet's size. An extent counts unsigned when that
// fits the tablet, otherwise signed. An area shorter than the least extent
// for step (an empty one) grows to it, from its low edge, and stays on the
// tablet. On an axis without extent (W or H 0) the driver's area is kept.
void SettingsFromContext(const ContextRecord& record, uint32_t W, uint32_t H, bool penOptionInContext,
                         SetupSettings& settings, uint32_t step = 0);

// The area exactly as the context holds it, counted as the dialog counts
// (unsigned, y flipped through H), before anything is brought onto the tablet.
AreaBox AreaAsHeld(const ContextRecord& record, uint32_t H);

// Writes trackingMode, sensitivityX/Y and the input origin and extent. The
// whole tablet leaves an axis without extent as the record holds it.
void SettingsToContext(const SetupSettings& settings, uint32_t W, uint32_t H, ContextRecord& record);

// Copies the seven fields that every "Default System" context receives.
void CopySettingsFields(const ContextRecord& from, ContextRecord& to);

// Rewrites entries with codes 0..6 into the pen-option form.
void TranslatePenCodes(ButtonMap& map);

// 0 when all 32 entries agree in their low four bits; else -1 or 1 from the
// first entry that differs.
int SameButtonMap(const ButtonMap& a, const ButtonMap& b);

// Which mouse clicks a button map would take away, as the warning's mask:
// bit 2 no left action (codes 1..3), bit 4 no right action (codes 4..6;
// cleared for a one-button cursor), bit 1 no action at all.
// Only the first buttonCount entries (at most 32) are looked at; a cursor
// without buttons loses nothing (0). Pen-option forms (0x74) count by their
// low four bits.
uint32_t LostClicksMask(const ButtonMap& map, uint32_t buttonCount);

// The kinds of click (the mask's bits) that opened had and fresh loses.
uint32_t NewlyLostClicks(const ButtonMap& opened, const ButtonMap& fresh, uint32_t buttonCount);

// String id completing "Current settings will disable " for a nonzero mask.
int LostClicksWarningString(uint32_t mask);
