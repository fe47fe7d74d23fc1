// The installer in a fresh prefix (made by tools/own-prefix --fresh): its
// wizard, taken page by page as a user does, puts the program, the user's
// guide, their shortcuts and the entry in the list of installed programs in
// place; a silent installation over it runs nothing; the installed program
// starts beside the driver stand-in; a silent uninstallation takes all of it
// away again and leaves the user's vellix.ini alone. The steps build on one
// another, so they are one test.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "defs/features.h"
#include "support/fault_process.h"
#include "support/windows_harness.h"
#include "version.h"

namespace {

const char ShortcutName[] = "Tablet Control Panel.lnk";
const char GuideName[] = "User's Guide.txt";
const char GuideShortcutName[] = "Tablet Control Panel User's Guide.lnk";
const char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TabletControlPanel";

std::string SetupPath() {
    return fault_test::BinFolder() + "..\\setup\\tablet-control-panel-" TABLET_VERSION_TEXT "-setup.exe";
}

std::string Folder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// Program Files as a program of this test's kind sees it: the 32-bit folder
// for the PE32 build and its installer, the 64-bit one for the PE32+ build.
std::string InstallFolder() { return Folder(CSIDL_PROGRAM_FILES) + "\\Tablet Control Panel"; }
std::string ShortcutPath(const char* name = ShortcutName) { return Folder(CSIDL_COMMON_PROGRAMS) + "\\" + name; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Runs a program with its arguments from the test's folder and waits for its
// end; false when it did not end within the limit (it is then ended).
bool RunAndWait(const std::string& program, const std::string& arguments, DWORD limitMs, DWORD& exitCode) {
    ChildProgram child;
    return child.Start(program, Quoted(program) + " " + arguments, BinFolder()) && child.WaitForExit(limitMs, exitCode);
}

// Waits, with a generous limit, until the condition holds.
template <typename Condition>
bool WaitFor(Condition condition, DWORD limitMs = 60000) {
    for (DWORD waited = 0; waited < limitMs; waited += 100) {
        if (condition()) return true;
        Sleep(100);
    }
    return condition();
}

bool UninstallKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string RegistryText(HKEY key, const char* name) {
    char value[512] = "";
    DWORD size = sizeof value - 1, type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return "(missing)";
    return value;
}

DWORD RegistryNumber(HKEY key, const char* name) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return 0;
    return value;
}

// Where a shortcut points, read through the shell's link object.
std::string ShortcutTarget(const std::string& shortcut) {
    std::string target;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(__uuidof(ShellLink), nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkA),
                                reinterpret_cast<void**>(&link))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH);
        char path[MAX_PATH] = "";
        if (SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)))
            target = path;
        file->Release();
    }
    link->Release();
    return target;
}

// The first icon group of a program, which Explorer, the Start menu and the
// installed-programs list show: its number, or -1 for a named one.
BOOL CALLBACK NoteFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR first) {
    *reinterpret_cast<LONG_PTR*>(first) = IS_INTRESOURCE(name) ? reinterpret_cast<LONG_PTR>(name) : -1;
    return FALSE;
}
LONG_PTR FirstIconGroup(const std::string& program) {
    LONG_PTR first = 0;
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return 0;
    EnumResourceNamesA(module, RT_GROUP_ICON, NoteFirstName, reinterpret_cast<LONG_PTR>(&first));
    FreeLibrary(module);
    return first;
}

// The installer's wizard, run as a child: the visible control of the page
// shown now whose text holds a given text, and the page's forward button.
struct Wizard {
    ChildProgram child{"(none)"};
    HWND window = nullptr, found = nullptr;
    std::string text = "";

    static BOOL CALLBACK Holding(HWND control, LPARAM self) {
        Wizard& wizard = *reinterpret_cast<Wizard*>(self);
        char text[256] = "";
        DWORD_PTR ignored;
        SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                            &ignored);
        if (IsWindowVisible(control) && std::string(text).find(wizard.text) != std::string::npos)
            wizard.found = control;
        return !wizard.found;
    }
    HWND Find(const std::string& wanted) {
        const std::vector<HWND> dialogs = child.Dialogs();
        window = dialogs.empty() ? nullptr : dialogs.front();
        found = nullptr;
        text = wanted;
        if (window) EnumChildWindows(window, Holding, reinterpret_cast<LPARAM>(this));
        return found;
    }
    // Waits for the page that shows text, then presses its forward button
    // (Next, I Agree, Install, Finish: the wizard's button 1).
    bool Forward(const std::string& wanted) {
        if (!WaitFor([&] { return Find(wanted) != nullptr; })) return false;
        return PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                            reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK))) != 0;
    }
};

