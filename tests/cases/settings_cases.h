// Cases for the settings record, button maps and the lost-clicks warning.
// Plain data only.
#pragma once

#include <cstdint>

#include "defs/features.h"

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
