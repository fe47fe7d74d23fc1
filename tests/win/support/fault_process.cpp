// Driving the real program in a process of its own; see fault_process.h.
#include "support/fault_process.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "controls/controls.h"
#include "defs/features.h"
#include "support/dialog_walk.h"
#include "support/windows_harness.h"

namespace fault_test {

namespace {

constexpr UINT SendLimitMs = 3000;  // a sent message that takes longer counts as a hang
constexpr DWORD PollMs = 5;

LRESULT RemoteSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* ok = nullptr) {
    DWORD_PTR result = 0;
    LRESULT sent = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SendLimitMs, &result);
    if (ok) *ok = sent != 0;
    return static_cast<LRESULT>(result);
}

BOOL CALLBACK FindPushButton(HWND child, LPARAM parameter) {
    LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
    if (WindowClass(child) == "Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
        *reinterpret_cast<HWND*>(parameter) = child;
        return FALSE;
    }
    return TRUE;
}

// One dialog of the child being driven: every step is posted, then followed
// by a barrier, so that the step has been handled before the next one.
class RemoteDialog {
public:
    RemoteDialog(ChildProgram& child, HWND dialog, SessionReport& report)
        : child(child), dialog(dialog), report(report) {}

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    std::string Text(int id) const { return RemoteItemText(dialog, id); }

