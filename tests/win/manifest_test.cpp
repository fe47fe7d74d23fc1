// The program file: its version resource carries the version the About box
// shows, and its application manifest is embedded as resource 24/1 of the
// built exe, well-formed XML with the entries the program relies on, and
// honoured by the system: the program's controls are those of the common
// controls version 6.
#include <windows.h>
#include <commctrl.h>
#include <initguid.h>
#include <shlwapi.h>
#include <tlhelp32.h>
#include <xmllite.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "defs/features.h"
#include "support/fault_process.h"
#include "support/windows_harness.h"
#include "version.h"

namespace {

std::string ProgramPath() { return BinFolder() + "tabletcp.exe"; }

TEST(StartupTest, ProgramCarriesTheVersionTheAboutBoxShows) {
    EXPECT_EQ(VersionText(ProgramPath(), "FileVersion"), TABLET_VERSION_TEXT);
    EXPECT_EQ(VersionText(ProgramPath(), "ProductName"), "Tablet Control Panel");
}

// The bytes of resource 24/1 of a module read as data, not run.
std::string ManifestOf(const std::string& path) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return "";
    std::string bytes;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (data) bytes.assign(data, SizeofResource(module, found));
    FreeLibrary(module);
    return bytes;
}

struct Element {
    std::string name;  // local name
    std::map<std::string, std::string> attributes;
};

std::string Narrow(const WCHAR* text) {
    std::string out;
    for (; text && *text; ++text) out += static_cast<char>(*text < 128 ? *text : '?');
    return out;
}

// Reads the whole document with the system's XML reader; false unless it is
// well-formed to its end. The elements are collected in document order.
bool ParseXml(const std::string& bytes, std::vector<Element>& elements) {
    typedef HRESULT(WINAPI * CreateReaderFn)(REFIID, void**, IMalloc*);
    HMODULE library = LoadLibraryA("xmllite.dll");
    auto create =
        library ? reinterpret_cast<CreateReaderFn>(reinterpret_cast<void*>(GetProcAddress(library, "CreateXmlReader")))
                : nullptr;
    if (!create) {
        ADD_FAILURE() << "no XML reader in this system";
        return false;
    }
    IStream* stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    IXmlReader* reader = nullptr;
    HRESULT result = E_FAIL;
    if (stream && SUCCEEDED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader), nullptr)) &&
        SUCCEEDED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) &&
        SUCCEEDED(reader->SetInput(stream))) {
        // Every node takes at least one byte of input: more nodes than bytes
        // means the reader repeats itself (Wine's repeats the whitespace after
        // the root element instead of reporting the end).
        size_t nodes = 0, depth = 0;
        bool rootClosed = false, onlySpaceAfterRoot = true;
        XmlNodeType type;
        while ((result = reader->Read(&type)) == S_OK && ++nodes <= bytes.size()) {
            if (rootClosed && type != XmlNodeType_Whitespace && type != XmlNodeType_Comment) onlySpaceAfterRoot = false;
            if (type == XmlNodeType_EndElement && --depth == 0) rootClosed = true;
            if (type != XmlNodeType_Element) continue;
            Element element;
            const WCHAR* text = nullptr;
            reader->GetLocalName(&text, nullptr);
            element.name = Narrow(text);
            bool empty = reader->IsEmptyElement();
            for (HRESULT more = reader->MoveToFirstAttribute(); more == S_OK; more = reader->MoveToNextAttribute()) {
                const WCHAR* name = nullptr;
                const WCHAR* value = nullptr;
                reader->GetLocalName(&name, nullptr);
                reader->GetValue(&value, nullptr);
                element.attributes[Narrow(name)] = Narrow(value);
            }
            elements.push_back(element);
            if (!empty)
                ++depth;
            else if (depth == 0)
                rootClosed = true;
        }
        if (result == S_OK && !(rootClosed && onlySpaceAfterRoot)) result = E_FAIL;
        if (result == S_OK) result = S_FALSE;
    }
    if (reader) reader->Release();
    if (stream) stream->Release();
    FreeLibrary(library);
    return result == S_FALSE;  // S_FALSE: the end of the input reached without error
}

std::vector<const Element*> Named(const std::vector<Element>& elements, const std::string& name) {
    std::vector<const Element*> out;
    for (const Element& e : elements)
        if (e.name == name) out.push_back(&e);
    return out;
}

