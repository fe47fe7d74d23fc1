// The Setup dialog's exchange of settings with the driver stand-in: the
// order of driver calls, which contexts are written, probing without a trace,
// the pen-option codes, the fallback to the default system context and the
// confirmation before settings that take the mouse clicks away.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "driver/driver.h"
#include "driver/session.h"
#include "setup/setup.h"
#include "setup/setup_private.h"
#include "support/setup_host.h"

using namespace setup_test;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

std::string MapText(const ButtonMap& map) {
    char text[8 * 32] = "";
    for (uint8_t e : map.entry) snprintf(text + strlen(text), sizeof text - strlen(text), "%02X ", e);
    return text;
}

class ExchangeTest : public ::testing::Test {
protected:
    void Describe(const std::string& text) { ASSERT_TRUE(host.Describe(text.c_str())); }

    void SetDriverMap(const ButtonMap& map, uint32_t cursor = 0) {
        ButtonMap copy = map;
        VXMgrCsrButtonMap(SessionManager(), cursor, nullptr, copy.entry);
        host.sim.ClearLog();
    }

    std::string M() const { return std::to_string(SessionManager()); }
    std::string H(ContextHandle c) const { return std::to_string(c); }

    // What every snapshot for the settings reads of the built-in tablet, in
    // order: the axes and the pen option, the contexts (each glanced at, the
    // "Default System" one then read whole, as is the default system
    // context), the cursor types and the pen's buttons and map. Records are
    // read twice: an answer in part differs between the two reads.
    std::vector<std::string> SettingsSnapshot(ContextHandle system, ContextHandle defaultSystem) const {
        return {"VXInfoA 100 12",
                "VXInfoA 100 12",
                "VXInfoA 100 13",
                "VXInfoA 100 13",
                "VXInfoA 1 7",
                "VXMgrContextEnum " + M() + " ptr",
                "VXGetA " + H(system) + " ptr",
                "VXGetA " + H(system) + " ptr",
                "VXGetA " + H(system) + " ptr",
                "VXMgrDefContext " + M() + " 1",
                "VXGetA " + H(defaultSystem) + " ptr",
                "VXGetA " + H(defaultSystem) + " ptr",
                "VXInfoA 100 4",
                "VXInfoA 100 3",
                "VXInfoA 200 2",
                "VXInfoA 201 2",
                "VXInfoA 200 4",
                "VXInfoA 200 6 null",
                "VXInfoA 200 6",
                "VXInfoA 200 8",
                "VXInfoA 200 8"};
    }

    SetupHost host;
};

TEST_F(ExchangeTest, LoadSettingsAsksTheDriverInOrder) {
    Describe("");
    ContextHandle system = host.sim.SystemContextOf(0);
    SetupSettings settings = {};
    LoadSettings(settings);

    // The default map is read last, restored for a moment on the pen and the
    // pen's own map put back on the same cursor.
    std::vector<std::string> expected = SettingsSnapshot(system, host.sim.DefaultSystemContext());
    expected.insert(expected.end(), {"VXMgrCsrButtonMap " + M() + " 0 null default", "VXInfoA 200 8", "VXInfoA 200 8",
                                     "VXMgrCsrButtonMap " + M() + " 0 null ptr"});
    EXPECT_EQ(Join(expected), host.sim.CallLog());
}

TEST_F(ExchangeTest, ApplySettingsWritesTheDriverInOrder) {
    struct Case {
        uint32_t defaultButtons;
    } cases[] = {{0}, {1}};
    for (const Case& c : cases) {
        Describe("");
        ContextHandle system = host.sim.SystemContextOf(0);
        ContextHandle defaultSystem = host.sim.DefaultSystemContext();
        SetupSettings settings = {};
        LoadSettings(settings);
        settings.defaultButtons = c.defaultButtons;
        host.sim.ClearLog();
        ApplySettings(settings);

        // A fresh snapshot, then the writes onto what it found.
        std::vector<std::string> expected = SettingsSnapshot(system, defaultSystem);
        expected.insert(expected.end(),
                        {"VXMgrCsrButtonMap " + M() + " 0 null " + (c.defaultButtons ? "default" : "ptr"),
                         "VXSetA " + H(system) + " ptr", "VXSetA " + H(defaultSystem) + " ptr"});
        EXPECT_EQ(Join(expected), host.sim.CallLog()) << "defaultButtons " << c.defaultButtons;
    }
}

