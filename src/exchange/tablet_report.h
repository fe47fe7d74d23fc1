// The one reading of the tablet that the Information dialog and tabletcfg's
// info share: the identification, the format and the installed cursor as the
// dialog shows them, and the measurement lines with what each one measures.
#pragma once

#include <windows.h>

#include <cstddef>

#include "exchange/snapshot.h"

// The format and cursor names as far as the dialog's 80-character lines can
// show them.
constexpr int ShownFormatSize = 80;

struct TabletReport {
    char identification[DeviceNameSize];
    char format[ShownFormatSize];  // "unknown" when the name has no format part
    char cursor[ShownFormatSize];  // "unknown" when no cursor reports itself active, or its name does not answer
};

// What a report needs of a snapshot.
constexpr unsigned ReportParts = SnapName | SnapAxes | SnapCursors | SnapActiveName;

// The device name's parts and the installed cursor (the lowest-numbered
// active cursor type) as a snapshot holds them.
void MakeTabletReport(const TabletSnapshot& snapshot, TabletReport& report);

// The device name up to its first ";", carriage return or line feed (empty
// when the name did not answer); out holds DeviceNameSize characters.
void DeviceIdentification(const TabletSnapshot& snapshot, char* out, size_t size);

// The driver version the device name carries, or "unknown".
void DriverVersion(const TabletSnapshot& snapshot, char* out, size_t size);

// The four measurement lines, in the dialog's order: the label tabletcfg
// prints and the MeasureKind.
struct MeasureLine {
    const char* label;
    unsigned kind;
};
constexpr int MeasureLineTotal = 4;
extern const MeasureLine MeasureLines[MeasureLineTotal];

// The count a line formats on a tablet of width by height counts: the
// extent for a length, one count per unit for a resolution.
DWORD MeasureLineCount(const MeasureLine& line, DWORD width, DWORD height);
