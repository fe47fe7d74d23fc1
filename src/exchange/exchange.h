// The exchange of whole settings records with the driver, for the device the
// session selected: what the Tablet Setup dialog shows and writes, and what a
// program without dialogs can read and write the same way. It shows no
// window; a confirmation the user must give comes through a callback.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/settings.h"
#include "exchange/snapshot.h"

// What a snapshot needs for the settings: SettingsParts to read them, with
// SnapDefaultMap to learn whether the map is the driver's default (which
// writes for a moment).
constexpr unsigned SettingsParts = SnapAxes | SnapPenOption | SnapCursors | SnapActiveButtons | SnapContexts;

// The settings a snapshot holds, with what they were worked out on and what
// could not be read (settings.unread). An area off the tablet or without
// extent is brought onto it, so what Setup shows is what it writes;
// heldArea, when given, receives the area as the driver holds it.
void SettingsFromSnapshot(const TabletSnapshot& snapshot, SetupSettings& settings, AreaBox* heldArea = nullptr);

// Takes a snapshot with the default map and reads the settings from it;
// false when the tablet (its axes or cursor types) could not be read whole.
bool LoadSettings(SetupSettings& settings);

// Writes. Each takes a snapshot of the tablet first and writes nothing when
// it does not answer whole (WriteTabletGone) or is not the tablet and cursor
// type the settings were worked out on, or those were never read whole
// (WriteTabletChanged). Then only what was read whole is written: not the
// context's fields without the context, not a map without the map. The
// record comes back as written: the driver's default map, or the map in the
// pen-option codes.
enum WriteOutcome { WriteDone, WriteTabletGone, WriteTabletChanged };
WriteOutcome ApplySettings(SetupSettings& settings);

// shown as the driver stores it, worked out without writing: the default map
// when defaultButtons is set, the whole tablet's area when wholeTablet is;
// defaultButtons and wholeTablet then recomputed.
SetupSettings ProbeSettings(const SetupSettings& shown);

// Asked before settings that would take mouse clicks away (lostMask as
// LostClicksMask gives it): true writes them, false keeps the previous ones.
typedef bool (*ConfirmLostClicksFn)(uint32_t lostMask, void* context);
struct LostClicksConfirmation {
    ConfirmLostClicksFn confirm;  // null: settings that lose clicks are declined
    void* context;
};

enum CommitOutcome {
    CommitWritten,        // the settings are in the driver
    CommitDeclined,       // they would lose clicks and were declined: the previous settings stay
    CommitTabletGone,     // the tablet no longer answers: nothing was written
    CommitTabletChanged,  // the tablet is not the one the settings were worked out on: nothing was written
};

// OK and Test: writes settings. The confirmation comes only for a kind of
// click that openedMap had and the new map loses, before anything is read
// or written; without openedMap, the map the driver holds before the commit
// stands in for it.
CommitOutcome CommitSettings(SetupSettings& settings, const ButtonMap& openedMap, LostClicksConfirmation confirmation);
CommitOutcome CommitSettings(SetupSettings& settings, LostClicksConfirmation confirmation);

// The cursor type the driver uses: disables from (when the driver reported
// one active) and enables to, even when they are the same cursor. False
// when the driver refused either.
bool SwitchCursorType(bool haveFrom, DWORD from, DWORD to);

// A system button map as the driver stores it once written: with the pen
// option, codes 0..6 in the option's form. WriteButtonMap writes it so and
// answers whether the driver took it.
ButtonMap MapAsWritten(const ButtonMap& map, bool penOption);
bool WriteButtonMap(DWORD cursor, const ButtonMap& map, bool penOption);
