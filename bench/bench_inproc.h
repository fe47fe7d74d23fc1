// The in-process benchmarks: the product linked in, the driver stand-in
// loaded beside it with its built-in tablet, real windows under Wine.
#pragma once

#include <windows.h>

#include <string>

#include "support/sim_control.h"

namespace bench {

SimControl& Sim();
// The stand-in as the product finds it, fresh: built-in tablet, no
// persistence, empty call log. False when the library is missing.
bool ResetStandIn();

// What the dialogs need without the main window: classes registered, the
// instance, a visible owner window with the driver manager open, the unit.
HWND PrepareDialogHost();

// "VXInfoA:12 VXGetA:1" for the calls logged since the last SimClearLog,
// each count divided by perOperation.
std::string CallBreakdown(int perOperation = 1);
// A row of driver calls for one operation, from the log since the last clear.
void CallRow(const std::string& operation, int calls, const std::string& breakdown);

// The logged calls in order, one note each, for the benchmark's log.
void NoteCallLog(const std::string& operation);

// Answers any message box that no benchmark asked for, so that none can
// hang a run; each one is reported as a note.
void InstallBoxAnswerer(HWND expectedOwner);
int UnexpectedBoxes();

int RunDialogBench(int runs);
int RunCaptureBench(int rounds, int packetsPerRound);
int RunCallCountBench();

}  // namespace bench