TEST_F(ExchangeTest, LoadSettingsReadsTheContextAndTheMaps) {
    // Area 1000..7000 by 2000..6500 on a 12000 by 9000 tablet: the driver's
    // y origin counts from the bottom edge (9000 - 6500).
    Describe(Tablet("Contexts=1", "",
                    "[Context0]\nName=Default System\nInOriginX=1000\nInExtentX=6000\nInOriginY=2500\n"
                    "InExtentY=4500\nTrackingMode=1\nSensitivity=0x4000\n"));
    struct Case {
        ButtonMap map;
        uint32_t defaultButtons;
    } cases[] = {
        {MapOf({1, 4, 2}), 1},     // the default map
        {MapOf({0x51, 4, 2}), 1},  // differs only in the high bits
        {MapOf({1, 4, 3}), 0},
        // every entry 0xCD, a fill pattern: a whole answer all the same
        {[] {
             ButtonMap m;
             std::memset(m.entry, 0xCD, sizeof m.entry);
             return m;
         }(),
         0},
    };
    for (const Case& c : cases) {
        SetDriverMap(c.map);
        SetupSettings settings = {};
        LoadSettings(settings);
        EXPECT_EQ(0u, settings.mode);
        EXPECT_EQ(0x4000u, settings.sensitivity);
        EXPECT_EQ(0u, settings.wholeTablet);
        EXPECT_EQ(1000, settings.area.left);
        EXPECT_EQ(2000, settings.area.top);
        EXPECT_EQ(7000, settings.area.right);
        EXPECT_EQ(6500, settings.area.bottom);
        EXPECT_EQ(0u, settings.unread & UnreadButtonMap) << MapText(c.map);
        EXPECT_TRUE(SameMap(c.map, settings.buttonMap)) << MapText(settings.buttonMap);
        EXPECT_EQ(c.defaultButtons, settings.defaultButtons) << MapText(c.map);
        // Reading the default map put the user's map back.
        EXPECT_TRUE(SameMap(c.map, host.Map(0))) << MapText(host.Map(0));
    }
}

TEST_F(ExchangeTest, WholeTabletIsReadAndWrittenAsFullExtents) {
    Describe("");
    SetupSettings settings = {};
    LoadSettings(settings);
    EXPECT_EQ(1u, settings.wholeTablet);
    EXPECT_EQ(1u, settings.mode);  // the built-in context tracks absolutely

    settings.area = AreaBox{5, 5, 6, 6};  // ignored while wholeTablet is set
    ApplySettings(settings);
    ContextRecord written = host.SystemContext();
    EXPECT_EQ(0, written.inOriginX);
    EXPECT_EQ(0, written.inOriginY);
    EXPECT_EQ(12000, written.inExtentX);
    EXPECT_EQ(9000, written.inExtentY);
}

// contexts.ini: two "Default System" contexts on device 0 (Context2, 3), one
// whose name runs on (Context4), one on device 1 (Context1), and others.
const char* ManyContexts =
    "[Tablet]\nDevices=2\nContexts=6\n"
    "[Context0]\nName=Digitizer\nDevice=0\n"
    "[Context1]\nName=Default System\nDevice=1\n"
    "[Context2]\nName=Default System\nDevice=0\n"
    "[Context3]\nName=Default System\nDevice=0\nTrackingMode=1\nOutExtentX=777\n"
    "[Context4]\nName=default systemXYZ\nDevice=0\n"
    "[Context5]\nName=Default Syste\nDevice=0\n"
    "[Device1]\nName=Vellix SketchPad 6x4; Format: VX-S; Version 1.4\nXMax=6000\nYMax=4000\n";

