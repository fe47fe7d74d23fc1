// Cases for the settings record, button maps and the lost-clicks warning.
// Plain data only.
#pragma once

#include <cstdint>

#include "defs/features.h"

// The tables are laid out by hand, a case a line.
// clang-format off

namespace settings_cases {

struct DefaultNameCase {
    const char* name;
    bool matches;
};

const DefaultNameCase DefaultNameCases[] = {
    {"Default System", true},
    {"default system", true},
    {"DEFAULT SYSTEM 2", true},
    {"Default System Context", true},
    {"Default Syste", false},
    {"Default_System", false},
    {" Default System", false},
    {"", false},
};

struct PenCodeCase {
    uint8_t entry;
    uint8_t written;
};

const PenCodeCase PenCodeCases[] = {
    {0x00, 0x00}, {0x01, 0x11}, {0x02, 0x22}, {0x03, 0x33}, {0x04, 0x74},
    {0x05, 0x85}, {0x06, 0x96}, {0x07, 0x07}, {0x08, 0x08}, {0x09, 0x09},
    {0x0F, 0x0F}, {0x54, 0x74}, {0xF1, 0x11}, {0x74, 0x74}, {0xA9, 0xA9},
};

struct LostClicksCase {
    const char* name;
    uint8_t entries[6];
    uint32_t buttonCount;
    uint32_t mask;
    int stringId;
};

const LostClicksCase LostClicksCases[] = {
    {"left, right and middle", {1, 4, 7}, 3, 0, 0},
    {"right only", {4, 4}, 2, 2, IDS_LEFT_BUTTON},
    {"left only", {1, 3}, 2, 4, IDS_RIGHT_BUTTON},
    {"middle only", {7, 8, 9}, 3, 6, IDS_BOTH_BUTTONS},
    {"no action at all", {0, 0, 0}, 3, 7, IDS_BOTH_BUTTONS},
    {"codes without an action", {10, 15}, 2, 7, IDS_BOTH_BUTTONS},
    {"one button without an action", {0}, 1, 3, IDS_BOTH_BUTTONS},
    {"one button with a right action", {5}, 1, 2, IDS_LEFT_BUTTON},
    {"one button with a left action", {2}, 1, 0, 0},
    {"pen-option forms count by their low code", {0x11, 0x74}, 2, 0, 0},
    {"pen-option right forms only", {0x74, 0x96}, 2, 2, IDS_LEFT_BUTTON},
    {"buttons beyond the count are not looked at", {0, 0, 1, 4}, 2, 7, IDS_BOTH_BUTTONS},
    {"a cursor without buttons loses nothing", {0, 0}, 0, 0, 0},
};

// The warning against the map the cursor had when the dialog opened: only a
// kind of click that map had counts as lost.
struct NewlyLostCase {
    const char* name;
    uint8_t opened[3];
    uint8_t fresh[3];
    uint32_t mask;
};

const NewlyLostCase NewlyLostCases[] = {
    {"no right click before or after", {1, 7, 0}, {1, 7, 0}, 0},
    {"the only right click removed", {1, 4, 7}, {1, 7, 7}, 4},
    {"the only left click removed", {1, 4, 0}, {0, 4, 0}, 2},
    {"right only before, nothing after", {4, 4, 0}, {0, 0, 0}, 5},
    {"nothing before, nothing after", {0, 0, 0}, {0, 0, 0}, 0},
    {"a right click added", {1, 0, 0}, {1, 4, 0}, 0},
};

// An area as the driver holds it on a tablet of W by H counts, and the area
// the dialog shows: on the tablet exactly as held, off it brought onto it.
struct DriverAreaCase {
    const char* name;
    uint32_t W, H;
    int32_t originX, extentX, originY, extentY;
    int32_t left, top, right, bottom;
    uint32_t wholeTablet;
    uint32_t step = 0;  // the area fields' step: the least extent kept (0: none)
};

const DriverAreaCase DriverAreaCases[] = {
    {"on the tablet", 12000, 9000, 1000, 4000, 2000, 3000, 1000, 4000, 5000, 7000, 0},
    {"on the tablet, empty", 12000, 9000, 12000, 0, 9000, 0, 12000, 0, 12000, 0, 0},
    {"negative extents cover the same span", 12000, 9000, 5000, -4000, 7000, -3000, 1000, 2000, 5000, 5000, 0},
    {"origin beyond the tablet", 12000, 9000, 15000, 4000, 10000, 3000, 8000, 0, 12000, 3000, 0},
    {"negative origin", 12000, 9000, -500, 2000, -100, 3000, 0, 6000, 2000, 9000, 0},
    {"larger than the tablet", 12000, 9000, -1000, 20000, -1000, 20000, 0, 0, 12000, 9000, 1},
    {"origin past the top, extent back onto it", 12000, 9000, 0, 12000, 9500, -500, 0, 0, 12000, 500, 0},
    // Counted unsigned, as the dialog counts: a tablet as wide as 32 bits
    // allow holds an extent of -1 as its whole width.
    {"32-bit wide tablet", 0xFFFFFFFFu, 1, 0, -1, 0, 1, 0, 0, -1, 1, 1},
    {"32-bit axes from their negative minimum", 0xFFFFFFFFu, 0xFFFFFFFFu, INT32_MIN, -1, INT32_MIN, -1, 0, 0, -1, -1, 1},
    {"a tablet without width keeps the area", 0, 9000, 1000, 6000, 0, 9000, 1000, 0, 7000, 9000, 0},
    {"an empty area grows to a step, on the tablet", 12000, 9000, 12000, 0, 9000, 0, 11990, 0, 12000, 10, 0, 10},
    {"narrower than a step grows from its left", 12000, 9000, 1000, 5, 2000, 3000, 1000, 4000, 1010, 7000, 0, 10},
    {"a step longer than the axis: the whole axis", 5, 9000, 2, 0, 0, 9000, 0, 0, 5, 9000, 1, 10},
};

struct WarningStringCase {
    uint32_t mask;
    int stringId;
};

const WarningStringCase WarningStringCases[] = {
    {0, 0},
    {1, IDS_BOTH_BUTTONS}, {3, IDS_BOTH_BUTTONS}, {5, IDS_BOTH_BUTTONS},
    {6, IDS_BOTH_BUTTONS}, {7, IDS_BOTH_BUTTONS},
    {2, IDS_LEFT_BUTTON},  {4, IDS_RIGHT_BUTTON},
};

struct UnitPreferenceCase {
    int profileValue;
    uint32_t axisUnitCode;
    int unit;
};

const UnitPreferenceCase UnitPreferenceCases[] = {
    {0, 1, 0}, {0, 2, 1}, {1, 2, 0}, {2, 1, 1}, {3, 1, 0}, {3, 2, 1},
    {-1, 2, 1}, {0, 0, 0}, {0, 7, 0}, {2, 7, 1},
};

}  // namespace settings_cases
// clang-format on
