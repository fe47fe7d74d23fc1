// Another Windows program run as a child process: started in a folder, its
// visible top-level windows found by process id, waited for with a limit,
// and ended by force when it outlives its object. Written once for the
// tests, the start-up benchmark and the tour; needs no test framework.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The folder of the running program (bin/ of the build), with a trailing
// backslash; the test programs, the program and the stand-in all live there.
std::string BinFolder();

// "path" in double quotes, as a command line wants it.
std::string Quoted(const std::string& path);

class ChildProgram {
public:
    // The class of the program's main window.
    explicit ChildProgram(std::string mainClass = "Tablet Control Panel") : mainClass(std::move(mainClass)) {}
    ~ChildProgram();  // terminates the process if it still runs
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    // Standard output and error handed to the child (inheritable handles),
    // and no console window of its own.
    struct Output {
        HANDLE out;
        HANDLE err;
    };
    // Starts program with the command line (the whole line, program path
    // included) in currentFolder, by default the program's own folder. False
    // when it could not start.
    bool Start(const std::string& program, const std::string& commandLine, const std::string& currentFolder = "",
               const Output* output = nullptr);

    DWORD Id() const { return process.dwProcessId; }
    HANDLE Handle() const { return process.hProcess; }
    bool Running() const;

    // Visible top-level windows of the process.
    HWND MainWindow() const;            // of the main window's class
    std::vector<HWND> Dialogs() const;  // class #32770

    // Waits for the main window or a dialog-class window, whichever comes
    // first; nullptr when neither appears within the limit or the process
    // ends.
    HWND WaitForMainWindowOrBox(DWORD limitMs = 15000) const;
    // Waits for a dialog-class window other than the ones given.
    HWND WaitForNewDialog(const std::vector<HWND>& known, DWORD limitMs = 10000) const;
    // Waits until the window no longer exists.
    bool WaitGone(HWND window, DWORD limitMs = 10000) const;

    // Waits for the end of the process: true with its exit code when it
    // ended within the limit.
    bool WaitForExit(DWORD limitMs, DWORD& exitCode);
    void Terminate();

private:
    std::string mainClass;
    PROCESS_INFORMATION process = {};
    bool started = false;
};
