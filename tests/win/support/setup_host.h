// Hosting the Tablet Setup dialog in tests: the stand-in loaded with a tablet
// description, an owner window with the driver manager open, the dialog
// created from its template and driven with messages, the warning box
// answered by a hook, beeps counted and the driver's state captured.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "support/sim_control.h"

namespace setup_test {

// One message box seen by the hook, and how it was answered.
struct SeenBox {
    std::string caption;
    std::string text;
    UINT style = 0;        // the style the program asked for
    HWND owner = nullptr;  // and the owner it gave
    bool hasOk = false;
    bool hasCancel = false;
    bool warningIcon = false;
};

// Answers every message box of this thread as it is activated, so that a
// modal box never blocks a test. Boxes are pressed with `answer`.
class BoxDriver {
public:
    BoxDriver();
    ~BoxDriver();
    std::vector<SeenBox> boxes;
    int answer = IDCANCEL;

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam);
    void Inspect(HWND box);
    HHOOK cbtHook = nullptr;
    HHOOK messageHook = nullptr;
};

// MessageBeep calls made by the program since the counter was created.
int BeepCount();

// The driver's state that the Setup dialog may change: every context the
// stand-in enumerates, the default system context, and every cursor's map.
struct DriverSnapshot {
    std::vector<ContextRecord> contexts;
    ContextRecord defaultSystem;
    std::vector<ButtonMap> maps;
};
bool operator==(const DriverSnapshot& a, const DriverSnapshot& b);
inline bool operator!=(const DriverSnapshot& a, const DriverSnapshot& b) { return !(a == b); }

bool SameRecord(const ContextRecord& a, const ContextRecord& b);
// The byte offsets where two records differ, with both values, for messages.
std::string RecordDiff(const ContextRecord& a, const ContextRecord& b);

class SetupHost {
public:
    SetupHost();
    ~SetupHost();
    SetupHost(const SetupHost&) = delete;
    SetupHost& operator=(const SetupHost&) = delete;

    // Fresh stand-in state from a description (empty text: the built-in
    // tablet); the device is chosen again and the unit set.
    bool Describe(const char* iniText, int unit = 0);

    // The dialog from template 4; null on failure. A hidden dialog opens in
    // half the time; Ended and keyboard focus need it shown.
    HWND Open(bool show = true);
    void Close();  // destroys the dialog if it still exists
    bool Ended() const;  // EndDialog was called on a shown dialog (it is hidden now)

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    void Click(int id);
    void Select(int listId, int index);           // with CBN_SELCHANGE
    void Type(int editId, const char* text);      // text, then EN_KILLFOCUS
    void Spin(int spinId, WORD code);             // TWN_UP or TWN_DOWN from the spin
    void Notify(int id, WORD code);               // any notification from a control
    INT_PTR Answer(int id, WORD code);            // the dialog procedure's own answer
    std::string Text(int id) const;
    bool Checked(int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    int Selection(int listId) const;
    int Count(int listId) const;
    std::string ListText(int listId, int index) const;
    AreaBox ControlArea() const;  // what control 50 holds

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
    HWND owner = nullptr;
    HWND dialog = nullptr;
};

// A tablet description text: the [Tablet] section and a [Device0] section
// with the given lines, followed by any further sections. Unless the lines
// name the device, it gets a name of this process's own.
std::string Tablet(const std::string& tabletLines, const std::string& deviceLines,
                   const std::string& more = "");

}  // namespace setup_test