TEST_F(ExchangeTest, ApplySettingsUpdatesEveryDefaultSystemContextOfTheDevice) {
    Describe(ManyContexts);
    DriverSnapshot before = host.Snapshot();
    ASSERT_EQ(6u, before.contexts.size());

    SetupSettings settings = {};
    LoadSettings(settings);
    settings.mode = 0;
    settings.sensitivity = 0x4000;
    settings.wholeTablet = 0;
    settings.area = AreaBox{100, 200, 5100, 4200};
    ApplySettings(settings);
    DriverSnapshot after = host.Snapshot();

    const bool updated[6] = {false, false, true, true, true, false};
    for (int i = 0; i < 6; ++i) {
        ContextRecord expected = before.contexts[i];
        if (updated[i]) {
            expected.trackingMode = 1;  // relative
            expected.sensitivityX = expected.sensitivityY = 0x4000;
            expected.inOriginX = 100;
            expected.inOriginY = 9000 - 4200;
            expected.inExtentX = 5000;
            expected.inExtentY = 4000;
        }
        // Only the seven fields change; Context3 keeps its own output extent.
        EXPECT_TRUE(SameRecord(expected, after.contexts[i]))
            << "context " << i << " " << RecordDiff(expected, after.contexts[i]);
    }
    // The default system context becomes the whole prepared record: the
    // first matching context (Context2) with the seven fields.
    EXPECT_TRUE(SameRecord(after.contexts[2], after.defaultSystem));
}

TEST_F(ExchangeTest, ContextNamesMatchByTheirFirstFourteenLettersIgnoringCase) {
    struct Case {
        const char* name;
        uint32_t device;
        bool matches;
    } cases[] = {
        {"Default System", 0, true},   {"DEFAULT SYSTEM", 0, true},   {"default system", 0, true},
        {"Default System 2", 0, true}, {"Default SystemX", 0, true},  {"Default Syste", 0, false},
        {"Default  System", 0, false}, {"xDefault System", 0, false}, {"Default System", 1, false},
        {"Digitizer", 0, false},
    };
    const size_t n = sizeof cases / sizeof cases[0];
    std::string text = "[Tablet]\nDevices=2\nContexts=" + std::to_string(n) + "\n";
    for (size_t i = 0; i < n; ++i)
        text += "[Context" + std::to_string(i) + "]\nName=" + cases[i].name +
                "\nDevice=" + std::to_string(cases[i].device) + "\n";
    Describe(text);

    SetupSettings settings = {};
    LoadSettings(settings);
    settings.sensitivity = 0x1234;
    ApplySettings(settings);
    for (size_t i = 0; i < n; ++i) {
        ContextRecord record = host.sim.Context(host.sim.ContextAt(static_cast<int>(i)));
        EXPECT_EQ(cases[i].matches, record.sensitivityX == 0x1234u)
            << "\"" << cases[i].name << "\" device " << cases[i].device;
    }
}

