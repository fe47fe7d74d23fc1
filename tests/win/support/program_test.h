// The fixture most Windows tests of the program share: the driver stand-in
// loaded and reset, the device chosen afresh, and the program's main window
// or the dialog a test opened destroyed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/sim_control.h"

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The main window as start-up makes it, its first messages dispatched.
    HWND Start();
    // A tablet description for the stand-in, as text or as a profile of the
    // tests' profiles folder; the device is chosen again.
    void Describe(const std::string& ini);
    void LoadProfile(const char* name);

    SimControl sim;
    HWND mainWindow = nullptr;
    HWND dialog = nullptr;
};
