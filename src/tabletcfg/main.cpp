// tabletcfg: shows the tablet, saves the settings the control panel edits to
// a file, and puts a file's settings back after checking all of it.
#include "defs/features.h"
#include "exchange/snapshot.h"
#include "tabletcfg/tabletcfg.h"

namespace {

int RunCommand(const CfgArguments& arguments) {
    switch (arguments.command) {
    case CommandInfo: return RunInfo(arguments);
    case CommandExport: return RunExport(arguments);
    case CommandImport: return RunImport(arguments);
    case CommandHelp: break;
    }
    return ExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    CfgArguments arguments;
    std::string problem;
    if (!ParseCfgArguments(argc, argv, arguments, problem)) {
        PrintError("%s", problem.c_str());
        PrintErrorText(CfgUsage);
        return ExitUsage;
    }
    if (arguments.command == CommandHelp) {
        PrintText(CfgHelp);
        return ExitDone;
    }
    // The device is chosen as the control panel's command line chooses it;
    // without --device the empty text, which every name contains.
    SetDeviceSelection(arguments.device ? arguments.device : "");
    if (!OpenCfgSession()) {
        PrintErrorText(LoadText(IDS_DRIVER_NOT_FOUND) + "\n");
        CloseCfgSession();
        return ExitNoDriver;
    }
    const int result = RunCommand(arguments);
    CloseCfgSession();
    return result;
}