TEST_F(ExchangeTest, ProbeLeavesTheDriverAsItWasAndTheRecordAsStored) {
    struct Case {
        const char* what;
        uint32_t defaultButtons;
        uint32_t wholeTablet;
    } cases[] = {{"default map", 1, 0}, {"whole tablet", 0, 1}, {"both", 1, 1}};
    for (const Case& c : cases) {
        Describe(Tablet("Contexts=1", "",
                        "[Context0]\nName=Default System\nInOriginX=1000\nInExtentX=6000\nInOriginY=2500\n"
                        "InExtentY=4500\nTrackingMode=1\nSensitivity=0x4000\n"
                        "[DefaultSystemContext]\nInOriginX=1000\nInExtentX=6000\nInOriginY=2500\n"
                        "InExtentY=4500\nTrackingMode=1\nSensitivity=0x4000\n"));
        SetDriverMap(MapOf({4, 1, 0}));
        DriverSnapshot before = host.Snapshot();

        LoadSettings(workingSettings);
        workingSettings.defaultButtons = c.defaultButtons;
        workingSettings.wholeTablet = c.wholeTablet;
        workingSettings.sensitivity = 0x2000;  // an edit the probe keeps
        workingSettings = ProbeSettings(workingSettings);

        EXPECT_TRUE(before == host.Snapshot()) << c.what;
        EXPECT_EQ(0x2000u, workingSettings.sensitivity) << c.what;
        EXPECT_EQ(0u, workingSettings.mode) << c.what;
        if (c.defaultButtons) {
            EXPECT_TRUE(SameMap(MapOf({1, 4, 2}), workingSettings.buttonMap)) << MapText(workingSettings.buttonMap);
            EXPECT_EQ(1u, workingSettings.defaultButtons);
        } else {
            EXPECT_TRUE(SameMap(MapOf({4, 1, 0}), workingSettings.buttonMap)) << MapText(workingSettings.buttonMap);
            EXPECT_EQ(0u, workingSettings.defaultButtons);
        }
        if (c.wholeTablet) {
            EXPECT_EQ(0, workingSettings.area.left);
            EXPECT_EQ(0, workingSettings.area.top);
            EXPECT_EQ(12000, workingSettings.area.right);
            EXPECT_EQ(9000, workingSettings.area.bottom);
            EXPECT_EQ(1u, workingSettings.wholeTablet);
        } else {
            EXPECT_EQ(1000, workingSettings.area.left);
            EXPECT_EQ(6500, workingSettings.area.bottom);
        }
    }
}

TEST_F(ExchangeTest, PenOptionWritesTheMapInItsOwnCodes) {
    struct Case {
        bool penOption;
        ButtonMap written;
    } cases[] = {
        {true, MapOf({0x11, 0x74, 0x22, 0x08, 0x33, 0x00, 0x96, 0x85})},
        {false, MapOf({0x01, 0x04, 0x02, 0x08, 0xF3, 0x40, 0x06, 0x05})},
    };
    for (const Case& c : cases) {
        Describe(Tablet(c.penOption ? "PenOption=1\nContexts=1" : "Contexts=1",
                        "Cursors=1\n[Device0.Cursor0]\nName=Pen\nActive=1\nButtonNames=A,B,C,D,E,F,G,H\n"
                        "ButtonMap=1,4,2,8,3,0,6,5",
                        "[Context0]\nName=Default System\nOptions=0x2\nTrackingMode=1\n"));
        SetupSettings settings = {};
        LoadSettings(settings);
        // With the option in the context the pen always tracks absolutely.
        EXPECT_EQ(c.penOption ? 1u : 0u, settings.mode);
        settings.buttonMap = MapOf({0x01, 0x04, 0x02, 0x08, 0xF3, 0x40, 0x06, 0x05});
        settings.defaultButtons = 0;
        ApplySettings(settings);
        EXPECT_TRUE(SameMap(c.written, host.Map(0))) << MapText(host.Map(0));
        EXPECT_TRUE(SameMap(c.written, settings.buttonMap)) << "the record keeps the written form";
    }
}

