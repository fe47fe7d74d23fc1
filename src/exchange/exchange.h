// The exchange of whole settings records with the driver, for the device the
// session selected: what the Tablet Setup dialog shows and writes, and what a
// program without dialogs can read and write the same way. It shows no
// window; a confirmation the user must give comes through a callback.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/settings.h"

// LoadSettings answers false when the tablet's extents or its active cursor
// could not be read; it writes nothing for a cursor or map it cannot read.
// ApplySettings writes nothing and answers false when the tablet's extents or
// its active cursor cannot be read. It brings the record to what was written:
// the driver's default map read back, or the map in the pen-option codes.
bool LoadSettings(SetupSettings& settings);
bool ApplySettings(SetupSettings& settings);
// The same reading without a single write: defaultButtons stays 0, since the
// driver's default map is only learnt by restoring it for a moment. False
// when the tablet's extents, its active cursor or that cursor's map cannot
// be read.
// heldArea, when given, receives the area as the driver holds it, before
// it is brought onto the tablet.
bool ReadStoredSettings(SetupSettings& settings, AreaBox* heldArea = nullptr);

// Writes shown for a moment to learn how the driver stores it (its default
// map, the whole tablet's area) and puts back what the driver held. Returns
// shown as stored, with shown's tracking mode and sensitivity.
SetupSettings ProbeSettings(const SetupSettings& shown);

// Asked before settings that would take mouse clicks away (lostMask as
// LostClicksMask gives it): true writes them, false keeps the previous ones.
typedef bool (*ConfirmLostClicksFn)(uint32_t lostMask, void* context);
struct LostClicksConfirmation {
    ConfirmLostClicksFn confirm;  // null: settings that lose clicks are declined
    void* context;
};

enum CommitOutcome {
    CommitWritten,     // the settings are in the driver
    CommitDeclined,    // they would lose clicks and were declined: the previous settings stay
    CommitTabletGone,  // the tablet no longer answers: nothing was written
};

// OK and Test: writes settings. The confirmation comes only for a kind of
// click that openedMap had and the new map loses; without openedMap, the map
// the driver holds before the commit stands in for it.
CommitOutcome CommitSettings(SetupSettings& settings, const ButtonMap& openedMap, LostClicksConfirmation confirmation);
CommitOutcome CommitSettings(SetupSettings& settings, LostClicksConfirmation confirmation);

// The cursor type the driver uses: disables from (when the driver reported
// one active) and enables to, even when they are the same cursor.
void SwitchCursorType(bool haveFrom, DWORD from, DWORD to);

// A system button map as the driver stores it once written: with the pen
// option, codes 0..6 in the option's form. WriteButtonMap writes it so.
ButtonMap MapAsWritten(const ButtonMap& map, bool penOption);
void WriteButtonMap(DWORD cursor, const ButtonMap& map, bool penOption);
