// The call log that tests read: one line per entry-point call, and a count
// per ordinal. The oldest lines go when the log is full; counts keep going.
#include <cstdarg>
#include <cstdio>

#include "stand_in.h"

namespace sim {

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
