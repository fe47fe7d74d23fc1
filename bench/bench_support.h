// Shared by the benchmark programs: the clock, medians, the watchdog that
// keeps a stuck benchmark from hanging the run, and the table rows that
// tools/bench collects ("ROW|measure|value|baseline|ratio|target|verdict").
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

// Milliseconds on the performance counter.
double NowMs();
double Median(std::vector<double> values);

// Ends the process with exit code 3 when it is still running after the
// given time, naming what it was doing.
void StartWatchdog(DWORD seconds, const char* what);

// printf into a std::string.
std::string Format(const char* format, ...);

// One table row. Cells may be empty ("-" is printed).
void Row(const std::string& measure, const std::string& value, const std::string& baseline, const std::string& ratio,
         const std::string& target, const std::string& verdict);
// A diagnostic line; tools/bench shows these only when a benchmark fails.
void Note(const char* format, ...);
// A benchmark that could not run: reported as a FAIL line, exit code 2.
int Fail(const char* format, ...);

// The median of values[i] / baselines[i]: each run paired with the baseline
// run next to it in time, so that a change of load during the benchmark
// weighs on both sides of a ratio alike.
double PairedRatio(const std::vector<double>& values, const std::vector<double>& baselines);

// The row of a time measured against a baseline, from paired runs: medians
// of each side, their paired ratio, which must stay at or below maxRatio.
void TimeRow(const std::string& measure, const std::vector<double>& valuesMs, const std::vector<double>& baselinesMs,
             double maxRatio);

// Dispatches every queued message of this thread; a WM_QUIT is returned as
// true (and consumed).
bool Pump();

}  // namespace bench
