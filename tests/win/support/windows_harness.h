// Helpers for Windows tests: pumping messages, driving modal boxes so that a
// test never hangs, and reading window texts.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches every queued message of this thread (a posted quit is dropped).
// Timer ticks are dispatched too unless dropped: tests that send WM_TIMER
// themselves keep the clock out of what they check.
enum class TimerTicks { Dispatched, Dropped };
void DispatchPending(TimerTicks ticks = TimerTicks::Dispatched);
// Every queued message except timer ticks.
inline void PumpMessages() { DispatchPending(TimerTicks::Dropped); }

// Files of the tests' own. A whole file's bytes, "" when it cannot be read
// (opened sharing writes: Wine's console host of an ended child may still
// hold it); a whole file written anew, false when it could not be; a path in
// the temporary folder.
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& text);
std::string TempPath(const std::string& name);
// A string of a file's version resource ("FileVersion", "ProductName" ...)
// from the language and code page block given; "" when there is none.
std::string VersionText(const std::string& file, const char* key, const char* block = "040904E4");

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
std::string WindowClass(HWND window);

// Visible dialog-class windows (#32770) of this thread, newest first.
std::vector<HWND> ThreadDialogs();

// What a dialog-class window (a message box, most often) showed, looked at
// once it is set up. Style and owner are what the program last asked of
// MessageBoxA, when RecordMessageBoxes() redirects it.
struct SeenBox {
    std::string caption;
    std::string text;  // a message box's text
    UINT style = 0;
    HWND owner = nullptr;
    HICON icon = nullptr;  // a message box's icon
    bool hasOk = false, hasCancel = false, hasYes = false;
    bool warningIcon = false;
};
SeenBox LookAtBox(HWND box);

// While alive, hands every dialog-class window of this thread activated for
// the first time to the handler (once the window's own message loop runs,
// when it is fully set up), which reads it and closes it (for example with
// PressButton). Windows open before the driver, and those whose caption is
// one of leaveAlone, are not its business. The newest driver alive is the
// one that answers.
class ModalDriver {
public:
    explicit ModalDriver(std::function<void(HWND box)> handler, std::vector<std::string> leaveAlone = {});
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;
    int handled() const { return handledCount; }

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam);
    bool Concerns(HWND window) const;
    std::function<void(HWND)> handler;
    std::vector<std::string> leaveAlone;
    std::vector<HWND> seen;
    HHOOK cbtHook = nullptr;
    HHOOK messageHook = nullptr;
    int handledCount = 0;
};

// Answers every box with `answer` and notes what it showed.
class BoxRecorder {
public:
    BoxRecorder(int answer, std::vector<std::string> leaveAlone);
    std::vector<SeenBox> boxes;
    int answer;

private:
    ModalDriver driver;
};

// Sends the box the command of its button id (IDOK, IDCANCEL ...).
void PressButton(HWND box, int id);

// The text of a message box (its static text control).
std::string MessageBoxText(HWND box);

// The icon shown by a message box of this process (its icon static), and a
// comparison of two icons by their pixels (handles differ between loads).
HICON BoxIcon(HWND box);
bool SameImage(HICON a, HICON b);
