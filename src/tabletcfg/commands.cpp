// tabletcfg's three commands. Import reads the whole file and checks it
// against the tablet before anything is written, writes through the same
// exchange as Tablet Setup's OK, and reads the tablet back to tell whether
// the driver took it all.
#include <cstdio>
#include <cstring>

#include "core/measure.h"
#include "core/settings.h"
#include "defs/features.h"
#include "exchange/exchange.h"
#include "exchange/preferences.h"
#include "exchange/tablet_report.h"
#include "tabletcfg/tabletcfg.h"

namespace {

// Records of up to 32 cursors are too large for the stack of a small program.
TabletSettings deviceTablet, fileTablet, writtenTablet;

std::string Line(const char* name, const std::string& value) { return std::string(name) + ": " + value + "\n"; }

std::string ReportProblem(const char* file, const FileProblem& problem) {
    if (problem.line == 0) return std::string(file) + ": " + problem.text;
    return std::string(file) + ":" + std::to_string(problem.line) + ": " + problem.text;
}

// What went wrong, in the system's own words ("The system cannot find the
// path specified."), after the program's: "cannot write the file: ...".
std::string Because(const char* what, DWORD error) {
    char text[256] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        text[--length] = '\0';
    if (length == 0) return std::string(what) + " (error " + std::to_string(error) + ")";
    return std::string(what) + ": " + text;
}

// The whole file, refused unread when larger than a settings file can be.
bool ReadWholeFile(const char* path, std::string& text, std::string& problem) {
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        problem = Because("cannot open the file", GetLastError());
        return false;
    }
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) != 0;
    if (!ok)
        problem = Because("cannot read the file", GetLastError());
    else if (size.QuadPart > static_cast<LONGLONG>(SettingsFileLimit)) {
        problem = "the file is larger than 1 MB";
        ok = false;
    } else {
        text.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = text.empty() || ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
        if (!ok)
            problem = Because("cannot read the file", GetLastError());
        else if (read != text.size()) {
            problem = "cannot read the file: it changed while it was read";
            ok = false;
        }
    }
    CloseHandle(file);
    return ok;
}

bool WriteWholeFile(const char* path, const std::string& text, std::string& problem) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        problem = Because("cannot write the file", GetLastError());
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
    if (!ok) problem = Because("cannot write the file", GetLastError());
    if (!CloseHandle(file) && ok) {
        problem = Because("cannot write the file", GetLastError());
        ok = false;
    }
    return ok;
}

bool ReadTabletOrSay(TabletSettings& tablet, TabletScale& scale, const TabletReading& reading) {
    std::string problem;
    if (ReadTablet(tablet, scale, problem, reading)) return true;
    PrintError("%s", problem.c_str());
    return false;
}

std::string AreaText(const AreaBox& a) {
    return "left " + std::to_string(a.left) + ", top " + std::to_string(a.top) + ", right " + std::to_string(a.right) +
           ", bottom " + std::to_string(a.bottom);
}

// Settings that take mouse clicks away are what the file asks for: they are
// written, with the control panel's warning on standard error.
bool WarnLostClicks(uint32_t lostMask, void*) {
    PrintError("warning: %s%s", LoadText(IDS_WILL_DISABLE).c_str(), LoadText(LostClicksWarningString(lostMask)).c_str());
    return true;
}

ButtonMap CursorMap(const CursorSettings& cursor) {
    ButtonMap map;
    std::memcpy(map.entry, cursor.map, sizeof map.entry);
    return map;
}

// Brings a file's settings to what the driver holds once they went in: the
// maps in their written form.
void MapsAsWritten(TabletSettings& tablet, bool penOption) {
    for (uint32_t c = 0; c < tablet.cursorCount; ++c) {
        const ButtonMap map = MapAsWritten(CursorMap(tablet.cursors[c]), penOption);
        std::memcpy(tablet.cursors[c].map, map.entry, sizeof map.entry);
    }
}

