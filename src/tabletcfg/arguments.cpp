// tabletcfg's command line.
#include "tabletcfg/arguments.h"

#include <cstring>

const char CfgUsage[] =
    "usage: tabletcfg info   [--device TEXT] [--units in|cm]\n"
    "       tabletcfg export FILE [--device TEXT]\n"
    "       tabletcfg import FILE [--device TEXT] [--dry-run]\n";

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

bool IsHelp(const char* word) {
    return std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0 || std::strcmp(word, "/?") == 0;
}

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
        if (std::strcmp(argv[1], c.name) == 0) command = &c;
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
        } else if (std::strcmp(word, "--device") == 0) {
            if (arguments.device) return problem = "--device is given twice", false;
            if (!hasValue) return problem = "--device needs the text of a device name", false;
            arguments.device = argv[++i];
        } else if (std::strcmp(word, "--units") == 0) {
            if (command->command != CommandInfo) return problem = "--units belongs to info", false;
            if (unitGiven) return problem = "--units is given twice", false;
            if (!hasValue) return problem = "--units needs in or cm", false;
            const char* unit = argv[++i];
            if (std::strcmp(unit, "in") == 0)
                arguments.unit = UnitArgumentInches;
            else if (std::strcmp(unit, "cm") == 0)
                arguments.unit = UnitArgumentCentimetres;
            else
                return problem = std::string("--units takes in or cm, not \"") + unit + "\"", false;
            unitGiven = true;
        } else if (std::strcmp(word, "--dry-run") == 0) {
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
