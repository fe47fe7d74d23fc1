// The resource module and the string-table error box.
#include "win/resources.h"

#include "defs/features.h"

// The linker's symbol at the start of the image this code is linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;

HINSTANCE ResourceInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

void ShowErrorBox(HWND owner, UINT stringId) {
    char title[50] = "";
    LoadStringA(ResourceInstance(), IDS_CAPTION, title, sizeof title);
    char text[160] = "";  // longer than a status line: a box says what to do next
    LoadStringA(ResourceInstance(), stringId, text, sizeof text);
    MessageBoxA(owner, text, title, MB_OK | MB_ICONSTOP);
}
