// Hosting the Tablet Setup dialog in tests: the stand-in loaded with a tablet
// description, an owner window with the driver manager open, the dialog
// created from its template and driven with messages, the warning box
// answered by a hook, beeps counted and the driver's state captured.
#pragma once

#include <windows.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/settings.h"
#include "support/dialog_support.h"
#include "support/import_patch.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"

namespace setup_test {

// Answers every message box of this thread, so that a modal box never
// blocks a test: boxes are noted and pressed with `answer`.
class BoxDriver : public BoxRecorder {
public:
    BoxDriver() : BoxRecorder(IDCANCEL, {"Tablet Setup"}) {}
};

// The driver's state that the Setup dialog may change: every context the
// stand-in enumerates, the default system context, and every cursor's map.
struct DriverSnapshot {
    std::vector<ContextRecord> contexts;
    ContextRecord defaultSystem;
    std::vector<ButtonMap> maps;
};
bool operator==(const DriverSnapshot& a, const DriverSnapshot& b);
inline bool operator!=(const DriverSnapshot& a, const DriverSnapshot& b) { return !(a == b); }

// A button map with these entries first, the rest 0; maps compared byte for byte.
inline ButtonMap MapOf(std::initializer_list<uint8_t> codes) {
    ButtonMap map = {};
    size_t n = 0;
    for (uint8_t code : codes)
        if (n < sizeof map.entry) map.entry[n++] = code;
    return map;
}
inline bool SameMap(const ButtonMap& a, const ButtonMap& b) { return memcmp(&a, &b, sizeof a) == 0; }

bool SameRecord(const ContextRecord& a, const ContextRecord& b);
// The byte offsets where two records differ, with both values, for messages.
std::string RecordDiff(const ContextRecord& a, const ContextRecord& b);

class SetupHost : public DialogHost {
public:
    SetupHost();
    ~SetupHost();

    // Fresh stand-in state from a description (empty text: the built-in
    // tablet); the device is chosen again and the unit set.
    bool Describe(const char* iniText, int unit = 0);

    // The dialog from template 4; null on failure. A hidden dialog opens in
    // half the time; Ended and keyboard focus need it shown.
    HWND Open(bool show = true);
    void Spin(int spinId, WORD code);   // TWN_UP or TWN_DOWN from the spin
    INT_PTR Answer(int id, WORD code);  // the dialog procedure's own answer
    AreaBox ControlArea() const;        // what control 50 holds

    // The first "Default System" context of device 0 as the stand-in holds it.
    ContextRecord SystemContext();
    ButtonMap Map(uint32_t cursor = 0);
    DriverSnapshot Snapshot();

    // The "Units" key of the program's preferences section, "" when absent.
    std::string UnitsKey() const;
    void SetUnitsKey(const char* value) const;

    // Runs the dialog modally; each step runs when the dialog is idle. Ends
    // the dialog with -1 if it is still open after the last step.
    INT_PTR RunModal(std::vector<std::function<void(HWND)>> steps);

    SimControl sim;
    BoxDriver boxDriver;
};

// A tablet description text: the [Tablet] section and a [Device0] section
// with the given lines, followed by any further sections. Unless the lines
// name the device, it gets a name of this process's own.
std::string Tablet(const std::string& tabletLines, const std::string& deviceLines, const std::string& more = "");

}  // namespace setup_test
