// See bench_support.h.
#include "bench_support.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace bench {

namespace {

std::string VFormat(const char* format, va_list args) {
    char buffer[1024];
    vsnprintf(buffer, sizeof buffer, format, args);
    return buffer;
}

struct Watch {
    DWORD seconds;
    char what[128];
};

DWORD WINAPI WatchdogThread(LPVOID parameter) {
    Watch* watch = static_cast<Watch*>(parameter);
    Sleep(watch->seconds * 1000);
    printf("FAIL|%s: still running after %lu s\n", watch->what, static_cast<unsigned long>(watch->seconds));
    fflush(stdout);
    ExitProcess(3);
    return 0;
}

std::string Cell(const std::string& text) { return text.empty() ? "-" : text; }

}  // namespace

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

void StartWatchdog(DWORD seconds, const char* what) {
    static Watch watch;
    watch.seconds = seconds;
    snprintf(watch.what, sizeof watch.what, "%s", what);
    HANDLE thread = CreateThread(nullptr, 0, WatchdogThread, &watch, 0, nullptr);
    if (thread) CloseHandle(thread);
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    return text;
}

void Row(const std::string& measure, const std::string& value, const std::string& baseline, const std::string& ratio,
         const std::string& target, const std::string& verdict) {
    printf("ROW|%s|%s|%s|%s|%s|%s\n", Cell(measure).c_str(), Cell(value).c_str(), Cell(baseline).c_str(),
           Cell(ratio).c_str(), Cell(target).c_str(), Cell(verdict).c_str());
    fflush(stdout);
}

void Note(const char* format, ...) {
    va_list args;
    va_start(args, format);
    printf("NOTE|%s\n", VFormat(format, args).c_str());
    va_end(args);
    fflush(stdout);
}

int Fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    printf("FAIL|%s\n", VFormat(format, args).c_str());
    va_end(args);
    fflush(stdout);
    return 2;
}

double PairedRatio(const std::vector<double>& values, const std::vector<double>& baselines) {
    std::vector<double> ratios;
    for (size_t i = 0; i < values.size() && i < baselines.size(); ++i)
        if (baselines[i] > 0) ratios.push_back(values[i] / baselines[i]);
    return Median(ratios);
}

void TimeRow(const std::string& measure, const std::vector<double>& valuesMs, const std::vector<double>& baselinesMs,
             double maxRatio) {
    double ratio = PairedRatio(valuesMs, baselinesMs);
    Note("%s: ratio of the medians %.2f, median of the paired ratios %.2f", measure.c_str(),
         Median(baselinesMs) > 0 ? Median(valuesMs) / Median(baselinesMs) : 0.0, ratio);
    Row(Format("%s (median of %d)", measure.c_str(), static_cast<int>(valuesMs.size())),
        Format("%.2f ms", Median(valuesMs)), Format("%.2f ms", Median(baselinesMs)), Format("%.2f", ratio),
        Format("<= %.1fx", maxRatio), ratio > 0 && ratio <= maxRatio ? "ok" : "MISSED");
}

bool Pump() {
    MSG message;
    bool quit = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return quit;
}

}  // namespace bench
