// The tablet settings file of tabletcfg: a plain ini text holding what the
// control panel edits for one device, with the device's identification and
// size so that a file for another tablet is refused. Window-free: the caller
// reads the driver and the file and hands both in as plain values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/settings.h"
#include "defs/vellix_records.h"

constexpr size_t SettingsFileLimit = 1024 * 1024;  // larger files are refused unread
constexpr uint32_t FileCursorLimit = 32;           // cursor types of one device in a file
constexpr uint32_t FileButtonLimit = 32;           // entries of a ButtonMap
constexpr size_t FileNameSize = 80;                // cursor names, as the driver's buffers
constexpr size_t FileButtonNameSize = 32;          // button names, comments only
constexpr size_t FileIdentificationSize = 200;     // the device name's first segment

struct CursorSettings {
    uint32_t number;  // the driver's cursor number
    char name[FileNameSize];
    uint32_t buttonCount;                                   // at most FileButtonLimit
    char buttonNames[FileButtonLimit][FileButtonNameSize];  // written as comments only
    uint8_t map[FileButtonLimit];                           // system button map as the driver holds it
};

// The enabled cursor of a device on which no cursor reports itself active:
// the file's Enabled key is then empty, and reading an empty one keeps
// whatever cursor the device has enabled.
constexpr uint32_t NoEnabledCursor = 0xFFFFFFFFu;

// Everything one file holds. The same record describes the device as the
// driver holds it now: the reader checks a file against it and starts from it.
struct TabletSettings {
    char identification[FileIdentificationSize];
    uint32_t width, height;            // tablet extents in counts
    uint32_t mode;                     // 0 relative, 1 absolute
    uint32_t sensitivity;              // 16.16 factor
    int32_t left, top, right, bottom;  // tracking area, counts, origin top-left
    uint32_t enabledCursor;            // the cursor type the driver has enabled, or NoEnabledCursor
    int unit;                          // unit preference: 0 inches, 1 centimetres
    uint32_t cursorCount;              // at most FileCursorLimit
    CursorSettings cursors[FileCursorLimit];
};

// The device figures that the checks and the comments need besides the
// settings: its axes (resolution and unit) and whether its driver takes
// the pen option, whose action list holds codes 0..6 only.
struct TabletScale {
    AxisInfo axisX, axisY;
    bool penOption;
};

// The action list's texts by code ("(None)" .. "Middle Drag"); comments only.
typedef const char* const ActionNames[ActionCodeCount];

// The record of the cursor with the driver's number, or null.
const CursorSettings* FindCursor(const TabletSettings& settings, uint32_t number);

// The sensitivities Setup can write on this device: its 1 and 100 percent.
void SensitivityBounds(const TabletScale& scale, uint32_t& lowest, uint32_t& highest);

// The sensitivity the file records for a driver value: the value itself when
// Setup could have written it (or when the tablet's resolution gives no
// percentage, and Setup writes none), else the nearest that Setup could.
uint32_t SensitivityForFile(uint32_t sensitivity, const TabletScale& scale);

// The file's text for settings (a device's present settings).
std::string WriteSettingsFile(const TabletSettings& settings, const TabletScale& scale, const ActionNames& actionNames);

struct FileProblem {
    unsigned line;  // 1-based; 0 when the problem belongs to the whole file
    char text[200];
};

// Unicode text in the system's ANSI code page, the one the driver's names are
// in; each character the code page cannot hold becomes UnheldCharacter, a
// byte that no readable settings file holds (it would be binary data). The
// program passes the system's conversion; native builds pass their own.
constexpr char UnheldCharacter = '\x7F';
typedef std::string (*AnsiFromUnicode)(const std::u16string& text);

// Reads a whole file (size bytes, not terminated) against the device as it
// is now. A file saved as Unicode (UTF-16 of either byte order with its
// byte order mark, UTF-8 with or without one) is read through toAnsi; any
// other is read as ANSI text. On success result is device with every value
// of the file put in; otherwise the first problem found, and result is
// unspecified.
bool ReadSettingsFile(const char* data, size_t size, const TabletSettings& device, const TabletScale& scale,
                      AnsiFromUnicode toAnsi, TabletSettings& result, FileProblem& problem);

// One line "what: before -> after" for each setting that differs between two
// records of the same device; empty when nothing differs.
std::string DescribeChanges(const TabletSettings& before, const TabletSettings& after, const TabletScale& scale,
                            const ActionNames& actionNames);
