// The one reading of the tablet shared by the Information dialog and
// tabletcfg's info.
#include "exchange/tablet_report.h"

#include "core/measure.h"
#include "core/name_parts.h"
#include "defs/features.h"
#include "driver/driver.h"
#include "win/resources.h"

const MeasureLine MeasureLines[MeasureLineTotal] = {
    {"Tablet Width", KindLengthX},
    {"Tablet Height", KindLengthY},
    {"Horizontal Resolution", KindResolutionX},
    {"Vertical Resolution", KindResolutionY},
};

namespace {

void LoadUnknown(char* text, int size) {
    text[0] = '\0';
    LoadStringA(ResourceInstance(), IDS_UNKNOWN, text, size);
}

// The selected device's name, cut at DeviceNameSize; empty when it does
// not answer.
void ReadDeviceName(char (&name)[DeviceNameSize]) {
    name[0] = '\0';
    ReadDriverText(DeviceCategory(), DeviceName, name, sizeof name);
}

// The lowest-numbered active cursor's name; false when no cursor reports
// itself active or its name does not answer.
bool ReadInstalledCursorName(char* name, UINT size) {
    UINT device = DeviceCategory();
    DWORD count = ReadDriverDword(device, DeviceCursorCount);
    DWORD first = ReadDriverDword(device, DeviceFirstCursor);
    DWORD cursor;
    if (!FindActiveCursor(first, count, cursor)) return false;
    return ReadDriverText(CursorInfo + cursor, CursorName, name, size) != 0;
}

}  // namespace

void ReadTabletReport(TabletReport& report) {
    char name[DeviceNameSize];
    ReadDeviceName(name);
    CopyIdentification(name, report.identification, sizeof report.identification);
    if (!FindFormatName(name, report.format, sizeof report.format)) LoadUnknown(report.format, sizeof report.format);
    if (!ReadInstalledCursorName(report.cursor, sizeof report.cursor)) LoadUnknown(report.cursor, sizeof report.cursor);
}

void ReadDeviceIdentification(char* out, size_t size) {
    char name[DeviceNameSize];
    ReadDeviceName(name);
    CopyIdentification(name, out, size);
}

void ReadDriverVersion(char* out, size_t size) {
    char name[DeviceNameSize];
    ReadDeviceName(name);
    if (!FindDriverVersion(name, out, size)) LoadUnknown(out, static_cast<int>(size));
}

DWORD MeasureLineCount(const MeasureLine& line, DWORD width, DWORD height) {
    if (KindIsResolution(line.kind)) return 1;
    return KindIsVertical(line.kind) ? height : width;
}
