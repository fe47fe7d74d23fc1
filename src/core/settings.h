// The settings record of the Tablet Setup dialog and how it maps onto the
// driver's context record. Window-free.
#pragma once

#include <cstdint>

#include "defs/vellix_records.h"

struct AreaBox {
    int32_t left, top, right, bottom;  // tablet counts, origin top-left, y downward
};

struct SetupSettings {
    uint32_t mode;         // 0 relative, 1 absolute
    uint32_t sensitivity;  // 16.16, same for x and y
    uint32_t wholeTablet;  // 1 when area is the whole tablet
    AreaBox area;
    uint32_t defaultButtons;  // 1 when buttonMap equals the driver's default
    ButtonMap buttonMap;
};

// The area is the whole tablet of W by H counts.
bool CoversWholeTablet(const AreaBox& area, uint32_t W, uint32_t H);

// Case-insensitive comparison of the first 14 characters with "Default System".
bool IsDefaultSystemName(const char name[40]);

// Fills mode, sensitivity, area and wholeTablet from a context record.
// W and H are the tablet's x and y extents. An area that lies on the tablet
// is taken exactly as the driver holds it; one that does not (a negative
// extent, an origin off the tablet) is brought onto it, each axis apart: the
// span between its two edges, in order, moved the least distance onto the
// tablet and cut to the tablet's size. An extent counts unsigned when that
// fits the tablet, otherwise signed. On an axis without extent (W or H 0)
// the driver's area is kept.
void SettingsFromContext(const ContextRecord& record, uint32_t W, uint32_t H, bool penOptionInContext,
                         SetupSettings& settings);

// Writes trackingMode, sensitivityX/Y and the input origin and extent.
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