    void Command(int id, WORD code) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
        Settle();
    }
    void Press(int id) { Command(id, BN_CLICKED); }
    void Select(int listId, int index) {
        RemoteSend(Item(listId), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Command(listId, CBN_SELCHANGE);
    }
    void Type(int editId, const char* text) {
        RemoteSend(Item(editId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        Command(editId, EN_KILLFOCUS);
    }
    void Post(int id, UINT message, WPARAM wParam, LPARAM lParam) {
        PostMessageA(Item(id), message, wParam, lParam);
        Settle();
    }
    void Post(WPARAM command) {
        PostMessageA(dialog, WM_COMMAND, command, 0);
        Settle();
    }
    bool Checked(int id) const { return RemoteSend(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int Count(int listId) const { return static_cast<int>(RemoteSend(Item(listId), CB_GETCOUNT, 0, 0)); }
    int Selection(int listId) const { return static_cast<int>(RemoteSend(Item(listId), CB_GETCURSEL, 0, 0)); }

    // Presses a button that should end the dialog; false when it stays.
    bool Close(WPARAM command) {
        PostMessageA(dialog, WM_COMMAND, command, 0);
        if (child.WaitGone(dialog)) return true;
        report.unexpected.push_back(WindowCaption() + ": still open after command " + std::to_string(command));
        return false;
    }

private:
    std::string WindowCaption() const { return RemoteText(dialog); }

    // Posted messages are handled in order, so once a state change posted
    // after the step shows, the step is done. A push button's pressed state
    // serves, flipped at every step. A nested modal box pumps the change
    // too, and then shows up as a dialog nobody asked for.
    void Settle() {
        HWND button = nullptr;
        EnumChildWindows(dialog, FindPushButton, reinterpret_cast<LPARAM>(&button));
        if (button) {
            pressedMark = !pressedMark;
            PostMessageA(button, BM_SETSTATE, pressedMark ? 1 : 0, 0);
            for (DWORD started = GetTickCount();;) {
                if (!IsWindow(button)) break;
                bool ok = false;
                LRESULT now = RemoteSend(button, BM_GETSTATE, 0, 0, &ok);
                if (ok && ((now & BST_PUSHED) != 0) == pressedMark) break;
                if (GetTickCount() - started > 10000 || !child.Running()) {
                    report.unexpected.push_back("no answer from " + WindowCaption());
                    break;
                }
                Sleep(PollMs);
            }
        }
        AnswerStrayBoxes();
    }

    void AnswerStrayBoxes() {
        for (HWND box : child.Dialogs()) {
            if (box == dialog) continue;
            report.unexpected.push_back("box \"" + RemoteText(box) + "\": " + RemoteItemText(box, 0xFFFF));
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
            child.WaitGone(box, 5000);
        }
    }

    ChildProgram& child;
    HWND dialog;
    SessionReport& report;
    bool pressedMark = false;
};

// Opens a dialog with a main-window command; nullptr (noted) when none came.
HWND OpenWithCommand(ChildProgram& child, HWND mainWindow, WPARAM command, SessionReport& report) {
    std::vector<HWND> before = child.Dialogs();
    PostMessageA(mainWindow, WM_COMMAND, command, 0);
    HWND dialog = child.WaitForNewDialog(before);
    if (!dialog) {
        report.unexpected.push_back("no dialog for command " + std::to_string(command));
        return nullptr;
    }
    report.captions.push_back(RemoteText(dialog));
    return dialog;
}

// The walk in the child: each dialog opened with its main-window command,
// every step posted, and the texts a session checks noted in the report.
class ChildDriver : public DialogDriver {
public:
    ChildDriver(ChildProgram& child, HWND mainWindow, SessionReport& report)
        : child(child), mainWindow(mainWindow), report(report) {}

    Sides Side() const override { return OtherProcess; }
    bool Open(const DialogWalk& walk, bool) override {
        dialog.reset();
        HWND window = OpenWithCommand(child, mainWindow, static_cast<WPARAM>(walk.menuCommand), report);
        if (window) dialog.reset(new RemoteDialog(child, window, report));
        return window != nullptr;
    }
    void Press(int id) override { dialog->Press(id); }
    void Command(WPARAM command) override { dialog->Post(command); }
    void Notify(int id, WORD code) override { dialog->Command(id, code); }
    void Select(int listId, int index) override { dialog->Select(listId, index); }
    void Type(int editId, const char* text) override { dialog->Type(editId, text); }
    int Count(int listId) override { return dialog->Count(listId); }
    int Selection(int listId) override { return dialog->Selection(listId); }
    bool Checked(int id) override { return dialog->Checked(id); }
    // A click on the area control asks for the focus, and the capture
    // starts when it comes (the activation may lie with another process).
    void Capture() override {
        dialog->Post(IDC_AREA_CONTROL, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        dialog->Post(IDC_AREA_CONTROL, WM_KEYDOWN, 'X', 0);
    }
    void End(int id, bool) override { dialog->Close(static_cast<WPARAM>(id)); }
    void Finish(const DialogWalk&) override { dialog.reset(); }
    void Note(Look look) override {
        switch (look) {
        case Look::InfoOpened:
            report.infoId = dialog->Text(IDC_INFO_ID);
            report.infoFormat = dialog->Text(IDC_INFO_FORMAT);
            report.infoCursor = dialog->Text(IDC_INFO_CURSOR);
            report.infoWidth = dialog->Text(IDC_INFO_WIDTH);
            report.infoXRes = dialog->Text(IDC_INFO_XRES);
            break;
        case Look::InfoCentimetres: report.infoWidthCm = dialog->Text(IDC_INFO_WIDTH); break;
        case Look::FeaturesOpened: report.featuresEntries = dialog->Count(IDC_FEAT_CURSORS); break;
        case Look::AboutOpened: report.aboutDriver = dialog->Text(IDC_ABOUT_DRIVER); break;
        case Look::SensitivitySpun: report.setupSensitivity = dialog->Text(IDC_SENS_EDIT); break;
        case Look::SizeTyped:
            report.setupWidth = dialog->Text(IDC_WIDTH_EDIT);
            report.setupHeight = dialog->Text(IDC_HEIGHT_EDIT);
            break;
        default: break;  // read in the test's own process only
        }
    }

private:
    ChildProgram& child;
    HWND mainWindow;
    SessionReport& report;
    std::unique_ptr<RemoteDialog> dialog;
};

void DriveEveryDialog(ChildProgram& child, HWND mainWindow, SessionReport& report) {
    ChildDriver driver(child, mainWindow, report);
    for (const DialogWalk* walk : {&InformationWalk, &FeaturesWalk, &SetupWalk, &AboutWalk}) Walk(*walk, driver);
}

}  // namespace

// --- folders -----------------------------------------------------------------

ProgramFolder::ProgramFolder(const std::string& name, const std::string& dllPath) {
    path = TempPath(name);
    CreateDirectoryA(path.c_str(), nullptr);
    ready = CopyFileA((BinFolder() + "tabletcp.exe").c_str(), Program().c_str(), FALSE) != FALSE;
    if (!dllPath.empty())
        ready = ready && CopyFileA(dllPath.c_str(), (path + "\\Vellix32.dll").c_str(), FALSE) != FALSE;
    else
        DeleteFileA((path + "\\Vellix32.dll").c_str());
}

ProgramFolder::~ProgramFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                std::string file = path + "\\" + found.cFileName;
                SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(file.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

// --- remote windows ----------------------------------------------------------

std::string RemoteText(HWND window) {
    if (!window) return "";
    char text[1024] = "";
    RemoteSend(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    text[sizeof text - 1] = '\0';
    return text;
}

std::string RemoteItemText(HWND dialog, int id) { return RemoteText(GetDlgItem(dialog, id)); }

HWND StartToMainWindow(const ProgramFolder& folder, ChildProgram& child) {
    PlainEnvironment();
    if (!folder.Ready() || !child.Start(folder.Program(), Quoted(folder.Program()))) return nullptr;
    HWND window = child.WaitForMainWindowOrBox();
    return window && child.MainWindow() == window ? window : nullptr;
}

// --- a whole session ---------------------------------------------------------

SessionReport RunEveryDialog(const std::string& program, const std::string& commandLine) {
    SessionReport report;
    DWORD started = GetTickCount();
    ChildProgram child;
    report.started = child.Start(program, commandLine);
    if (!report.started) return report;

    HWND first = child.WaitForMainWindowOrBox();
    if (first && WindowClass(first) == "#32770") {
        report.stopBoxTitle = RemoteText(first);
        report.stopBoxText = RemoteItemText(first, 0xFFFF);
        report.mainWindow = child.MainWindow() != nullptr;
        PostMessageA(first, WM_COMMAND, IDOK, 0);
    } else if (first) {
        report.mainWindow = true;
        DriveEveryDialog(child, first, report);
        for (HWND stray : child.Dialogs()) report.unexpected.push_back("left open: \"" + RemoteText(stray) + "\"");
        PostMessageA(first, WM_COMMAND, IDM_EXIT, 0);
    } else {
        report.unexpected.push_back("neither a main window nor a box appeared");
    }

    report.ended = child.WaitForExit(15000, report.exitCode);
    if (!report.ended) {
        report.terminated = true;
        child.Terminate();
    }
    report.elapsedMs = GetTickCount() - started;
    return report;
}

void RunInParallel(size_t count, unsigned workers, const std::function<void(size_t)>& job) {
    std::atomic<size_t> next(0);
    std::vector<std::thread> threads;
    for (unsigned w = 0; w < workers && w < count; ++w)
        threads.emplace_back([&] {
            for (size_t i = next++; i < count; i = next++) job(i);
        });
    for (std::thread& thread : threads) thread.join();
}

// --- expectations --------------------------------------------------------------

void PlainEnvironment() {
    SetEnvironmentVariableA("VELLIX_TABLET", nullptr);
    SetEnvironmentVariableA("VELLIX_STATE", nullptr);
    SetEnvironmentVariableA("VELLIX_HOST_MOUSE", nullptr);
    SetEnvironmentVariableA("VELLIX_FAULTS", nullptr);
}

namespace {

std::string Unexpected(const SessionReport& r) {
    std::string text;
    for (const std::string& line : r.unexpected) text += "\n  " + line;
    return text;
}

}  // namespace

void ExpectExitWithZero(ChildProgram& child, HWND mainWindow) {
    PostMessageA(mainWindow, WM_COMMAND, IDM_EXIT, 0);
    DWORD exitCode = 1;
    EXPECT_TRUE(child.WaitForExit(10000, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
}

void ExpectFullSession(const SessionReport& r, const std::string& what) {
    SCOPED_TRACE(what);
    std::printf("session %s: %lu ms\n", what.c_str(), static_cast<unsigned long>(r.elapsedMs));
    ASSERT_TRUE(r.started);
    EXPECT_TRUE(r.mainWindow);
    EXPECT_EQ(r.stopBoxText, "");
    EXPECT_TRUE(r.unexpected.empty()) << Unexpected(r);
    const std::vector<std::string> captions = {"Tablet Information",
                                               "Tablet Information",
                                               "Features",
                                               "Features",
                                               "Tablet Setup",
                                               "Tablet Setup",
                                               "About Tablet Control Panel...",
                                               "About Tablet Control Panel..."};
    EXPECT_EQ(r.captions, captions);
    EXPECT_EQ(r.infoId, "Vellix PenPad 12x9");
    EXPECT_EQ(r.infoFormat, "VX-II format");
    EXPECT_EQ(r.infoCursor, "Pen is installed.");
    EXPECT_EQ(r.infoWidth, "12\"");
    EXPECT_EQ(r.infoWidthCm, "30.48 cm");
    EXPECT_EQ(r.infoXRes, "1000 dpi");
    EXPECT_EQ(r.featuresEntries, 2);
    EXPECT_EQ(r.setupSensitivity, "75%");
    EXPECT_EQ(r.setupWidth, "10\"");
    EXPECT_EQ(r.setupHeight, "7\"");
    EXPECT_EQ(r.aboutDriver, "Tablet Driver Version 1.2");
    EXPECT_TRUE(r.ended) << "the process had to be terminated";
    EXPECT_EQ(r.exitCode, 0u) << std::hex << r.exitCode;
}

void ExpectStopAtStartUp(const SessionReport& r, const std::string& what) {
    SCOPED_TRACE(what);
    std::printf("session %s: %lu ms\n", what.c_str(), static_cast<unsigned long>(r.elapsedMs));
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.stopBoxText, "Tablet Driver Not Found.");
    EXPECT_EQ(r.stopBoxTitle, "Tablet Control Panel");
    EXPECT_FALSE(r.mainWindow);
    EXPECT_TRUE(r.captions.empty());
    EXPECT_TRUE(r.unexpected.empty()) << Unexpected(r);
    EXPECT_TRUE(r.ended) << "the process had to be terminated";
    EXPECT_EQ(r.exitCode, 0u) << std::hex << r.exitCode;
}

void CheckMissingEntryPoints(const std::vector<unsigned>& ordinals) {
    PlainEnvironment();
    std::vector<std::unique_ptr<ProgramFolder>> folders;
    for (unsigned ordinal : ordinals) {
        std::string dll = BinFolder() + "missing\\" + std::to_string(ordinal) + "\\Vellix32.dll";
        folders.emplace_back(new ProgramFolder("tablet-missing-" + std::to_string(ordinal), dll));
        ASSERT_TRUE(folders.back()->Ready()) << ordinal;
    }
    std::vector<SessionReport> reports(ordinals.size());
    RunInParallel(ordinals.size(), 4,
                  [&](size_t i) { reports[i] = RunEveryDialog(folders[i]->Program(), Quoted(folders[i]->Program())); });
    for (size_t i = 0; i < ordinals.size(); ++i) {
        std::string what = "without ordinal " + std::to_string(ordinals[i]);
        if (ordinals[i] == 20 || ordinals[i] == 100)
            ExpectStopAtStartUp(reports[i], what);
        else
            ExpectFullSession(reports[i], what);
    }
}

}  // namespace fault_test
