// The one reader of the tablet. Every user action (a dialog opening, Test,
// OK, Cancel, Revert, the capture's set-up, a tabletcfg command) takes one
// snapshot of what it needs and works from nothing else; no other file asks
// the driver anything. Each part of a snapshot says whether the driver
// answered it whole: a record is read twice, into room filled with two
// different patterns, and a byte that differs between the reads was not
// written by the driver, so an answer in part is never taken for a whole one
// while an answer that happens to equal a fill pattern still is.
#pragma once

#include <windows.h>

#include "driver/vellix.h"

// The most devices, cursor types or contexts that a walk over them visits:
// far more than any tablet has, and few enough that a driver answering a
// nonsense count, answering for every number or enumerating without end
// cannot hold the program: no user action costs more than about a thousand
// driver calls. Device numbers and listed cursor types stop at 256,
constexpr DWORD DriverWalkLimit = 256;
// one enumeration of the contexts at 128,
constexpr DWORD ContextWalkLimit = 128;
// and the cursor types whose buttons and maps are read (the capture's button
// masks, tabletcfg's file) at 32, as do the cursor types searched for the
// active one everywhere but in the Features dialog's list.
constexpr DWORD DetailedCursorLimit = 32;

constexpr int DeviceNameSize = 200;   // the device name, and its identification
constexpr int CursorNameSize = 100;   // a cursor type's name
constexpr int ButtonNameRoom = 2048;  // a cursor's button names, one after another
constexpr int ButtonNameLimit = 32;   // the names a button map can assign

// The start-up presence query: true when the driver answers at all.
bool DriverAnswers();

// The text a device's name is searched for: the process's whole command line
// in the program; null stands for the string table's empty selection.
void SetDeviceSelection(const char* text);
const char* DeviceSelection();
// The selected device, chosen on the first call: the first absolute device
// whose name contains the selection (ignoring case), else the first absolute
// device, else device 0. Only the number is kept.
WORD SelectDevice();
void ForgetDeviceSelection();  // the next SelectDevice searches again

// What a snapshot reads; an action asks for what it uses.
enum SnapshotPart : unsigned {
    SnapName = 0x1,            // the device name
    SnapAxes = 0x2,            // both axes
    SnapPenOption = 0x4,       // whether the driver takes the pen option
    SnapCursors = 0x8,         // the cursor types: first, count and each one's active flag
    SnapCursorNames = 0x10,    // each listed cursor type's name
    SnapActiveName = 0x20,     // the active cursor type's name only
    SnapActiveButtons = 0x40,  // the active cursor type's button count, names and map
    SnapEveryMap = 0x80,       // button count and map of each detailed cursor type
    SnapEveryButton = 0x100,   // the button names of each detailed cursor type too
    SnapContexts = 0x200,      // the "Default System" contexts and the default system context
    SnapDefaultMap = 0x400,    // the active cursor's default map (restored for a moment: writes)
    SnapDefaultContext = 0x800,
};

struct CursorButtons {
    DWORD number;
    bool countWhole;
    BYTE buttonCount;
    bool namesWhole;
    UINT nameCount;                 // the names listed, at most ButtonNameLimit
    WORD nameAt[ButtonNameLimit];   // where each begins in nameText
    char nameText[ButtonNameRoom];  // each name whole and ended by a NUL, as far as the room holds
    bool mapWhole;
    ButtonMap map;
};

struct CursorEntry {
    DWORD number;
    bool activeWhole;
    bool active;
    bool nameWhole;
    char name[CursorNameSize];
};

struct TabletSnapshot {
    unsigned parts;  // what was asked for
    WORD device;

    bool nameWhole;
    char deviceName[DeviceNameSize];

    bool axesWhole;
    AxisInfo axisX, axisY;

    bool penOptionWhole;
    bool penOption;

    // The cursor types from first upward, at most the limit asked for. The
    // active cursor is the lowest-numbered that reports itself active; it is
    // known when every flag before it was read (with none active, when the
    // first cursor's flag was).
    bool cursorsWhole;  // first and count answered
    DWORD firstCursor, cursorCount;
    DWORD listed;
    CursorEntry cursors[DriverWalkLimit];
    bool activeKnown;
    bool hasActive;
    DWORD activePosition;
    bool activeNameWhole;
    char activeName[CursorNameSize];

    CursorButtons active;                        // SnapActiveButtons
    DWORD detailed;                              // SnapEveryMap: min(listed, DetailedCursorLimit)
    CursorButtons details[DetailedCursorLimit];  // by list position

    bool defaultMapWhole;
    ButtonMap defaultMap;

    // Every context of the device whose name begins with "Default System",
    // each read whole (one that was not is left out: nothing is ever written
    // from it), and the default system context. The source is the record the
    // settings are read from: the first of those, else the default system
    // context.
    DWORD systemCount;
    ContextHandle systemHandles[ContextWalkLimit];
    ContextRecord systemRecords[ContextWalkLimit];
    ContextHandle defaultSystem;
    bool defaultSystemWhole;
    ContextRecord defaultSystemRecord;
    bool sourceWhole;
    ContextRecord source;

    bool defaultContextWhole;
    ContextRecord defaultContext;
};

// Reads parts of the selected device's tablet afresh. cursorLimit bounds the
// cursor types listed (at most DriverWalkLimit).
void TakeSnapshot(TabletSnapshot& snapshot, unsigned parts, DWORD cursorLimit = DetailedCursorLimit);

// A cursor type's button name by its index (below nameCount).
inline const char* ButtonName(const CursorButtons& buttons, UINT index) {
    return buttons.nameText + buttons.nameAt[index];
}

// The cursor type settings belong to: the active one, or, with none active,
// the device's first. False when the cursor types could not be read.
bool FirstActiveCursor(const TabletSnapshot& snapshot, DWORD& cursor);

// The tablet's extents along x and y, and the x axis's resolution (16.16
// counts per unit) and unit (0 inches, 1 centimetres).
DWORD TabletWidth(const TabletSnapshot& snapshot);
DWORD TabletHeight(const TabletSnapshot& snapshot);
inline DWORD TabletResolution(const TabletSnapshot& snapshot) { return snapshot.axisX.resolution; }
inline DWORD TabletUnitIndex(const TabletSnapshot& snapshot) { return snapshot.axisX.unitCode - 1; }

// Whether the pen option holds for a context record (the driver takes it and
// the record asks for it).
bool PenOptionInContext(const TabletSnapshot& snapshot, const ContextRecord& record);
