// tabletcfg, the console program that shows the tablet, saves its settings
// to a file and puts them back. Private header, grouped by source file.
#pragma once

#include <windows.h>

#include <string>

#include "core/settings.h"
#include "tabletcfg/arguments.h"
#include "tabletcfg/settings_file.h"

// The program's exit codes.
enum CfgExit {
    ExitDone = 0,
    ExitUsage = 1,
    ExitNoDriver = 2,  // "Tablet Driver Not Found."
    ExitBadFile = 3,   // the file cannot be read or written, does not fit or is malformed
    ExitRefused = 4,   // the driver did not take what was written
};

// console.cpp: output in the ANSI code page, shown as written on a console
// and recoded for the reader when redirected; errors go to standard error,
// PrintError's after "tabletcfg: ".
void PrintText(const std::string& text);
void PrintErrorText(const std::string& text);
void PrintError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// ansi_text.cpp: a settings file's Unicode text in the ANSI code page, as
// ReadSettingsFile takes it (an AnsiFromUnicode).
std::string AnsiFromUnicodeText(const std::u16string& text);
// A string-table text (80 characters at most, as the program's buffers).
std::string LoadText(UINT id);

// session_window.cpp: the message-only window the driver manager is opened
// for, and the session around one command.
bool OpenCfgSession();
void CloseCfgSession();

// tablet_reading.cpp: the device and its settings as the driver holds them
// (an area off the tablet or without extent brought onto it, as Setup shows
// it), read in one snapshot without writing anything. False, with problem
// the one line to say, when the tablet does not answer or its settings
// cannot be read whole (an axis without extent, no system context, a map
// that does not answer).
struct TabletReading {
    bool buttonNames = false;        // the buttons' names too (for the file's comments)
    AreaBox* heldArea = nullptr;     // receives the area as the driver holds it
    SettingsBasis* basis = nullptr;  // receives what the settings were read on
};
bool ReadTablet(TabletSettings& tablet, TabletScale& scale, std::string& problem,
                const TabletReading& reading = TabletReading());
// The action list's texts from the string table.
struct ActionTexts {
    std::string texts[ActionCodeCount];
    const char* names[ActionCodeCount];
};
void LoadActionTexts(ActionTexts& actions);

// commands.cpp
int RunInfo(const CfgArguments& arguments);
int RunExport(const CfgArguments& arguments);
int RunImport(const CfgArguments& arguments);
