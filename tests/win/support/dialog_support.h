// Helpers for the dialog tests: real dialogs opened modelessly from the
// linked templates, their controls read and driven, an owner window that
// records the session-end messages, and the vellix.ini of the Wine prefix
// kept out of the way.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Opens template id with proc, modelessly; the result of WM_INITDIALOG is
// kept for InitResult(). Destroy with DestroyWindow.
// The hosts below open their dialogs with it too.
HWND OpenDialog(int templateId, DLGPROC proc, HWND owner = nullptr);
INT_PTR InitResult();  // what the procedure answered to the last WM_INITDIALOG

// A dialog template as the resources hold it.
struct TemplateItem {
    int id;
    DWORD style;
    RECT box;           // dialog units: left, top, right, bottom
    std::string klass;  // "Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox" or the name
    std::string text;   // an ordinal text (an icon resource id) is written "#n"
};
struct DialogTemplate {
    DWORD style = 0;
    RECT box = {};
    std::string caption;
    int pointSize = 0;  // with DS_SETFONT only
    std::string face;
    std::vector<TemplateItem> items;
};
bool ReadDialogTemplate(int templateId, DialogTemplate& out);
// What a control of a template should be: (style & mask) == style.
struct ExpectedItem {
    int id;
    const char* klass;
    const char* text;
    DWORD mask;
    DWORD style;
};
// Every difference from the expected controls, in template order.
std::vector<std::string> TemplateMismatches(const DialogTemplate& dialog, const ExpectedItem* items, size_t count);
std::string BoxText(const RECT& box);  // "x,y wxh"
std::string Joined(const std::vector<std::string>& lines);

// Controls that overlap one another or leave the dialog, one line each.
std::vector<std::string> LayoutFaults(const DialogTemplate& dialog);

// Statics whose text (each line of it) is wider than the control, in the
// dialog's font: "id: text" per control.
std::vector<std::string> TextsThatDoNotFit(HWND dialog);

// A combo box's entries and its selection (-1 for none).
std::vector<std::string> ComboEntries(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
// Selects an entry as the user does: the selection, then the notification.
void ChooseComboEntry(HWND dialog, int id, int index);
// Sends the dialog a command as its button or the Escape key would.
void SendCommand(HWND dialog, WPARAM wParam);
// Presses Escape in the control through the dialog manager.
void PressEscape(HWND dialog, int controlId);

// A top-level window to own dialogs and the driver manager: hidden, or
// shown as a small captioned popup. It counts WM_QUERYENDSESSION and
// WM_ENDSESSION, and hands each idle moment of a modal dialog it owns to
// onDialogIdle (the dialog as argument).
class OwnerWindow {
public:
    explicit OwnerWindow(bool shown = false);
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND handle() const { return window; }
    int sessionQueries() const { return queryCount; }
    int sessionEnds() const { return endCount; }
    std::function<void(HWND dialog)> onDialogIdle;

private:
    static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window = nullptr;
    int queryCount = 0;
    int endCount = 0;
};

// A program dialog opened modelessly from its template with its procedure
// and driven as its controls would drive it, through the functions above:
// the hosts of the dialog tests build on it.
class DialogHost {
public:
    DialogHost() = default;
    ~DialogHost() { Close(); }
    DialogHost(const DialogHost&) = delete;
    DialogHost& operator=(const DialogHost&) = delete;

    // The dialog of template id with its procedure; null on failure. A
    // hidden dialog opens in half the time; Ended and keyboard focus need
    // it shown.
    HWND Open(int templateId, DLGPROC proc, bool show = true);
    void Close();  // destroys the dialog if it still exists
    HWND Dialog() const { return dialog; }
    bool Ended() const;  // EndDialog was called on a shown dialog (it is hidden now)

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    // As the controls themselves would report to the dialog.
    void Click(int id);
    void Notify(int id, WORD code);           // any notification from a control
    void Select(int listId, int index);       // with CBN_SELCHANGE
    void Type(int editId, const char* text);  // text, then EN_KILLFOCUS
    void Command(WPARAM wParam);              // a bare command, as the Escape key sends IDCANCEL

    std::string Text(int id) const;
    bool Checked(int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    int Selection(int listId) const;
    int Count(int listId) const;
    std::string ListText(int listId, int index) const;
    std::vector<std::string> Entries(int listId) const;
    // Tablet Setup's six area fields, width, height, left, top, right, bottom.
    std::vector<std::string> AreaFieldTexts() const;

    HWND owner = nullptr;
    HWND dialog = nullptr;
    // Each command followed by dispatching what it posted, for drivers that
    // read only the settled dialog; tests that look in between leave it off.
    bool settleEachCommand = false;
};

// name repeated (with a blank between) and cut to length, as the driver
// stand-in makes its over-long names.
std::string Repeated(const std::string& name, size_t length);

// The prefix's vellix.ini: removed for the test, put back afterwards.
class PreferencesFile {
public:
    PreferencesFile();
    ~PreferencesFile();
    static std::string Path();
    bool Exists() const;
    std::string Text() const;  // "" when missing
    void Write(const std::string& text) const;
    void Remove() const;
    // The value of a key as the profile functions see it now ("" when none).
    std::string Value(const char* section, const char* key) const;

private:
    bool hadFile = false;
    std::string saved;
};

// The VXMgrCsrEnable calls of a stand-in call log as "cursor:flag " pairs;
// managers, when given, receives the manager handle of each call.
std::string CursorEnableCalls(const std::string& log, std::vector<unsigned>* managers = nullptr);

// Forgets the profile functions' cached copy of the file.
void FlushProfileCache();
