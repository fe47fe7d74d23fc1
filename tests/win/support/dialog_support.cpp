// Helpers for the dialog tests; see dialog_support.h.
#include "support/dialog_support.h"

#include <cstdlib>
#include <cstring>

#include "defs/features.h"
#include "support/windows_harness.h"

namespace {

DLGPROC wrappedProc = nullptr;
INT_PTR lastInitResult = -1;

const char WrappedProcProperty[] = "TestDialogProc";

// Each dialog keeps the procedure it was opened with (dialogs opened later
// have their own), taken at its first message, during its creation.
INT_PTR CALLBACK RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto proc = reinterpret_cast<DLGPROC>(GetPropA(dialog, WrappedProcProperty));
    if (!proc && wrappedProc) {
        proc = wrappedProc;
        SetPropA(dialog, WrappedProcProperty, reinterpret_cast<HANDLE>(proc));
    }
    if (message == WM_NCDESTROY) RemovePropA(dialog, WrappedProcProperty);
    INT_PTR result = proc ? proc(dialog, message, wParam, lParam) : FALSE;
    if (message == WM_INITDIALOG) lastInitResult = result;
    return result;
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
        if (length < 0) length = 0;
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(strlen(text.c_str()));
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

namespace {

// Reads the template's little-endian words in order.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : data(data), size(size) {}
    bool ok() const { return good; }
    WORD Word() {
        if (at + 2 > size) {
            good = false;
            return 0;
        }
        WORD w = static_cast<WORD>(data[at] | (data[at + 1] << 8));
        at += 2;
        return w;
    }
    DWORD Dword() {
        DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }
    short Short() { return static_cast<short>(Word()); }
    std::string Text() {  // a NUL-terminated wide text, kept as narrow
        std::string text;
        for (WORD c = Word(); good && c != 0; c = Word()) text += c < 0x80 ? static_cast<char>(c) : '?';
        return text;
    }
    std::string TextOrOrdinal() {
        if (at + 2 <= size && data[at] == 0xFF && data[at + 1] == 0xFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignDword() { at = (at + 3) & ~static_cast<size_t>(3); }

private:
    const BYTE* data;
    size_t size;
    size_t at = 0;
    bool good = true;
};

std::string ClassName(const std::string& klass) {
    static const char* const atoms[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    if (klass.size() > 1 && klass[0] == '#') {
        int atom = std::atoi(klass.c_str() + 1);
        if (atom >= 0x80 && atom <= 0x85) return atoms[atom - 0x80];
    }
    for (const char* atom : atoms)  // a class written by name is stored upper-cased
        if (_stricmp(atom, klass.c_str()) == 0) return atom;
    return klass;
}

}  // namespace

bool ReadDialogTemplate(int templateId, DialogTemplate& out) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!found) return false;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const size_t size = SizeofResource(module, found);
    if (size >= 4 && data[2] == 0xFF && data[3] == 0xFF) return false;  // only plain DIALOG templates
    TemplateReader r(data, size);
    out = DialogTemplate();
    out.style = r.Dword();
    r.Dword();  // extended style
    WORD count = r.Word();
    out.box.left = r.Short();
    out.box.top = r.Short();
    out.box.right = out.box.left + r.Short();
    out.box.bottom = out.box.top + r.Short();
    r.TextOrOrdinal();  // menu
    r.TextOrOrdinal();  // class
    out.caption = r.Text();
    if (out.style & DS_SETFONT) {
        out.pointSize = r.Word();
        out.face = r.Text();
    }
    for (WORD i = 0; i < count && r.ok(); ++i) {
        r.AlignDword();
        TemplateItem item;
        item.style = r.Dword();
        r.Dword();  // extended style
        item.box.left = r.Short();
        item.box.top = r.Short();
        item.box.right = item.box.left + r.Short();
        item.box.bottom = item.box.top + r.Short();
        item.id = r.Word();
        item.klass = ClassName(r.TextOrOrdinal());
        item.text = r.TextOrOrdinal();
        WORD extra = r.Word();
        for (WORD b = 0; b < (extra + 1) / 2; ++b) r.Word();
        out.items.push_back(item);
    }
    return r.ok();
}

std::vector<std::string> TextsThatDoNotFit(HWND dialog) {
    std::vector<std::string> misfits;
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (WindowClass(child) != "Static" || (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
        RECT client;
        GetClientRect(child, &client);
        std::string text = WindowText(child);
        int lines = 0;
        for (size_t start = 0; start <= text.size(); ++lines) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::string shown;
            for (char c : line)
                if (c != '&') shown += c;  // a mnemonic mark takes no room
            SIZE extent = {};
            GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
            if (extent.cx > client.right || extent.cy * (lines + 1) > client.bottom)
                misfits.push_back(std::to_string(GetDlgCtrlID(child)) + ": " + line);
            start = end + 1;
        }
    }
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    return misfits;
}

std::vector<std::string> TemplateMismatches(const DialogTemplate& dialog, const ExpectedItem* items, size_t count) {
    std::vector<std::string> faults;
    if (dialog.items.size() != count)
        faults.push_back(std::to_string(dialog.items.size()) + " controls, not " + std::to_string(count));
    for (size_t i = 0; i < count && i < dialog.items.size(); ++i) {
        const TemplateItem& got = dialog.items[i];
        const ExpectedItem& want = items[i];
        std::string at = "control " + std::to_string(i) + " (" + want.text + "): ";
        if (got.id != want.id) faults.push_back(at + "id " + std::to_string(got.id));
        if (got.klass != want.klass) faults.push_back(at + "class " + got.klass);
        if (got.text != want.text) faults.push_back(at + "text \"" + got.text + "\"");
        if ((got.style & want.mask) != want.style) faults.push_back(at + "style " + std::to_string(got.style));
        if (!(got.style & WS_VISIBLE) || !(got.style & WS_CHILD)) faults.push_back(at + "not a visible child");
    }
    return faults;
}

std::string BoxText(const RECT& box) {
    return std::to_string(box.left) + "," + std::to_string(box.top) + " " + std::to_string(box.right - box.left) + "x" +
           std::to_string(box.bottom - box.top);
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

namespace {

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The room a control takes in the dialog: a combo box's height in the
// template includes its drop-down list, which opens over the other controls.
RECT Footprint(const TemplateItem& item) {
    RECT box = item.box;
    if (item.klass == "ComboBox" && box.bottom - box.top > 14) box.bottom = box.top + 14;
    return box;
}

std::string Describe(const TemplateItem& item) { return std::to_string(item.id) + " \"" + item.text + "\""; }

}  // namespace

std::vector<std::string> LayoutFaults(const DialogTemplate& dialog) {
    std::vector<std::string> faults;
    const LONG width = dialog.box.right - dialog.box.left, height = dialog.box.bottom - dialog.box.top;
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        RECT a = Footprint(dialog.items[i]);
        if (a.left < 0 || a.top < 0 || a.right > width || a.bottom > height)
            faults.push_back(Describe(dialog.items[i]) + " leaves the dialog");
        for (size_t j = i + 1; j < dialog.items.size(); ++j)
            if (Overlap(a, Footprint(dialog.items[j])))
                faults.push_back(Describe(dialog.items[i]) + " overlaps " + Describe(dialog.items[j]));
    }
    return faults;
}

namespace {
const char OwnerClass[] = "Test Owner";
}

OwnerWindow::OwnerWindow(bool shown) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = OwnerClass;
    RegisterClassA(&windowClass);  // a second registration fails harmlessly
    window = shown ? CreateWindowExA(0, OwnerClass, "Test Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 200, 100,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), this)
                   : CreateWindowExA(0, OwnerClass, "Test Owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), this);
}

OwnerWindow::~OwnerWindow() {
    if (window) DestroyWindow(window);
}

LRESULT CALLBACK OwnerWindow::OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<OwnerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_QUERYENDSESSION:
        if (self) ++self->queryCount;
        return TRUE;
    case WM_ENDSESSION:
        if (self && wParam) ++self->endCount;
        return 0;
    case WM_ENTERIDLE:
        if (self && wParam == MSGF_DIALOGBOX && self->onDialogIdle) self->onDialogIdle(reinterpret_cast<HWND>(lParam));
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND DialogHost::Open(int templateId, DLGPROC proc, bool show) {
    Close();
    dialog = OpenDialog(templateId, proc, owner);
    if (dialog && show) {
        ShowWindow(dialog, SW_SHOW);
        SetForegroundWindow(dialog);
        SetActiveWindow(dialog);
        PumpMessages();
    }
    return dialog;
}

void DialogHost::Close() {
    if (dialog && IsWindow(dialog)) {
        SetFocus(owner);
        DestroyWindow(dialog);
    }
    dialog = nullptr;
    PumpMessages();
}

bool DialogHost::Ended() const { return dialog && (!IsWindow(dialog) || !IsWindowVisible(dialog)); }

void DialogHost::Click(int id) { Notify(id, BN_CLICKED); }

void DialogHost::Notify(int id, WORD code) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    if (settleEachCommand) PumpMessages();
}

void DialogHost::Select(int listId, int index) {
    ChooseComboEntry(dialog, listId, index);
    if (settleEachCommand) PumpMessages();
}

void DialogHost::Type(int editId, const char* text) {
    SetDlgItemTextA(dialog, editId, text);
    Notify(editId, EN_KILLFOCUS);
}

void DialogHost::Command(WPARAM wParam) {
    SendCommand(dialog, wParam);
    if (settleEachCommand) PumpMessages();
}

std::string DialogHost::Text(int id) const { return ControlText(dialog, id); }

int DialogHost::Selection(int listId) const { return ComboSelection(dialog, listId); }

int DialogHost::Count(int listId) const { return static_cast<int>(SendMessageA(Item(listId), CB_GETCOUNT, 0, 0)); }

std::string DialogHost::ListText(int listId, int index) const {
    std::vector<std::string> entries = ComboEntries(dialog, listId);
    return index >= 0 && static_cast<size_t>(index) < entries.size() ? entries[static_cast<size_t>(index)] : "";
}

std::vector<std::string> DialogHost::Entries(int listId) const { return ComboEntries(dialog, listId); }

std::vector<std::string> DialogHost::AreaFieldTexts() const {
    std::vector<std::string> texts;
    for (int id : {IDC_WIDTH_EDIT, IDC_HEIGHT_EDIT, IDC_LEFT_EDIT, IDC_TOP_EDIT, IDC_RIGHT_EDIT, IDC_BOTTOM_EDIT})
        texts.push_back(Text(id));
    return texts;
}

std::string Repeated(const std::string& name, size_t length) {
    std::string unit = name.empty() ? std::string("X") : name + " ";
    std::string result;
    while (result.size() < length) result += unit;
    result.resize(length);
    return result;
}

std::string CursorEnableCalls(const std::string& log, std::vector<unsigned>* managers) {
    std::string calls;
    const std::string prefix = "VXMgrCsrEnable ";
    for (size_t at = log.find(prefix); at != std::string::npos; at = log.find(prefix, at + 1)) {
        unsigned manager = 0, cursor = 0;
        int flag = -1;
        if (std::sscanf(log.c_str() + at, "VXMgrCsrEnable %u %u %d", &manager, &cursor, &flag) == 3) {
            if (managers) managers->push_back(manager);
            calls += std::to_string(cursor) + ":" + std::to_string(flag) + " ";
        }
    }
    return calls;
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
    return ReadWholeFile(Path());
}

void PreferencesFile::Write(const std::string& text) const {
    FlushProfileCache();
    WriteWholeFile(Path(), text);
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
