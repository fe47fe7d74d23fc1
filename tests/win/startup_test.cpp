// Start-up of the real program in a process of its own: without the driver
// library it must say so in a stop box and end with exit code 0.
#include <gtest/gtest.h>

#include <string>

#include "support/windows_harness.h"
#include "version.h"

namespace {

std::string BinFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

struct FoundBox {
    DWORD processId;
    HWND box;
};

BOOL CALLBACK FindProcessBox(HWND window, LPARAM parameter) {
    FoundBox* found = reinterpret_cast<FoundBox*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == found->processId && IsWindowVisible(window) && WindowClass(window) == "#32770") {
        found->box = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForProcessBox(DWORD processId) {
    for (int waited = 0; waited < 15000; waited += 50) {
        FoundBox found = {processId, nullptr};
        EnumWindows(FindProcessBox, reinterpret_cast<LPARAM>(&found));
        if (found.box) return found.box;
        Sleep(50);
    }
    return nullptr;
}

TEST(StartupTest, MissingDriverShowsTheStopBoxAndEndsWithZero) {
    // A folder with the program and no Vellix32.dll beside it.
    std::string folder = TempPath("tablet-no-driver");
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string program = folder + "\\tabletcp.exe";
    ASSERT_TRUE(CopyFileA((BinFolder() + "tabletcp.exe").c_str(), program.c_str(), FALSE));
    DeleteFileA((folder + "\\Vellix32.dll").c_str());

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\"";
    ASSERT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                               &startup, &process));
    HWND box = WaitForProcessBox(process.dwProcessId);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Tablet Driver Not Found.");
    EXPECT_EQ(WindowText(box), "Tablet Control Panel");
    // (Wine draws another process's icons blank, so the stop icon is checked
    // in-process by the shell tests.)
    EXPECT_EQ(FindWindowA("Tablet Control Panel", nullptr), nullptr);  // no main window
    PressButton(box, IDOK);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 15000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

namespace {

std::string VersionString(const std::string& file, const char* key) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0) return "";
    std::string data(size, '\0');
    if (!GetFileVersionInfoA(file.c_str(), 0, size, &data[0])) return "";
    char* value = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\040904E4\\") + key;
    if (!VerQueryValueA(&data[0], path.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return "";
    return value;
}

TEST(StartupTest, ProgramCarriesTheVersionTheAboutBoxShows) {
    std::string program = BinFolder() + "tabletcp.exe";
    EXPECT_EQ(VersionString(program, "FileVersion"), TABLET_VERSION_TEXT);
    EXPECT_EQ(VersionString(program, "ProductName"), "Tablet Control Panel");
}

}  // namespace