// Export saves what Setup shows and OK writes; where that is not what the
// driver holds, standard error says so.
void CorrectForExport(TabletSettings& tablet, const TabletScale& scale, const AreaBox& heldArea) {
    const AreaBox saved = {tablet.left, tablet.top, tablet.right, tablet.bottom};
    if (std::memcmp(&saved, &heldArea, sizeof saved) != 0)
        PrintError(
            "note: the driver's tracking area (%s) is not on the tablet or too small; saved as the control "
            "panel shows and writes it (%s)",
            AreaText(heldArea).c_str(), AreaText(saved).c_str());
    const uint32_t sensitivity = SensitivityForFile(tablet.sensitivity, scale);
    if (sensitivity != tablet.sensitivity)
        PrintError("note: the driver's sensitivity %u is outside what the control panel writes; saved as %u",
                   tablet.sensitivity, sensitivity);
    writtenTablet = tablet;
    MapsAsWritten(writtenTablet, scale.penOption);
    if (std::memcmp(&writtenTablet, &tablet, sizeof tablet) != 0) {
        PrintError(
            "note: the driver takes the pen option, so button maps are saved in its form, as the control "
            "panel writes them");
        tablet = writtenTablet;
    }
}

// The cursor type first, so that the exchange writes the map of the cursor
// the file enables; then the other cursors' maps; then what Setup's OK
// writes, checked against the tablet as read, with the file's cursor type
// enabled; then the unit preference. The tablet was read just before. False,
// with what to say, when a write could not be made: nothing after it is
// written.
bool WriteTablet(const TabletSettings& now, const TabletSettings& wanted, const SettingsBasis& basis, bool penOption,
                 std::string& problem) {
    if (wanted.enabledCursor != now.enabledCursor &&
        !SwitchCursorType(now.enabledCursor != NoEnabledCursor, now.enabledCursor, wanted.enabledCursor)) {
        problem = "the driver did not switch to cursor type " + std::to_string(wanted.enabledCursor) +
                  "; nothing else was written";
        return false;
    }
    for (uint32_t c = 0; c < wanted.cursorCount; ++c) {
        if (wanted.cursors[c].number == wanted.enabledCursor) continue;
        WriteButtonMap(wanted.cursors[c].number, CursorMap(wanted.cursors[c]), penOption);
    }
    SetupSettings settings;
    std::memset(&settings, 0, sizeof settings);
    // With none enabled, the exchange writes the map of the cursor standing in.
    settings.basis = basis;
    if (wanted.enabledCursor != NoEnabledCursor) settings.basis.cursor = wanted.enabledCursor;
    settings.mode = wanted.mode;
    settings.sensitivity = wanted.sensitivity;
    settings.area = AreaBox{wanted.left, wanted.top, wanted.right, wanted.bottom};
    settings.wholeTablet = CoversWholeTablet(settings.area, wanted.width, wanted.height) ? 1u : 0u;
    settings.defaultButtons = 0;
    const CursorSettings* enabled = FindCursor(wanted, settings.basis.cursor);
    if (enabled) std::memcpy(settings.buttonMap.entry, enabled->map, sizeof settings.buttonMap.entry);
    if (enabled) settings.basis.buttonCount = enabled->buttonCount;
    switch (CommitSettings(settings, LostClicksConfirmation{WarnLostClicks, nullptr})) {
    case CommitTabletGone: problem = "the tablet stopped answering while the settings were written"; return false;
    case CommitTabletChanged:
        problem = "the tablet changed while the settings were written; its tracking settings were not written";
        return false;
    default: break;
    }
    CurrentUnit = wanted.unit;
    WriteUnitPreference(wanted.unit);
    return true;
}

std::string Indented(const std::string& lines) {
    std::string out;
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = lines.find('\n', start);
        out += "  " + lines.substr(start, end - start + 1);
        start = end + 1;
    }
    return out;
}

}  // namespace

