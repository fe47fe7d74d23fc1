// The call log that tests read: one line per entry-point call, and a count
// per ordinal. The oldest lines go when the log is full; counts keep going.
// With VELLIX_CALL_LOG set, every line is also appended to that file, so that
// a test can read the calls of a program it ran in another process.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "stand_in.h"

namespace sim {

namespace {

void AppendToLogFile(const Driver& d, const char* line) {
    if (d.callLogPath.empty()) return;
    HANDLE file = CreateFileA(d.callLogPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(strlen(line)), &written, nullptr);
    WriteFile(file, "\n", 1, &written, nullptr);
    CloseHandle(file);
}

}  // namespace

void LogCall(Driver& d, uint32_t ordinal, const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (d.log.size() >= kMaxLogLines) d.log.pop_front();
    d.log.push_back(line);
    if (ordinal < d.callCounts.size()) ++d.callCounts[ordinal];
    ++d.totalCalls;
    AppendToLogFile(d, line);
    if (d.faults.slowCalls > 0) Sleep(static_cast<DWORD>(d.faults.slowCalls));  // SimFaultSlowCalls
}

std::string JoinLog(const Driver& d) {
    std::string text;
    for (const std::string& line : d.log) {
        text += line;
        text += '\n';
    }
    return text;
}

void ClearLog(Driver& d) {
    d.log.clear();
    d.callCounts.assign(d.callCounts.size(), 0);
    d.totalCalls = 0;
}

const char* PointerText(const void* p) { return p ? "ptr" : "null"; }

const char* WindowText(HWND window) { return window ? "hwnd" : "null"; }

}  // namespace sim
