// Helpers for the dialog tests; see dialog_support.h.
#include "support/dialog_support.h"

#include <cstdio>

namespace {

DLGPROC wrappedProc = nullptr;
INT_PTR lastInitResult = -1;

INT_PTR CALLBACK RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = wrappedProc ? wrappedProc(dialog, message, wParam, lParam) : FALSE;
    if (message == WM_INITDIALOG) lastInitResult = result;
    return result;
}

const char OwnerClass[] = "Dialog Test Owner";
int queryCount = 0;
int endCount = 0;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_QUERYENDSESSION:
        ++queryCount;
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) ++endCount;
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

HWND OpenDialog(int templateId, DLGPROC proc, HWND owner) {
    wrappedProc = proc;
    lastInitResult = -1;
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, RecordingProc, 0);
}

INT_PTR InitResult() { return lastInitResult; }

std::vector<std::string> ComboEntries(HWND dialog, int id) {
    std::vector<std::string> entries;
    LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, i, 0);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        entries.push_back(text);
    }
    return entries;
}

int ComboSelection(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

void ChooseComboEntry(HWND dialog, int id, int index) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void SendCommand(HWND dialog, WPARAM wParam) { SendMessageA(dialog, WM_COMMAND, wParam, 0); }

void PressEscape(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    SetFocus(control);
    MSG message = {};
    message.hwnd = control;
    message.message = WM_KEYDOWN;
    message.wParam = VK_ESCAPE;
    message.lParam = 1;
    if (!IsDialogMessageA(dialog, &message)) DispatchMessageA(&message);
}

OwnerWindow::OwnerWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = OwnerClass;
    RegisterClassA(&windowClass);  // a second registration fails harmlessly
    window = CreateWindowExA(0, OwnerClass, "Dialog Test Owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    queryCount = 0;
    endCount = 0;
}

OwnerWindow::~OwnerWindow() {
    if (window) DestroyWindow(window);
}

int OwnerWindow::sessionQueries() const { return queryCount; }
int OwnerWindow::sessionEnds() const { return endCount; }

std::string Repeated(const std::string& name, size_t length) {
    std::string unit = name.empty() ? std::string("X") : name + " ";
    std::string result;
    while (result.size() < length) result += unit;
    result.resize(length);
    return result;
}

void FlushProfileCache() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, PreferencesFile::Path().c_str()); }

std::string PreferencesFile::Path() {
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\vellix.ini";
}

PreferencesFile::PreferencesFile() {
    hadFile = Exists();
    if (hadFile) saved = Text();
    Remove();
}

PreferencesFile::~PreferencesFile() {
    SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_NORMAL);
    if (hadFile)
        Write(saved);
    else
        Remove();
}

bool PreferencesFile::Exists() const { return GetFileAttributesA(Path().c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string PreferencesFile::Text() const {
    FlushProfileCache();
    std::string text;
    FILE* file = std::fopen(Path().c_str(), "rb");
    if (!file) return text;
    char chunk[512];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
    std::fclose(file);
    return text;
}

void PreferencesFile::Write(const std::string& text) const {
    FlushProfileCache();
    FILE* file = std::fopen(Path().c_str(), "wb");
    if (!file) return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    FlushProfileCache();
}

void PreferencesFile::Remove() const {
    FlushProfileCache();
    DeleteFileA(Path().c_str());
    FlushProfileCache();
}

std::string PreferencesFile::Value(const char* section, const char* key) const {
    FlushProfileCache();
    char value[256] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof value, "vellix.ini");
    return value;
}
