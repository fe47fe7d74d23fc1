// Win32 glue shared by the windows and dialogs (see glue.h).
#include "win/glue.h"

#include "core/name_parts.h"

namespace {

constexpr int ListEntrySize = 40;

}  // namespace

bool RegisterWindowClassOnce(const WNDCLASSA& windowClass) {
    WNDCLASSA existing;
    if (GetClassInfoA(windowClass.hInstance, windowClass.lpszClassName, &existing))
        return existing.lpfnWndProc == windowClass.lpfnWndProc;
    return RegisterClassA(&windowClass) != 0;
}

void AddStringRange(HWND comboBox, HINSTANCE resources, UINT firstId, UINT lastId) {
    for (UINT id = firstId; id <= lastId; ++id) {
        char entry[ListEntrySize] = "";
        LoadStringA(resources, id, entry, sizeof entry);
        SendMessageA(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
}

bool ToggleCheckBox(HWND dialog, int id) {
    bool checked = IsDlgButtonChecked(dialog, id) != BST_CHECKED;
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
    return checked;
}

void FillTemplateText(HWND dialog, int id, const char* value, TemplateLineBuffers& buffers) {
    buffers.templateText[0] = '\0';
    GetDlgItemTextA(dialog, id, buffers.templateText, sizeof buffers.templateText);
    FillTemplate(buffers.templateText, value, buffers.composedLine, sizeof buffers.composedLine);
    SetDlgItemTextA(dialog, id, buffers.composedLine);
}
