// tabletcfg's command line: the command, its file and the options.
// Window-free.
#pragma once

#include <string>

enum CfgCommand { CommandHelp, CommandInfo, CommandExport, CommandImport };

enum CfgUnit { UnitFromPreference = -1, UnitArgumentInches = 0, UnitArgumentCentimetres = 1 };

struct CfgArguments {
    CfgCommand command;
    const char* file;    // export and import
    const char* device;  // --device TEXT, null without it
    int unit;            // --units (info): a CfgUnit
    bool dryRun;         // --dry-run (import)
};

// The usage printed after a usage error: the three syntax lines.
extern const char CfgUsage[];
// What --help, -h and /? print: each command, FILE and the exit codes.
extern const char CfgHelp[];

// Reads argv[1..argc-1]; false with a one-line problem when they make no
// sense (unknown command or option, a missing or extra value, an option the
// command does not take, an option given twice).
bool ParseCfgArguments(int argc, const char* const* argv, CfgArguments& arguments, std::string& problem);
