// The dialogs in this process under the stand-in's faults; see fault_matrix.h.
#include "support/fault_matrix.h"

#include <cstring>

#include "app/app.h"
#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "exchange/snapshot.h"
#include "setup/setup_private.h"
#include "support/import_patch.h"
#include "support/windows_harness.h"

namespace fault_test {

// --- the host ----------------------------------------------------------------

FaultHost::FaultHost(const std::string& dllPath) {
    if (!dllPath.empty()) sim.Load(dllPath.c_str());  // the program then binds to this one
    BeepCount();                                      // the program's beeps are counted rather than sounded
    HINSTANCE instance = GetModuleHandleA(nullptr);
    LoadStringA(instance, IDS_CAPTION, caption, sizeof caption);
    RegisterSetAreaClass(instance);
    RegisterTweakClass(instance);
    owner = ownerWindow.handle();
    settleEachCommand = true;
    OpenDriverSession(owner);
}

FaultHost::~FaultHost() {
    Close();
    CloseDriverSession();
    UnloadDriver();  // so that a later host may give the program another driver
    PumpMessages();
}

bool FaultHost::Apply(const std::string& description, const std::vector<FaultSetting>& faults) {
    Close();
    sim.Reset();
    bool ok = description.empty() || sim.LoadDescriptionText(description.c_str());
    for (const FaultSetting& fault : faults) ok = sim.SetFault(fault.first, fault.second) && ok;
    ForgetDeviceSelection();
    SelectDevice();
    ReadUnitPreference();  // fixes the preferences section as start-up does
    CurrentUnit = 0;
    preserveAspect = 0;
    boxes.boxes.clear();
    sim.ClearLog();
    return ok;
}

}  // namespace fault_test
