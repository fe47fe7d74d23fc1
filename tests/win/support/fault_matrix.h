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

#include "support/dialog_support.h"
#include "support/import_patch.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"

namespace fault_test {

// Answers every dialog-class window of this thread that is not one of the
// program's four dialogs (those are the message boxes) with `answer`, and
// notes it.
class BoxCounter : public BoxRecorder {
public:
    BoxCounter()
        : BoxRecorder(IDOK, {"Tablet Information", "Features", "Tablet Setup", "About Tablet Control Panel..."}) {}
};

// A fault of the stand-in, with its value.
using FaultSetting = std::pair<int, int>;

// The stand-in loaded, the window classes registered, an owner window with
// the driver manager open, and the program's state reset for each case.
class FaultHost : public DialogHost {
public:
    // dllPath: a Vellix32.dll to use instead of the one beside the test (the
    // program binds to the library of that name already loaded).
    explicit FaultHost(const std::string& dllPath = "");
    ~FaultHost();

    // Fresh stand-in: the description (empty: the built-in tablet), then the
    // faults; the device is chosen again and the preferences section read
    // as at start-up; the unit is inches.
    bool Apply(const std::string& description, const std::vector<FaultSetting>& faults);

    SimControl sim;
    BoxCounter boxes;

private:
    OwnerWindow ownerWindow{true};
};

}  // namespace fault_test
