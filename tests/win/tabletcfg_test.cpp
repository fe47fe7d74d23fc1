// tabletcfg.exe run as a child process beside the driver stand-in, which
// keeps its state in a file of the test's own and appends every call to a
// log file: export and import put the driver back byte for byte; a bad file,
// a file for another tablet and --dry-run write nothing; info shows what the
// Information dialog shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "../cases/settings_file_cases.h"
#include "core/name_parts.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "support/dialog_support.h"
#include "support/fault_process.h"
#include "support/sim_control.h"
#include "support/windows_harness.h"
#include "vellix_control.h"

using namespace settings_file_cases;

namespace {

constexpr DWORD ChildLimitMs = 60000;
// The calls that change what the driver holds.
const char* const WriteCalls[] = {"VXSetA", "VXMgrCsrButtonMap", "VXMgrCsrEnable"};

struct CfgRun {
    bool finished = false;
    DWORD exitCode = 0xFFFFFFFF;
    std::string out, err;
};

std::string WithoutCarriageReturns(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

HANDLE InheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string Replaced(std::string text, const std::string& find, const std::string& replace) {
    const size_t at = text.find(find);
    if (at != std::string::npos) text.replace(at, find.size(), replace);
    return text;
}

class TabletCfgTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        folder = TempPath("tabletcfg_test_" + std::to_string(GetCurrentProcessId()));
        CreateDirectoryA(folder.c_str(), nullptr);
        statePath = folder + "\\tablet.state";
        logPath = folder + "\\calls.log";
        settingsPath = folder + "\\settings.ini";
        DeleteFileA(statePath.c_str());
        LoadState();
    }
    void TearDown() override {
        sim.Reset();
        for (const std::string& file : {statePath, logPath, settingsPath}) DeleteFileA(file.c_str());
        for (const std::string& file : outputs) DeleteFileA(file.c_str());
        RemoveDirectoryA(folder.c_str());
        fault_test::PlainEnvironment();
        SetEnvironmentVariableA("VELLIX_CALL_LOG", nullptr);
    }

    void UseProfile(const char* name) {
        profile = name ? BinFolder() + "profiles\\" + name : "";
        LoadState();
    }

    // A tablet of bin\profiles (null: the built-in one), or, when description
    // is not empty, that description in a profile of the test's own.
    void UseTablet(const char* name, const std::string& description) {
        if (description.empty()) return UseProfile(name);
        const std::string own = folder + "\\tablet.ini";
        outputs.push_back(own);
        ASSERT_TRUE(WriteWholeFile(own, description));
        profile = own;
        LoadState();
    }

    // The driver as the children left it, in this process's stand-in.
    void LoadState() {
        sim.Reset();
        if (!profile.empty()) {
            ASSERT_TRUE(sim.LoadDescription(profile.c_str())) << profile;
        }
        sim.SetStatePath(statePath.c_str());
    }

    CfgRun Run(const std::string& arguments, const std::string& program = "") {
        const std::string exe = program.empty() ? BinFolder() + "tabletcfg.exe" : program;
        SetEnvironmentVariableA("VELLIX_TABLET", profile.empty() ? nullptr : profile.c_str());
        SetEnvironmentVariableA("VELLIX_STATE", statePath.c_str());
        SetEnvironmentVariableA("VELLIX_CALL_LOG", logPath.c_str());
        SetEnvironmentVariableA("VELLIX_HOST_MOUSE", nullptr);
        DeleteFileA(logPath.c_str());
        // Files of this run's own: Wine's console host of an ended child may
        // hold the last run's files open a moment longer.
        ++runs;
        const std::string outPath = folder + "\\out" + std::to_string(runs) + ".txt";
        const std::string errPath = folder + "\\err" + std::to_string(runs) + ".txt";
        outputs.push_back(outPath);
        outputs.push_back(errPath);
        CfgRun run;
        HANDLE out = InheritableFile(outPath), err = InheritableFile(errPath);
        EXPECT_TRUE(out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE) << outPath;
        const std::string commandLine = Quoted(exe) + " " + arguments;
        // In its own folder, so that the folder is the only place it could
        // find a Vellix32.dll beside it.
        ChildProgram child;
        const ChildProgram::Output output = {out, err};
        const bool started = child.Start(exe, commandLine, "", &output);
        CloseHandle(out);
        CloseHandle(err);
        EXPECT_TRUE(started) << commandLine;
        run.finished = started && child.WaitForExit(ChildLimitMs, run.exitCode);
        EXPECT_TRUE(run.finished) << commandLine << ": still running after " << ChildLimitMs << " ms";
        // Standard output and error are text: lines end in CR LF.
        run.out = WithoutCarriageReturns(ReadWholeFile(outPath));
        run.err = WithoutCarriageReturns(ReadWholeFile(errPath));
        LoadState();
        return run;
    }