TEST(Manifest, IsEmbeddedAsWellFormedXmlWithItsEntries) {
    std::string manifest = ManifestOf(ProgramPath());
    ASSERT_FALSE(manifest.empty()) << "no resource 24/1 in " << ProgramPath();
    std::vector<Element> elements;
    ASSERT_TRUE(ParseXml(manifest, elements)) << manifest;
    ASSERT_FALSE(elements.empty());
    EXPECT_EQ(elements.front().name, "assembly");

    bool commonControls6 = false;
    for (const Element* identity : Named(elements, "assemblyIdentity")) {
        const auto& a = identity->attributes;
        if (a.count("name") && a.at("name") == "Microsoft.Windows.Common-Controls")
            commonControls6 = a.count("version") && a.at("version") == "6.0.0.0" && a.count("publicKeyToken") &&
                              a.at("publicKeyToken") == "6595b64144ccf1df";
    }
    EXPECT_TRUE(commonControls6);

    std::vector<std::string> systems;
    for (const Element* os : Named(elements, "supportedOS")) systems.push_back(os->attributes.at("Id"));
    const char* expected[] = {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                              "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                              "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};
    EXPECT_EQ(systems.size(), 5u);
    for (const char* id : expected)
        EXPECT_NE(std::find(systems.begin(), systems.end(), id), systems.end()) << "Vista..11: " << id;

    EXPECT_EQ(Named(elements, "dpiAware").size(), 1u);
    EXPECT_EQ(Named(elements, "dpiAwareness").size(), 1u);
    // The preference file keeps working for standard users only without an
    // execution level.
    EXPECT_TRUE(Named(elements, "requestedExecutionLevel").empty());
    EXPECT_TRUE(Named(elements, "trustInfo").empty());

    // The reader used here does refuse a document that is cut short.
    std::vector<Element> ignored;
    EXPECT_FALSE(ParseXml(manifest.substr(0, manifest.size() - 12), ignored));
}

// A push button of the activation context in force answers the version-6
// query for its ideal size; the older button does not know the message.
bool ButtonAnswersVersion6Query() {
    HWND button = CreateWindowExA(0, "Button", "Information", WS_POPUP | BS_PUSHBUTTON, 0, 0, 80, 24, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!button) return false;
    SIZE ideal = {0, 0};
    bool answered = SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) != 0;
    DestroyWindow(button);
    return answered && ideal.cx > 0;
}

TEST(Manifest, ItsContextGivesTheProgramTheCommonControls6) {
    EXPECT_FALSE(ButtonAnswersVersion6Query()) << "this test process itself has no manifest";

    std::string program = ProgramPath();
    ACTCTXA context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = program.c_str();
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE handle = CreateActCtxA(&context);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE) << "the program's manifest was refused: " << GetLastError();
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(handle, &cookie));
    EXPECT_TRUE(ButtonAnswersVersion6Query());
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(handle);
}

// The comctl32 modules loaded in a process, by path.
std::vector<std::string> CommonControlsModules(DWORD processId) {
    std::vector<std::string> paths;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return paths;
    MODULEENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
        std::string name = entry.szModule;
        CharLowerA(&name[0]);
        if (name == "comctl32.dll") paths.push_back(entry.szExePath);
    }
    CloseHandle(snapshot);
    return paths;
}

TEST(Manifest, TheRunningProgramUsesTheCommonControls6) {
    fault_test::ProgramFolder folder("manifest", BinFolder() + "Vellix32.dll");
    ChildProgram child;
    HWND mainWindow = fault_test::StartToMainWindow(folder, child);
    ASSERT_TRUE(mainWindow);
    PostMessageA(mainWindow, WM_COMMAND, IDM_ABOUT, 0);
    HWND about = child.WaitForNewDialog({});
    ASSERT_TRUE(about);

    std::vector<std::string> modules = CommonControlsModules(child.Id());
    ASSERT_EQ(modules.size(), 1u) << "the program's buttons come from one comctl32";
    std::string path = modules.front();
    CharLowerA(&path[0]);
    EXPECT_NE(path.find("microsoft.windows.common-controls_6595b64144ccf1df_6."), std::string::npos) << path;

    PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(child.WaitGone(about));
    fault_test::ExpectExitWithZero(child, mainWindow);
}

}  // namespace