int RunInfo(const CfgArguments& arguments) {
    static TabletSnapshot tablet;
    TakeSnapshot(tablet, ReportParts);
    TabletReport report;
    MakeTabletReport(tablet, report);
    const AxisInfo& x = tablet.axisX;
    const AxisInfo& y = tablet.axisY;
    const bool haveAxes = tablet.axesWhole;
    const int preferred = ReadUnitPreference(tablet);
    const int unit = arguments.unit == UnitFromPreference ? preferred : arguments.unit;

    std::string out = Line("Tablet ID", report.identification) + Line("Format", report.format) +
                      Line("Cursor", report.cursor) +
                      Line("Units", LoadText(unit == UnitCentimetres ? IDS_CENTIMETERS : IDS_INCHES));
    for (const MeasureLine& line : MeasureLines) {
        const AxisInfo& axis = KindIsVertical(line.kind) ? y : x;
        char text[MeasureTextSize] = "";
        FormatMeasureOnAxis(MeasureLineCount(line, AxisExtent(x), AxisExtent(y)), unit, line.kind, axis, text);
        out += Line(line.label, text);
    }
    PrintText(out);
    if (haveAxes) return ExitDone;
    PrintError("%s", LoadText(IDS_TABLET_NOT_ANSWERING).c_str());
    return ExitNoDriver;
}

int RunExport(const CfgArguments& arguments) {
    TabletScale scale;
    AreaBox heldArea;
    TabletReading reading;
    reading.buttonNames = true;
    reading.heldArea = &heldArea;
    if (!ReadTabletOrSay(deviceTablet, scale, reading)) return ExitNoDriver;
    CorrectForExport(deviceTablet, scale, heldArea);
    ActionTexts actions;
    LoadActionTexts(actions);
    std::string problem;
    if (!WriteWholeFile(arguments.file, WriteSettingsFile(deviceTablet, scale, actions.names), problem)) {
        PrintError("%s: %s", arguments.file, problem.c_str());
        return ExitBadFile;
    }
    PrintText(std::string("Saved the settings of ") + deviceTablet.identification + " to " + arguments.file + ".\n");
    return ExitDone;
}

int RunImport(const CfgArguments& arguments) {
    std::string text, problem;
    if (!ReadWholeFile(arguments.file, text, problem)) {
        PrintError("%s: %s", arguments.file, problem.c_str());
        return ExitBadFile;
    }
    TabletScale scale;
    SettingsBasis basis;
    TabletReading reading;
    reading.basis = &basis;
    if (!ReadTabletOrSay(deviceTablet, scale, reading)) return ExitNoDriver;
    FileProblem fileProblem;
    if (!ReadSettingsFile(text.data(), text.size(), deviceTablet, scale, AnsiFromUnicodeText, fileTablet, fileProblem)) {
        PrintError("%s", ReportProblem(arguments.file, fileProblem).c_str());
        return ExitBadFile;
    }
    ActionTexts actions;
    LoadActionTexts(actions);
    const std::string changes = DescribeChanges(deviceTablet, fileTablet, scale, actions.names);
    if (arguments.dryRun) {
        PrintText(std::string(arguments.file) + " fits this tablet. " +
                  (changes.empty() ? "Importing it would change nothing.\n"
                                   : "Importing it would change:\n" + Indented(changes)));
        return ExitDone;
    }

    if (!WriteTablet(deviceTablet, fileTablet, basis, scale.penOption, problem)) {
        PrintError("%s", problem.c_str());
        return ExitRefused;
    }
    MapsAsWritten(fileTablet, scale.penOption);
    TabletScale scaleAfter;
    if (!ReadTablet(writtenTablet, scaleAfter, problem)) {
        PrintError("the tablet stopped answering while the settings were written");
        return ExitRefused;
    }
    // What the driver holds now against what it was given.
    const std::string missing = DescribeChanges(writtenTablet, fileTablet, scale, actions.names);
    if (!missing.empty()) {
        PrintError("the driver did not take every setting: %s", missing.substr(0, missing.find('\n')).c_str());
        return ExitRefused;
    }
    PrintText(changes.empty() ? std::string("Nothing changed.\n") : "Changed:\n" + Indented(changes));
    return ExitDone;
}
