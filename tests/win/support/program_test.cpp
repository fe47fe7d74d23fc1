// The shared fixture of the program's tests; see program_test.h.
#include "support/program_test.h"

#include "app/app.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "exchange/snapshot.h"
#include "support/windows_harness.h"

void ProgramTest::SetUp() {
    ASSERT_TRUE(sim.Loaded());
    sim.Reset();
    ForgetDeviceSelection();
}

void ProgramTest::TearDown() {
    if (dialog && IsWindow(dialog)) DestroyWindow(dialog);
    if (mainWindow && IsWindow(mainWindow)) DestroyWindow(mainWindow);
    DispatchPending();
}

HWND ProgramTest::Start() {
    mainWindow = StartTabletControlPanel(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    DispatchPending();
    return mainWindow;
}

void ProgramTest::Describe(const std::string& ini) {
    ASSERT_TRUE(sim.LoadDescriptionText(ini.c_str()));
    ForgetDeviceSelection();
}

void ProgramTest::LoadProfile(const char* name) {
    ASSERT_TRUE(sim.LoadDescription((BinFolder() + "profiles\\" + name).c_str()));
    ForgetDeviceSelection();
}
