// A Windows program run as a child process; see child_program.h.
#include "support/child_program.h"

namespace {

constexpr DWORD PollMs = 5;

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct WindowSearch {
    DWORD processId;
    const std::string& className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM parameter) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && ClassOf(window) == search->className)
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> ProcessWindows(DWORD processId, const std::string& className) {
    WindowSearch search = {processId, className, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Contains(const std::vector<HWND>& windows, HWND window) {
    for (HWND w : windows)
        if (w == window) return true;
    return false;
}

}  // namespace

std::string BinFolder() {
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".\\") : folder.substr(0, slash + 1);
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

ChildProgram::~ChildProgram() {
    if (!started) return;
    if (Running()) Terminate();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

bool ChildProgram::Start(const std::string& program, const std::string& commandLine, const std::string& currentFolder,
                         const Output* output) {
    if (started) return false;
    std::string folder = currentFolder.empty() ? program.substr(0, program.find_last_of("\\/")) : currentFolder;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    DWORD flags = 0;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output->out;
        startup.hStdError = output->err;
        flags = CREATE_NO_WINDOW;
    }
    started = CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, output != nullptr, flags, nullptr,
                             folder.c_str(), &startup, &process) != FALSE;
    return started;
}

bool ChildProgram::Running() const { return started && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; }

HWND ChildProgram::MainWindow() const {
    std::vector<HWND> windows = ProcessWindows(process.dwProcessId, mainClass);
    return windows.empty() ? nullptr : windows.front();
}

std::vector<HWND> ChildProgram::Dialogs() const { return ProcessWindows(process.dwProcessId, "#32770"); }

HWND ChildProgram::WaitForMainWindowOrBox(DWORD limitMs) const {
    for (DWORD begun = GetTickCount(); GetTickCount() - begun < limitMs && Running();) {
        std::vector<HWND> boxes = Dialogs();
        if (!boxes.empty()) return boxes.front();
        if (HWND main = MainWindow()) return main;
        WaitForSingleObject(process.hProcess, PollMs);
    }
    return nullptr;
}

HWND ChildProgram::WaitForNewDialog(const std::vector<HWND>& known, DWORD limitMs) const {
    for (DWORD begun = GetTickCount(); GetTickCount() - begun < limitMs && Running();) {
        for (HWND dialog : Dialogs())
            if (!Contains(known, dialog)) return dialog;
        WaitForSingleObject(process.hProcess, PollMs);
    }
    return nullptr;
}

bool ChildProgram::WaitGone(HWND window, DWORD limitMs) const {
    for (DWORD begun = GetTickCount(); GetTickCount() - begun < limitMs;) {
        if (!IsWindow(window) || !IsWindowVisible(window)) return true;
        if (!Running()) return !IsWindow(window);
        Sleep(PollMs);
    }
    return false;
}

bool ChildProgram::WaitForExit(DWORD limitMs, DWORD& exitCode) {
    if (!started || WaitForSingleObject(process.hProcess, limitMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(process.hProcess, &exitCode) != FALSE;
}

void ChildProgram::Terminate() {
    if (!started) return;
    TerminateProcess(process.hProcess, 0xDEAD);
    WaitForSingleObject(process.hProcess, 5000);
}
