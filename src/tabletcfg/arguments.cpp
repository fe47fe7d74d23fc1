// tabletcfg's command line.
#include "tabletcfg/arguments.h"

const char CfgUsage[] =
    "usage: tabletcfg info   [--device TEXT] [--units in|cm]\n"
    "       tabletcfg export FILE [--device TEXT]\n"
    "       tabletcfg import FILE [--device TEXT] [--dry-run]\n";

const char CfgHelp[] =
    "Saves the tablet's settings to a file and puts them back.\n"
    "\n"
    "tabletcfg info   [--device TEXT] [--units in|cm]\n"
    "    Shows the tablet as the Information dialog does, in inches or\n"
    "    centimetres (without --units, in the unit the control panel keeps).\n"
    "tabletcfg export FILE [--device TEXT]\n"
    "    Saves the settings the control panel edits to FILE.\n"
    "tabletcfg import FILE [--device TEXT] [--dry-run]\n"
    "    Checks all of FILE against the tablet, then writes its settings to the\n"
    "    driver and prints what changed; --dry-run only prints what would change.\n"
    "\n"
    "FILE      a settings file: an ini text that export writes and Notepad can\n"
    "          edit (ANSI, UTF-8 or Unicode); values are tablet counts.\n"
    "--device  chooses the first tablet whose name contains TEXT (ignoring case).\n"
    "Command and option words may be written in any case.\n"
    "\n"
    "Exit codes: 0 done; 1 usage error; 2 no tablet driver, or the tablet does not\n"
    "answer; 3 the file cannot be read or written, or does not fit this tablet;\n"
    "4 the driver refused a setting.\n";

namespace {

struct CommandName {
    const char* name;
    CfgCommand command;
    bool takesFile;
};

const CommandName Commands[] = {
    {"info", CommandInfo, false},
    {"export", CommandExport, true},
    {"import", CommandImport, true},
};

// Command and option words, as on every Windows command line, in any case.
bool SameWord(const char* word, const char* name) {
    for (;; ++word, ++name) {
        const char a = *word >= 'A' && *word <= 'Z' ? static_cast<char>(*word + 32) : *word;
        if (a != *name) return false;
        if (a == '\0') return true;
    }
}

bool IsHelp(const char* word) { return SameWord(word, "--help") || SameWord(word, "-h") || SameWord(word, "/?"); }

}  // namespace

bool ParseCfgArguments(int argc, const char* const* argv, CfgArguments& arguments, std::string& problem) {
    arguments = CfgArguments{CommandHelp, nullptr, nullptr, UnitFromPreference, false};
    if (argc < 2) {
        problem = "no command given";
        return false;
    }
    if (IsHelp(argv[1])) return true;
    const CommandName* command = nullptr;
    for (const CommandName& c : Commands)
        if (SameWord(argv[1], c.name)) command = &c;
    if (!command) {
        problem = std::string("unknown command \"") + argv[1] + "\"";
        return false;
    }
    arguments.command = command->command;
    bool unitGiven = false;
    for (int i = 2; i < argc; ++i) {
        const char* word = argv[i];
        const bool hasValue = i + 1 < argc;
        if (IsHelp(word)) {
            arguments.command = CommandHelp;
            return true;
        } else if (SameWord(word, "--device")) {
            if (arguments.device) return problem = "--device is given twice", false;
            if (!hasValue) return problem = "--device needs the text of a device name", false;
            arguments.device = argv[++i];
        } else if (SameWord(word, "--units")) {
            if (command->command != CommandInfo) return problem = "--units belongs to info", false;
            if (unitGiven) return problem = "--units is given twice", false;
            if (!hasValue) return problem = "--units needs in or cm", false;
            const char* unit = argv[++i];
            if (SameWord(unit, "in"))
                arguments.unit = UnitArgumentInches;
            else if (SameWord(unit, "cm"))
                arguments.unit = UnitArgumentCentimetres;
            else
                return problem = std::string("--units takes in or cm, not \"") + unit + "\"", false;
            unitGiven = true;
        } else if (SameWord(word, "--dry-run")) {
            if (command->command != CommandImport) return problem = "--dry-run belongs to import", false;
            if (arguments.dryRun) return problem = "--dry-run is given twice", false;
            arguments.dryRun = true;
        } else if (word[0] == '-' && word[1] != '\0') {
            return problem = std::string("unknown option \"") + word + "\"", false;
        } else if (command->takesFile && !arguments.file) {
            arguments.file = word;
        } else {
            return problem = std::string("unexpected \"") + word + "\"", false;
        }
    }
    if (command->takesFile && !arguments.file) return problem = std::string(command->name) + " needs a FILE", false;
    return true;
}
