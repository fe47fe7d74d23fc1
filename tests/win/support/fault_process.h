// Driving the real program in a process of its own: a copy of tabletcp.exe
// started from a folder of its own (with or without a Vellix32.dll beside
// it), its windows found by process id, its dialogs opened through the main
// window's commands and their buttons pressed with posted messages. Nothing
// here may hang a test: every wait has a limit, and a process still running
// at the end is terminated and reported.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/child_program.h"

namespace fault_test {

using ::BinFolder;
using ::ChildProgram;
using ::Quoted;

// A folder under %TEMP% holding a copy of the program and, when dllPath is
// not empty, a copy of that Vellix32.dll. Removed with everything in it.
class ProgramFolder {
public:
    ProgramFolder(const std::string& name, const std::string& dllPath);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;
    bool Ready() const { return ready; }
    const std::string& Path() const { return path; }
    std::string Program() const { return path + "\\tabletcp.exe"; }

private:
    std::string path;
    bool ready = false;
};

// A text window of another process, read with a sent WM_GETTEXT.
std::string RemoteText(HWND window);
std::string RemoteItemText(HWND dialog, int id);

// What a session saw; everything a test asserts on.
struct SessionReport {
    bool started = false;
    bool mainWindow = false;
    std::string stopBoxText;  // a box shown instead of the main window
    std::string stopBoxTitle;
    std::vector<std::string> captions;    // each dialog opened, in order
    std::vector<std::string> unexpected;  // boxes nobody asked for, and what went wrong
    // Texts read from the dialogs.
    std::string infoId, infoFormat, infoCursor, infoWidth, infoWidthCm, infoXRes;
    int featuresEntries = -1;
    std::string setupWidth, setupHeight, setupSensitivity;
    std::string aboutDriver;
    bool ended = false;
    DWORD exitCode = 0xFFFFFFFF;
    bool terminated = false;  // it had to be killed: a hang
    DWORD elapsedMs = 0;
};

// Starts the program and, once its main window is up, opens every dialog
// through the main window's commands, presses every command button of each,
// and ends with Exit. When a box comes instead of the main window, its text
// is noted and OK pressed. Either way the process must then end by itself.
SessionReport RunEveryDialog(const std::string& program, const std::string& commandLine);

// Runs job(0) .. job(count - 1) on up to `workers` threads at a time.
void RunInParallel(size_t count, unsigned workers, const std::function<void(size_t)>& job);

// For each ordinal, a folder with the program beside the driver variant that
// lacks that entry point, every dialog driven (a few processes side by
// side), and the session checked: without VXInfoA (20, the presence query)
// or VXMgrOpen (100, the manager) the program stops at start-up; without
// any other entry point everything runs.
void CheckMissingEntryPoints(const std::vector<unsigned>& ordinals);

// The stand-in in a child reads no tablet description, state file or host
// mouse or faults from the environment: children use the built-in tablet.
void PlainEnvironment();
// Starts the program of a folder (with the stand-in beside it) in the plain
// environment and waits for its main window: nullptr when the folder is not
// ready, the program does not start, or something else comes first.
HWND StartToMainWindow(const ProgramFolder& folder, ChildProgram& child);

// Ends the program with its Exit command and expects it to end by itself,
// with exit code 0.
void ExpectExitWithZero(ChildProgram& child, HWND mainWindow);

// Every dialog opened and showed the built-in tablet, no box came that
// nobody asked for, and the process ended by itself with 0.
void ExpectFullSession(const SessionReport& r, const std::string& what);
// "Tablet Driver Not Found." came instead of the main window and OK ended
// the program with 0.
void ExpectStopAtStartUp(const SessionReport& r, const std::string& what);

}  // namespace fault_test