class Installer : public ::testing::Test {
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(Installer, InstallsRunsAndUninstallsLeavingOnlyThePreference) {
    const std::string setup = SetupPath(), folder = InstallFolder();
    ASSERT_TRUE(Exists(setup)) << setup;
    ASSERT_FALSE(Exists(folder)) << "the prefix is not fresh";
    EXPECT_EQ(VersionText(setup, "ProductVersion", "040904b0"), TABLET_VERSION_TEXT);
    EXPECT_EQ(VersionText(setup, "ProductName", "040904b0"), "Tablet Control Panel");

    // The wizard: welcome, licence, folder, progress and finish, each with
    // the product's own branding; the Run choice offered, and left off here.
    Wizard wizard;
    ASSERT_TRUE(wizard.child.Start(setup, Quoted(setup), BinFolder()));
    EXPECT_TRUE(wizard.Forward("Welcome to"));
    EXPECT_TRUE(WaitFor([&] { return wizard.Find("License Agreement") != nullptr; }));
    EXPECT_TRUE(wizard.Find("Tablet Control Panel " TABLET_VERSION_TEXT)) << "the branding text";
    EXPECT_FALSE(wizard.Find("Nullsoft"));
    EXPECT_TRUE(wizard.Forward("License Agreement"));
    EXPECT_TRUE(wizard.Forward("Choose Install Location"));
    EXPECT_TRUE(WaitFor([&] { return wizard.Find("Run Tablet Control Panel") != nullptr; }));
    HWND run = wizard.Find("Run Tablet Control Panel"), guide = wizard.Find("Show the user's guide");
    EXPECT_EQ(SendMessageA(run, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(guide, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageA(run, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_TRUE(wizard.Forward("Completing"));
    DWORD exitCode = 1;
    EXPECT_TRUE(wizard.child.WaitForExit(120000, exitCode)) << "the wizard did not end";
    ASSERT_EQ(exitCode, 0u);
    // Silent installation over it: no page, and the program is not run.
    ASSERT_TRUE(RunAndWait(setup, "/S", 120000, exitCode));
    ASSERT_EQ(exitCode, 0u);
    Sleep(1000);
    EXPECT_FALSE(FindWindowA("Tablet Control Panel", nullptr)) << "the program ran after a silent installation";

    EXPECT_EQ(FilesIn(folder),
              (std::set<std::string>{"LICENSE.txt", GuideName, "tabletcfg.exe", "tabletcp.exe", "uninstall.exe"}));
    const std::string guideText = ReadWholeFile(folder + "\\" + GuideName);
    EXPECT_EQ(guideText.rfind("Tablet Control Panel - User's Guide\r\n", 0), 0u) << "a text Notepad shows";
    EXPECT_NE(guideText.find("tabletcfg import FILE"), std::string::npos);
    EXPECT_EQ(ShortcutTarget(ShortcutPath(GuideShortcutName)), folder + "\\" + GuideName);
    std::string program = folder + "\\tabletcp.exe";
    EXPECT_EQ(ReadWholeFile(program), ReadWholeFile(fault_test::BinFolder() + "tabletcp.exe"));
    EXPECT_EQ(ReadWholeFile(folder + "\\tabletcfg.exe"), ReadWholeFile(fault_test::BinFolder() + "tabletcfg.exe"));
    EXPECT_TRUE(Exists(ShortcutPath())) << ShortcutPath();
    EXPECT_EQ(ShortcutTarget(ShortcutPath()), program);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegistryText(key, "DisplayName"), "Tablet Control Panel");
    EXPECT_EQ(RegistryText(key, "DisplayVersion"), TABLET_VERSION_TEXT);
    EXPECT_EQ(RegistryText(key, "Publisher"), "The Tablet Control Panel authors");
    EXPECT_EQ(RegistryText(key, "InstallLocation"), folder);
    EXPECT_EQ(RegistryText(key, "DisplayIcon"), program + ",0");
    EXPECT_EQ(FirstIconGroup(program), ICON_APP) << "the program's own icon first, not the Information logo";
    EXPECT_EQ(RegistryText(key, "UninstallString"), fault_test::Quoted(folder + "\\uninstall.exe"));
    EXPECT_EQ(RegistryText(key, "QuietUninstallString"), fault_test::Quoted(folder + "\\uninstall.exe") + " /S");
    // In kilobytes: at least the program itself, and not a great deal more.
    DWORD programKb = static_cast<DWORD>(ReadWholeFile(program).size() / 1024);
    EXPECT_GE(RegistryNumber(key, "EstimatedSize"), programKb);
    EXPECT_LE(RegistryNumber(key, "EstimatedSize"), 4 * programKb + 512);
    RegCloseKey(key);

    // The installed program starts beside the driver stand-in; the stand-in
    // and its state are the test's and are taken away again before the
    // uninstallation.
    std::string driver = folder + "\\Vellix32.dll";
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    std::string state = std::string(temp) + "install-check.state";
    fault_test::PlainEnvironment();
    SetEnvironmentVariableA("VELLIX_STATE", state.c_str());
    ASSERT_TRUE(CopyFileA((fault_test::BinFolder() + "Vellix32.dll").c_str(), driver.c_str(), FALSE));
    {
        fault_test::ChildProgram child;
        ASSERT_TRUE(child.Start(program, fault_test::Quoted(program)));
        HWND mainWindow = child.WaitForMainWindowOrBox();
        ASSERT_TRUE(mainWindow && child.MainWindow() == mainWindow) << "no main window from the installed program";
        fault_test::ExpectExitWithZero(child, mainWindow);
    }
    EXPECT_TRUE(DeleteFileA(driver.c_str()));
    DeleteFileA(state.c_str());

    // The user's unit preference, as the program keeps it.
    ASSERT_TRUE(WritePrivateProfileStringA("Install Check Tablet", "Units", "2", "vellix.ini"));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "vellix.ini");  // flush the cached file
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string preference = std::string(windows) + "\\vellix.ini";
    ASSERT_TRUE(Exists(preference));

    // Silent uninstallation: the uninstaller hands over to a copy of itself
    // and ends at once, so the test waits for its work to be done.
    ASSERT_TRUE(RunAndWait(folder + "\\uninstall.exe", "/S", 120000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(WaitFor([&] { return !Exists(folder) && !UninstallKeyExists(); })) << "still there: " << folder;
    EXPECT_FALSE(Exists(ShortcutPath()));
    EXPECT_FALSE(Exists(ShortcutPath(GuideShortcutName)));
    EXPECT_FALSE(UninstallKeyExists());
    EXPECT_TRUE(Exists(preference));
    EXPECT_EQ(GetPrivateProfileIntA("Install Check Tablet", "Units", 0, "vellix.ini"), 2);
}

}  // namespace
