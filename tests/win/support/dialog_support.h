// Helpers for the dialog tests: real dialogs opened modelessly from the
// linked templates, their controls read and driven, an owner window that
// records the session-end messages, and the vellix.ini of the Wine prefix
// kept out of the way.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Opens template id with proc, modelessly; the result of WM_INITDIALOG is
// kept for InitResult(). Destroy with DestroyWindow.
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

// A plain top-level window to own dialogs and the driver manager. It
// notes WM_QUERYENDSESSION and WM_ENDSESSION.
class OwnerWindow {
public:
    OwnerWindow();
    ~OwnerWindow();
    HWND handle() const { return window; }
    int sessionQueries() const;
    int sessionEnds() const;

private:
    HWND window = nullptr;
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

// Forgets the profile functions' cached copy of the file.
void FlushProfileCache();