    // How many driver calls the last run made.
    int CallsLogged() {
        const std::string log = ReadWholeFile(logPath);
        return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
    }

    // The calls of the last run that change what the driver holds.
    std::vector<std::string> WritesLogged() {
        std::vector<std::string> writes;
        const std::string log = ReadWholeFile(logPath);
        size_t start = 0;
        while (start < log.size()) {
            const size_t end = log.find('\n', start);
            const std::string line = log.substr(start, end - start);
            for (const char* call : WriteCalls)
                if (line.compare(0, std::strlen(call), call) == 0) writes.push_back(line);
            if (end == std::string::npos) break;
            start = end + 1;
        }
        return writes;
    }

    // Every system context, the default system context, each cursor's map
    // and whether it is enabled, as bytes.
    std::string Snapshot() {
        std::string bytes;
        for (int i = 0; i < sim.ContextCount(); ++i) {
            ContextRecord record = sim.Context(sim.ContextAt(i));
            bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
        }
        ContextRecord defaultSystem = sim.Context(sim.DefaultSystemContext());
        bytes.append(reinterpret_cast<const char*>(&defaultSystem), sizeof defaultSystem);
        for (uint32_t cursor = 0; cursor < 2; ++cursor) {
            ButtonMap map = {};
            EXPECT_TRUE(sim.ReadButtonMap(cursor, &map));
            bytes.append(reinterpret_cast<const char*>(&map), sizeof map);
            bytes += static_cast<char>(sim.CursorEnabled(cursor));
        }
        return bytes;
    }

    // Every setting the file holds changed behind tabletcfg's back: the
    // contexts through the control interface, the maps and the enabled
    // cursor through the driver's own entry points, the unit in vellix.ini.
    void ChangeEverything() {
        for (int i = 0; i < sim.ContextCount(); ++i) ChangeContext(sim.ContextAt(i));
        ChangeContext(sim.DefaultSystemContext());
        OwnerWindow owner;
        ManagerHandle manager = VXMgrOpen(owner.handle(), MessageBase);
        ASSERT_NE(manager, 0u);
        // The buttons the file holds; the entries past them are not the file's.
        for (const CursorCase& cursor : Cursors) {
            ButtonMap map = {};
            ASSERT_TRUE(sim.ReadButtonMap(cursor.number, &map));
            for (uint32_t b = 0; b < cursor.buttonCount; ++b) map.entry[b] = static_cast<uint8_t>(9 - b);
            VXMgrCsrButtonMap(manager, cursor.number, nullptr, map.entry);
        }
        VXMgrCsrEnable(manager, 0, FALSE);
        VXMgrCsrEnable(manager, 1, TRUE);
        VXMgrClose(manager);
        UnloadDriver();
        preferences.Write("[Vellix PenPad 12x9]\r\nUnits=2\r\n");
    }
    void ChangeContext(ContextHandle context) {
        ContextRecord record = sim.Context(context);
        record.trackingMode ^= 1;
        record.sensitivityX = record.sensitivityY = 0x4000;
        record.inOriginX = 500;
        record.inOriginY = 700;
        record.inExtentX = 4000;
        record.inExtentY = 3000;
        ASSERT_TRUE(sim.WriteContext(context, record));
    }

    // One line on standard error, naming the file and the problem; no write.
    void ExpectRefused(const CfgRun& run, const std::string& prefix, const char* message, DWORD exitCode) {
        EXPECT_EQ(run.exitCode, exitCode) << run.err;
        EXPECT_EQ(run.err.compare(0, prefix.size(), prefix), 0) << run.err;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(WritesLogged(), std::vector<std::string>());
    }

