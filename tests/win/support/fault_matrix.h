// The dialogs of the program in this process under the driver stand-in's
// faults: each dialog opened modelessly from its real template with its real
// procedure, every command button pressed as its control would, and what
// the dialog showed collected for the test to compare. Message boxes are
// counted and answered by a hook, so that none can block a test.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "support/sim_control.h"

namespace fault_test {

// One message box seen while a dialog was driven.
struct SeenBox {
    std::string caption;
    std::string text;
};

// Answers every dialog-class window of this thread that is not one of the
// program's four dialogs (those are the message boxes) as it is activated,
// with `answer`, and notes it.
class BoxCounter {
public:
    BoxCounter();
    ~BoxCounter();
    BoxCounter(const BoxCounter&) = delete;
    BoxCounter& operator=(const BoxCounter&) = delete;
    std::vector<SeenBox> boxes;
    int answer = IDOK;

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook = nullptr;
};

// A fault of the stand-in, with its value.
using FaultSetting = std::pair<int, int>;

// The stand-in loaded, the window classes registered, an owner window with
// the driver manager open, and the program's state reset for each case.
class FaultHost {
public:
    // dllPath: a Vellix32.dll to use instead of the one beside the test (the
    // program binds to the library of that name already loaded).
    explicit FaultHost(const std::string& dllPath = "");
    ~FaultHost();
    FaultHost(const FaultHost&) = delete;
    FaultHost& operator=(const FaultHost&) = delete;

    // Fresh stand-in: the description (empty: the built-in tablet), then the
    // faults; the device is chosen again and the preferences section read
    // as at start-up; the unit is inches.
    bool Apply(const std::string& description, const std::vector<FaultSetting>& faults);

    // The dialog of template id with its procedure, modeless and shown.
    HWND Open(int templateId, DLGPROC proc);
    void Close();  // destroys the open dialog
    HWND Dialog() const { return dialog; }
    bool Ended() const;  // EndDialog was called: the dialog is hidden

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    // As the controls themselves would report to the dialog.
    void Click(int id);
    void Notify(int id, WORD code);
    void Select(int listId, int index);
    void Type(int editId, const char* text);
    void Command(WPARAM wParam);  // a bare command, as the Escape key sends IDCANCEL

    std::string Text(int id) const;
    bool Checked(int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    int Selection(int listId) const;
    std::vector<std::string> Entries(int listId) const;

    SimControl sim;
    BoxCounter boxes;

private:
    HWND owner = nullptr;
    HWND dialog = nullptr;
};

// Dispatches every waiting message of this thread except timer ticks.
void Pump();

// MessageBeep calls the program made so far (the import is redirected to a
// counter for this executable on first use); -1 when it cannot be counted.
int Beeps();

}  // namespace fault_test
