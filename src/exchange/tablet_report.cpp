// The one reading of the tablet shared by the Information dialog and
// tabletcfg's info.
#include "exchange/tablet_report.h"

#include "core/measure.h"
#include "core/name_parts.h"
#include "defs/features.h"
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

}  // namespace

void MakeTabletReport(const TabletSnapshot& snapshot, TabletReport& report) {
    DeviceIdentification(snapshot, report.identification, sizeof report.identification);
    if (!FindFormatName(snapshot.deviceName, report.format, sizeof report.format))
        LoadUnknown(report.format, sizeof report.format);
    if (snapshot.activeNameWhole)
        lstrcpynA(report.cursor, snapshot.activeName, sizeof report.cursor);
    else
        LoadUnknown(report.cursor, sizeof report.cursor);
}

void DeviceIdentification(const TabletSnapshot& snapshot, char* out, size_t size) {
    CopyIdentification(snapshot.deviceName, out, size);
}

void DriverVersion(const TabletSnapshot& snapshot, char* out, size_t size) {
    if (!FindDriverVersion(snapshot.deviceName, out, size)) LoadUnknown(out, static_cast<int>(size));
}

DWORD MeasureLineCount(const MeasureLine& line, DWORD width, DWORD height) {
    if (KindIsResolution(line.kind)) return 1;
    return KindIsVertical(line.kind) ? height : width;
}