    SimControl sim;
    PreferencesFile preferences;  // vellix.ini starts missing
    std::string folder, statePath, logPath, settingsPath, profile;
    int runs = 0;
    std::vector<std::string> outputs;
};

TEST_F(TabletCfgTest, ImportPutsBackByteForByteWhatExportSaved) {
    const std::string before = Snapshot();
    CfgRun exported = Run("export " + fault_test::Quoted(settingsPath));
    ASSERT_EQ(exported.exitCode, 0u) << exported.err;
    EXPECT_EQ(WritesLogged(), std::vector<std::string>());
    const std::string file = ReadWholeFile(settingsPath);
    EXPECT_NE(file.find("Identification=Vellix PenPad 12x9\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("Button1=7               ; Middle: Middle Click\r\n"), std::string::npos) << file;

    ChangeEverything();
    LoadState();
    EXPECT_NE(Snapshot(), before);
    CfgRun imported = Run("import " + fault_test::Quoted(settingsPath));
    ASSERT_EQ(imported.exitCode, 0u) << imported.err;
    EXPECT_NE(imported.out.find("Mode: Relative -> Absolute"), std::string::npos) << imported.out;
    EXPECT_NE(imported.out.find("Enabled: 1 (Puck) -> 0 (Pen)"), std::string::npos) << imported.out;
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(preferences.Value("Vellix PenPad 12x9", "Units"), "1");

    // What was put back exports to the very same file.
    CfgRun again = Run("export " + fault_test::Quoted(settingsPath));
    ASSERT_EQ(again.exitCode, 0u);
    EXPECT_EQ(ReadWholeFile(settingsPath), file);
}

// Every file export writes, import accepts, and what it puts back exports to
// the same file: on each tablet of the stand-in, and on drivers holding what
// the control panel would not write (corrected on export, with a note). A
// tablet whose settings cannot be read whole is refused with one line. On
// every row no command costs more than about a thousand driver calls, and
// no zero sensitivity is written.
TEST_F(TabletCfgTest, EveryExportImportsAgain) {
    std::string names;
    for (int b = 0; b < 32; ++b) names += (b ? "," : "") + std::string(40, static_cast<char>('a' + b % 26));
    const std::string hostile =
        "[Device0]\nCursors=3\n[Device0.Cursor0]\nName=Pen\nActive=1\nButtonNames=" + names +
        "\nButtonMap=0x1B,0xFF,10,0x0A,0x96\n[Device0.Cursor1]\nName=Puck\nButtons=0\n"
        "[Device0.Cursor2]\nName=Odd\nButtons=255\nButtonNames=A,B,C\nButtonMap=0x0A,0x1B,0xFF\n";
    // The system context and the default system context hold an area without extent.
    const std::string empty = "InOriginX=6000\nInOriginY=4500\nInExtentX=0\nInExtentY=0\n";
    const std::string emptyArea =
        "[Tablet]\nContexts=1\n[Context0]\nName=Default System\n" + empty + "[DefaultSystemContext]\n" + empty;
    struct Row {
        const char* name;
        const char* profile;      // of bin\profiles, or null
        std::string description;  // written to a profile of the test's own when not empty
        const char* faults;       // VELLIX_FAULTS
        DWORD exportCode;
        const char* err;  // a part of what export says on standard error ("": nothing)
    } rows[] = {
        {"built-in", nullptr, "", "", 0, ""},
        {"centimetre", "centimetre.ini", "", "", 0, "note: the driver's sensitivity 32768 is outside"},
        {"several devices", "several_devices.ini", "", "", 0, ""},
        {"pen option", "pen_option.ini", "", "", 0, "note: the driver takes the pen option"},
        {"contexts", "contexts.ini", "", "", 0, ""},
        {"low resolution", "low_resolution.ini", "", "", 0, ""},
        {"relative x", "relative_x.ini", "", "", 0, ""},
        {"empty area", nullptr, emptyArea, "", 0, "note: the driver's tracking area (left 6000, top 4500, right 6000"},
        {"codes the lists do not name", nullptr, hostile, "", 0, ""},
        {"no height", nullptr, "", "5=1", 2, "the tablet reports no height"},
        {"reads that write nothing", nullptr, "", "21=1", 2, "tracking settings cannot be read"},
        {"resolution 0", nullptr, "", "3=1", 0, ""},
        {"names written past their size", nullptr, "", "6=199,20=150", 0, ""},
        {"contexts in a circle", nullptr, "", "22=1", 0, ""},
        {"5000 cursor types", nullptr, "", "15=5000", 0, ""},
        {"2000 contexts, none Default System", nullptr, "", "11=2000,10=1", 0, ""},
        {"records answered in part", nullptr, "", "25=2", 2, "The tablet does not answer"},
        {"5000 cursor types none active, 200 contexts none Default System", nullptr, "[Device0.Cursor0]\nActive=0\n",
         "15=5000,11=200,10=1", 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        UseTablet(row.profile, row.description);
        SetEnvironmentVariableA("VELLIX_FAULTS", row.faults);
        Run("info");
        EXPECT_LE(CallsLogged(), 1000);
        CfgRun exported = Run("export " + fault_test::Quoted(settingsPath));
        EXPECT_EQ(exported.exitCode, row.exportCode) << exported.err;
        EXPECT_LE(CallsLogged(), 1000);
        if (*row.err) {
            EXPECT_NE(exported.err.find(row.err), std::string::npos) << exported.err;
            EXPECT_EQ(std::count(exported.err.begin(), exported.err.end(), '\n'), 1) << exported.err;
        } else {
            EXPECT_EQ(exported.err, "");
        }
        if (row.exportCode == 0) {
            const std::string file = ReadWholeFile(settingsPath);
            CfgRun imported = Run("import " + fault_test::Quoted(settingsPath));
            EXPECT_EQ(imported.exitCode, 0u) << imported.err;
            EXPECT_LE(CallsLogged(), 1000);
            // A sensitivity no percentage stands for is never written.
            EXPECT_NE(sim.Context(sim.DefaultSystemContext()).sensitivityX, 0u);
            ASSERT_EQ(Run("export " + fault_test::Quoted(settingsPath)).exitCode, 0u);
            EXPECT_EQ(ReadWholeFile(settingsPath), file);
        }
        SetEnvironmentVariableA("VELLIX_FAULTS", nullptr);
        DeleteFileA(statePath.c_str());
    }
    UseProfile(nullptr);
}

TEST_F(TabletCfgTest, RefusesEveryKindOfBadFileAndWritesNothing) {
    ASSERT_EQ(Run("export " + fault_test::Quoted(settingsPath)).exitCode, 0u);
    const std::string good = ReadWholeFile(settingsPath);
    const std::string before = Snapshot();
    for (const BadFileCase& c : BadFileCases) {
        if (c.penOption) continue;  // a tablet of its own
        SCOPED_TRACE(c.name);
        const std::string text = MakeBadFile(good, c);
        ASSERT_FALSE(text.empty()) << "the case's text is not in the good file";
        ASSERT_TRUE(WriteWholeFile(settingsPath, text));
        const std::string where = "tabletcfg: " + settingsPath + (c.line ? ":" + std::to_string(c.line) : "") + ": ";
        ExpectRefused(Run("import " + fault_test::Quoted(settingsPath)), where, c.message, 3);
    }
    ASSERT_TRUE(WriteWholeFile(settingsPath, Replaced(good, "Mode=Absolute", std::string("Mode=Abs\0lute", 13))));
    ExpectRefused(Run("import " + fault_test::Quoted(settingsPath)),
                  "tabletcfg: " + settingsPath + ":11: ", "binary data (byte 0x00)", 3);
    ASSERT_TRUE(WriteWholeFile(settingsPath, good + std::string(1024 * 1024, ';')));
    ExpectRefused(Run("import " + fault_test::Quoted(settingsPath)), "tabletcfg: " + settingsPath + ": ",
                  "larger than 1 MB", 3);
    DeleteFileA(settingsPath.c_str());
    ExpectRefused(Run("import " + fault_test::Quoted(settingsPath)), "tabletcfg: " + settingsPath + ": ",
                  "cannot open the file", 3);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(preferences.Exists());
}

TEST_F(TabletCfgTest, AnotherTabletAndDryRunWriteNothing) {
    ASSERT_EQ(Run("export " + fault_test::Quoted(settingsPath)).exitCode, 0u);
    const std::string good = ReadWholeFile(settingsPath);

    UseProfile("centimetre.ini");
    const std::string metric = Snapshot();
    ExpectRefused(Run("import " + fault_test::Quoted(settingsPath)), "tabletcfg: " + settingsPath + ":6: ",
                  "for the tablet \"Vellix PenPad 12x9\", this tablet is \"Vellix MetricPad A4\"", 3);
    EXPECT_EQ(Snapshot(), metric);

    UseProfile(nullptr);
    const std::string before = Snapshot();
    ASSERT_TRUE(WriteWholeFile(settingsPath,
                               Replaced(Replaced(good, "Mode=Absolute", "Mode=Relative"), "Button0=1 ", "Button0=9 ")));
    CfgRun dry = Run("import --dry-run " + fault_test::Quoted(settingsPath));
    EXPECT_EQ(dry.exitCode, 0u) << dry.err;
    EXPECT_EQ(dry.out, settingsPath +
                           " fits this tablet. Importing it would change:\n"
                           "  Mode: Absolute -> Relative\n"
                           "  Cursor 0 (Pen) Button0: 1 (Left Click) -> 9 (Middle Drag)\n");
    EXPECT_EQ(WritesLogged(), std::vector<std::string>());
    EXPECT_EQ(Snapshot(), before);
}

// A file Notepad saved (no final line end, UTF-8 with or without a mark,
// Unicode with one), with “quotes” and € in a comment and in a cursor's
// name, puts in its edited value and changes nothing else; a name the ANSI
// code page cannot hold is refused on its line.
TEST_F(TabletCfgTest, ImportsTheFormsNotepadSaves) {
    ASSERT_EQ(GetACP(), 1252u) << "the names here are written in code page 1252";
    UseTablet(nullptr, "[Device0.Cursor1]\nName=Puck \x93Pro\x94 \x80\n");
    ASSERT_EQ(Run("export " + fault_test::Quoted(settingsPath)).exitCode, 0u);
    const std::string good = ReadWholeFile(settingsPath);
    const std::string edited = "; \x93Kept\x94 for 20 \x80\r\n" + Replaced(good, "Mode=Absolute", "Mode=Relative");
    for (SavedForm form : SavedForms) {
        SCOPED_TRACE(form);
        ASSERT_TRUE(WriteWholeFile(settingsPath, SavedAs(edited, form)));
        CfgRun imported = Run("import " + fault_test::Quoted(settingsPath));
        ASSERT_EQ(imported.exitCode, 0u) << imported.err;
        EXPECT_EQ(imported.out, "Changed:\n  Mode: Absolute -> Relative\n");
        ASSERT_TRUE(WriteWholeFile(settingsPath, good));
        ASSERT_EQ(Run("import " + fault_test::Quoted(settingsPath)).exitCode, 0u);
    }
    std::string rouble = SavedAs(edited, SavedUtf16LE);  // U+20AC in the name becomes U+20BD
    rouble.replace(rouble.rfind(std::string("\xAC\x20", 2)), 2, std::string("\xBD\x20", 2));
    ASSERT_TRUE(WriteWholeFile(settingsPath, rouble));
    ExpectRefused(Run("import " + fault_test::Quoted(settingsPath)),
                  "tabletcfg: " + settingsPath + ":32: ", "save the file as \"ANSI\"", 3);
    UseProfile(nullptr);
}

// Saved with no cursor active, a file enables none when put back, and keeps
// enabled a cursor enabled since.
TEST_F(TabletCfgTest, NoActiveCursorIsSavedAndPutBackAsNone) {
    UseTablet(nullptr, "[Device0.Cursor0]\nActive=0\n");
    ASSERT_EQ(Run("export " + fault_test::Quoted(settingsPath)).exitCode, 0u);
    EXPECT_NE(ReadWholeFile(settingsPath).find("\r\nEnabled=                ; no cursor enabled\r\n"),
              std::string::npos);
    CfgRun same = Run("import " + fault_test::Quoted(settingsPath));
    EXPECT_EQ(same.exitCode, 0u) << same.err;
    EXPECT_FALSE(sim.CursorEnabled(0) || sim.CursorEnabled(1));
    {
        OwnerWindow owner;
        ManagerHandle manager = VXMgrOpen(owner.handle(), MessageBase);
        ASSERT_NE(manager, 0u);
        VXMgrCsrEnable(manager, 1, TRUE);
        VXMgrClose(manager);
        UnloadDriver();
    }
    CfgRun later = Run("import " + fault_test::Quoted(settingsPath));
    EXPECT_EQ(later.exitCode, 0u) << later.err;
    EXPECT_TRUE(sim.CursorEnabled(1) && !sim.CursorEnabled(0));
    UseProfile(nullptr);
}

TEST_F(TabletCfgTest, ExitCodesForUsageNoDriverAndARefusedWrite) {
    CfgRun usage = Run("import");
    EXPECT_EQ(usage.exitCode, 1u);
    EXPECT_EQ(usage.err.rfind("tabletcfg: import needs a FILE\nusage: tabletcfg info", 0), 0u) << usage.err;
    CfgRun help = Run("/?");
    EXPECT_EQ(help.exitCode, 0u);
    EXPECT_NE(help.out.find("Exit codes: 0 done; 1 usage error"), std::string::npos) << help.out;

    // A folder that is not there: the system says why.
    char because[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_PATH_NOT_FOUND, 0,
                   because, sizeof because, nullptr);
    const std::string nowhere = folder + "\\nowhere\\settings.ini";
    CfgRun lost = Run("EXPORT " + fault_test::Quoted(nowhere));
    EXPECT_EQ(lost.exitCode, 3u);
    EXPECT_EQ(lost.err.rfind("tabletcfg: " + nowhere + ": cannot write the file: " +
                                 std::string(because).substr(0, std::strcspn(because, "\r\n")),
                             0),
              0u)
        << lost.err;

    // Beside the stand-in that lacks VXSetA (62), nothing reaches the contexts.
    const std::string alone = folder + "\\alone", withoutSet = folder + "\\without_set";
    CreateDirectoryA(alone.c_str(), nullptr);
    CreateDirectoryA(withoutSet.c_str(), nullptr);
    const std::string bin = BinFolder();
    ASSERT_TRUE(CopyFileA((bin + "tabletcfg.exe").c_str(), (alone + "\\tabletcfg.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((bin + "tabletcfg.exe").c_str(), (withoutSet + "\\tabletcfg.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((bin + "missing\\62\\Vellix32.dll").c_str(), (withoutSet + "\\Vellix32.dll").c_str(), FALSE));

    CfgRun noDriver = Run("info", alone + "\\tabletcfg.exe");
    EXPECT_EQ(noDriver.exitCode, 2u);
    EXPECT_EQ(noDriver.err, "Tablet Driver Not Found.\n");

    ASSERT_EQ(Run("export " + fault_test::Quoted(settingsPath)).exitCode, 0u);
    ASSERT_TRUE(WriteWholeFile(settingsPath, Replaced(ReadWholeFile(settingsPath), "Mode=Absolute", "Mode=Relative")));
    CfgRun refused = Run("import " + fault_test::Quoted(settingsPath), withoutSet + "\\tabletcfg.exe");
    EXPECT_EQ(refused.exitCode, 4u) << refused.out;
    EXPECT_EQ(refused.err, "tabletcfg: the driver did not take every setting: Mode: Absolute -> Relative\n");

    // A driver that will not switch the enabled cursor: no map is written
    // onto the cursor that stays enabled.
    ASSERT_TRUE(WriteWholeFile(settingsPath, Replaced(ReadWholeFile(settingsPath), "\r\nEnabled=0", "\r\nEnabled=1")));
    SetEnvironmentVariableA("VELLIX_FAULTS", "27=1");
    CfgRun unswitched = Run("import " + fault_test::Quoted(settingsPath));
    SetEnvironmentVariableA("VELLIX_FAULTS", nullptr);
    EXPECT_EQ(unswitched.exitCode, 4u) << unswitched.out;
    EXPECT_EQ(unswitched.err, "tabletcfg: the driver did not switch to cursor type 1; nothing else was written\n");
    for (const std::string& write : WritesLogged())
        EXPECT_EQ(write.rfind("VXMgrCsrEnable", 0), 0u) << write << ": written after the refused switch";

    for (const std::string& f :
         {alone + "\\tabletcfg.exe", withoutSet + "\\tabletcfg.exe", withoutSet + "\\Vellix32.dll"})
        DeleteFileA(f.c_str());
    RemoveDirectoryA(alone.c_str());
    RemoveDirectoryA(withoutSet.c_str());
}

// info against the Information dialog opened here on the same tablet, in
// the stored unit and in each unit asked for: the identification and the
// values as the dialog shows them, the format and cursor such that the
// dialog's own templates make its lines of them exactly, whatever the driver
// answers (no active cursor, format names longer than the line, no answers).
TEST_F(TabletCfgTest, InfoShowsWhatTheInformationDialogShows) {
    struct Row {
        const char* profile;      // of bin\profiles, or null
        std::string description;  // a profile of the test's own when not empty
        const char* faults;       // VELLIX_FAULTS, also set here
        bool everyUnit;
    } rows[] = {
        {nullptr, "", "", true},
        {"centimetre.ini", "", "", true},
        {nullptr, "[Device0.Cursor0]\nActive=0\n", "", false},
        {nullptr, "[Device0]\nName=Pad;Format: " + std::string(75, 'F') + "\n", "", false},
        {nullptr, "[Device0]\nName=Pad;Format: " + std::string(150, 'G') + "\n", "", false},
        {nullptr, "", "2=1", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.profile ? row.profile : "built-in") + " " + row.description + row.faults);
        UseTablet(row.profile, row.description);
        const bool silent = *row.faults != '\0';
        if (silent) sim.SetFault(SimFaultNoAnswers, 1);
        SetEnvironmentVariableA("VELLIX_FAULTS", row.faults);
        ForgetDeviceSelection();
        CurrentUnit = ReadUnitPreference();
        HWND dialog = OpenDialog(IDD_INFORMATION, InfoDialogProc);
        ASSERT_TRUE(dialog);
        std::string shownCursor;
        for (const char* units : {"", " --units in", " --units cm"}) {
            if (*units && !row.everyUnit) break;
            SCOPED_TRACE(units);
            if (units[0]) ChooseComboEntry(dialog, IDC_INFO_UNITS, std::strcmp(units, " --units cm") == 0 ? 1 : 0);
            CfgRun info = Run(std::string("info") + units);
            EXPECT_EQ(info.exitCode, silent ? 2u : 0u) << info.err;
            std::vector<std::string> lines;
            for (size_t start = 0, end; start < info.out.size(); start = end + 1) {
                end = info.out.find('\n', start);
                const std::string line = info.out.substr(start, end - start);
                lines.push_back(line.substr(line.find(": ") + 2));
            }
            ASSERT_EQ(lines.size(), 8u) << info.out;
            shownCursor = lines[2];
            char format[80], cursor[80];
            FillTemplate("%s format", lines[1].c_str(), format, sizeof format);
            FillTemplate("%s is installed.", lines[2].c_str(), cursor, sizeof cursor);
            EXPECT_EQ(lines[0], ControlText(dialog, IDC_INFO_ID));
            EXPECT_EQ(format, ControlText(dialog, IDC_INFO_FORMAT));
            EXPECT_EQ(cursor, ControlText(dialog, IDC_INFO_CURSOR));
            EXPECT_EQ(lines[3], ComboEntries(dialog, IDC_INFO_UNITS)[ComboSelection(dialog, IDC_INFO_UNITS)]);
            const int values[] = {IDC_INFO_WIDTH, IDC_INFO_HEIGHT, IDC_INFO_XRES, IDC_INFO_YRES};
            for (int i = 0; i < 4; ++i) EXPECT_EQ(lines[4 + i], ControlText(dialog, values[i]));
            EXPECT_EQ(WritesLogged(), std::vector<std::string>());
        }
        // export enables the cursor shown installed, or none.
        if (!silent) {
            ASSERT_EQ(Run("export " + fault_test::Quoted(settingsPath)).exitCode, 0u);
            const std::string file = ReadWholeFile(settingsPath);
            const size_t comment = file.find("; ", file.find("\r\nEnabled=")) + 2;
            const std::string enabled = file.substr(comment, file.find('\r', comment) - comment);
            EXPECT_EQ(enabled == "no cursor enabled" ? "unknown" : enabled, shownCursor);
        }
        DestroyWindow(dialog);
        DispatchPending();
        SetEnvironmentVariableA("VELLIX_FAULTS", nullptr);
    }
    UseProfile(nullptr);
}

}  // namespace