TEST_F(ExchangeTest, WithoutADefaultSystemContextTheDefaultSystemContextServes) {
    Describe(Tablet("", "",
                    "[DefaultSystemContext]\nInOriginX=500\nInExtentX=4000\nInOriginY=1000\nInExtentY=3000\n"
                    "TrackingMode=1\nSensitivity=0x6000\n"));
    host.sim.SetFault(SimFaultNoDefaultSystem, 1);
    host.sim.SetFault(SimFaultExtraContexts, 2);
    ASSERT_EQ(0u, host.sim.SystemContextOf(0));
    ContextHandle defaultSystem = host.sim.DefaultSystemContext();
    DriverSnapshot before = host.Snapshot();
    host.sim.ClearLog();

    SetupSettings settings = {};
    LoadSettings(settings);
    std::vector<std::string> log = Lines(host.sim.CallLog());
    ASSERT_GE(log.size(), 10u);
    EXPECT_EQ("VXMgrContextEnum " + M() + " ptr", log[5]);
    EXPECT_EQ("VXMgrDefContext " + M() + " 1", log[8]) << host.sim.CallLog();  // after the two extra contexts
    EXPECT_EQ("VXGetA " + H(defaultSystem) + " ptr", log[9]);
    EXPECT_EQ(0u, settings.mode);
    EXPECT_EQ(0x6000u, settings.sensitivity);
    EXPECT_EQ(500, settings.area.left);
    EXPECT_EQ(9000 - 1000 - 3000, settings.area.top);
    EXPECT_EQ(4500, settings.area.right);
    EXPECT_EQ(9000 - 1000, settings.area.bottom);

    host.sim.ClearLog();
    settings.sensitivity = 0x3000;
    ApplySettings(settings);
    EXPECT_EQ(1, host.sim.CallCount(62)) << "only the default system context is written";
    EXPECT_EQ(1, host.sim.LogLinesStartingWith(("VXSetA " + H(defaultSystem) + " ").c_str()));
    DriverSnapshot after = host.Snapshot();
    ContextRecord expected = before.defaultSystem;
    expected.sensitivityX = expected.sensitivityY = 0x3000;
    EXPECT_TRUE(SameRecord(expected, after.defaultSystem));
    ASSERT_EQ(before.contexts.size(), after.contexts.size());
    for (size_t i = 0; i < before.contexts.size(); ++i)
        EXPECT_TRUE(SameRecord(before.contexts[i], after.contexts[i])) << "context " << i;
}

TEST_F(ExchangeTest, CommitAsksBeforeSettingsThatTakeTheClicksAway) {
    struct Case {
        const char* cursor;  // button names and default map of the active cursor
        ButtonMap map;
        const char* warning;  // null: no box
    } cases[] = {
        {"ButtonNames=Tip,Lower,Upper\nButtonMap=1,4,2", MapOf({1, 4, 2}), nullptr},
        {"ButtonNames=Tip,Lower,Upper\nButtonMap=1,4,2", MapOf({0, 0, 0}), "both mouse buttons!"},
        {"ButtonNames=Tip,Lower,Upper\nButtonMap=1,4,2", MapOf({1, 0, 2}), "the right mouse button!"},
        {"ButtonNames=Tip,Lower,Upper\nButtonMap=1,4,2", MapOf({4, 0, 0}), "the left mouse button!"},
        {"ButtonNames=Tip,Lower,Upper\nButtonMap=1,4,2", MapOf({7, 8, 9}), "both mouse buttons!"},
        // Buttons past the cursor's count do not count.
        {"ButtonNames=Tip,Lower\nButtonMap=1,4", MapOf({1, 0, 4}), "the right mouse button!"},
        // Only clicks the driver's map had can be lost: it never had a right click.
        {"ButtonNames=Tip,Lower\nButtonMap=1,7", MapOf({1, 8}), nullptr},
        {"ButtonNames=Tip\nButtonMap=1", MapOf({1}), nullptr},
        {"ButtonNames=Tip\nButtonMap=1", MapOf({4}), "the left mouse button!"},
        {"ButtonNames=Tip\nButtonMap=1", MapOf({0}), "both mouse buttons!"},
    };
    for (const Case& c : cases) {
        for (int answer : {IDCANCEL, IDOK}) {
            Describe(Tablet("", std::string("Cursors=1\n[Device0.Cursor0]\nName=Pen\nActive=1\n") + c.cursor));
            SetupSettings settings = {};
            LoadSettings(settings);
            DriverSnapshot before = host.Snapshot();
            settings.buttonMap = c.map;
            settings.defaultButtons = 0;
            settings.sensitivity = 0x1000;
            host.boxDriver.boxes.clear();
            host.boxDriver.answer = answer;

            int result = CommitSettings(host.owner, settings);
            std::string what = MapText(c.map) + (answer == IDOK ? " OK" : " Cancel");
            if (!c.warning) {
                EXPECT_EQ(1, result) << what;
                EXPECT_TRUE(host.boxDriver.boxes.empty()) << what;
                EXPECT_EQ(0x1000u, host.SystemContext().sensitivityX) << what;
                break;
            }
            ASSERT_EQ(1u, host.boxDriver.boxes.size()) << what;
            const SeenBox& box = host.boxDriver.boxes[0];
            EXPECT_EQ(std::string("Current settings will disable ") + c.warning, box.text) << what;
            EXPECT_EQ("Warning", box.caption);
            EXPECT_TRUE(box.hasOk && box.hasCancel);
            EXPECT_EQ(0x131u, box.style) << "OK and Cancel, warning icon, Cancel the default";
            EXPECT_EQ(host.owner, box.owner);
            EXPECT_TRUE(box.warningIcon);
            if (answer == IDCANCEL) {
                EXPECT_EQ(0, result) << what;
                EXPECT_TRUE(before == host.Snapshot()) << what << ": the driver keeps the previous settings";
            } else {
                EXPECT_EQ(1, result) << what;
                EXPECT_TRUE(SameMap(c.map, host.Map(0))) << what;
                EXPECT_EQ(0x1000u, host.SystemContext().sensitivityX) << what;
            }
        }
    }
}

// The exchange itself shows no window: the confirmation goes to the caller's
// callback with the clicks that would be lost, and its answer decides.
TEST_F(ExchangeTest, CommitAsksTheCallerNotTheUser) {
    struct Asked {
        int calls = 0;
        uint32_t mask = 0;
        bool answer = false;
    };
    const ConfirmLostClicksFn record = [](uint32_t lostMask, void* context) {
        Asked& asked = *static_cast<Asked*>(context);
        ++asked.calls;
        asked.mask = lostMask;
        return asked.answer;
    };
    for (bool answer : {false, true}) {
        Describe(Tablet("", "Cursors=1\n[Device0.Cursor0]\nName=Pen\nActive=1\nButtonNames=Tip,Lower\nButtonMap=1,4"));
        SetupSettings settings = {};
        LoadSettings(settings);
        DriverSnapshot before = host.Snapshot();
        settings.buttonMap = MapOf({0, 0});
        settings.defaultButtons = 0;
        host.boxDriver.boxes.clear();
        Asked asked;
        asked.answer = answer;

        CommitOutcome outcome = CommitSettings(settings, LostClicksConfirmation{record, &asked});
        EXPECT_TRUE(host.boxDriver.boxes.empty());
        EXPECT_EQ(1, asked.calls);
        EXPECT_EQ(LostClicksMask(MapOf({0, 0}), 2), asked.mask);
        if (answer) {
            EXPECT_EQ(CommitWritten, outcome);
            EXPECT_TRUE(SameMap(MapOf({0, 0}), host.Map(0)));
        } else {
            EXPECT_EQ(CommitDeclined, outcome);
            EXPECT_TRUE(before == host.Snapshot()) << "the driver keeps the previous settings";
        }
    }
    // Without a callback, settings that lose clicks the opened map had are
    // declined (the driver holds the clickless map by now).
    SetupSettings settings = {};
    LoadSettings(settings);
    settings.buttonMap = MapOf({4, 0});
    settings.defaultButtons = 0;
    EXPECT_EQ(CommitDeclined, CommitSettings(settings, MapOf({1, 4}), LostClicksConfirmation{nullptr, nullptr}));
    EXPECT_TRUE(SameMap(MapOf({0, 0}), host.Map(0)));
}

}  // namespace
