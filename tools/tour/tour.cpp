// Headless tour of the control panel: starts the program, opens each dialog
// through its menu command, saves a picture (BMP) of every window it shows and
// ends the program. Usage: tablet_tour [output folder]; exit code 0 when every
// window appeared.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "defs/features.h"
#include "support/child_program.h"

namespace {

// --- capturing (BMP here; tools/run converts the pictures to PNG) ---

bool WriteBmp(const std::string& path, const BITMAPINFOHEADER& header, const std::vector<BYTE>& pixels) {
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    FILE* out = fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&header, sizeof header, 1, out) == 1 &&
              fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    return fclose(out) == 0 && ok;
}

// Copies a screen rectangle into a 24-bit BMP file.
bool SaveScreenRect(const RECT& box, const std::string& path) {
    int width = box.right - box.left, height = box.bottom - box.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    bool ok = false;
    if (bitmap && memory) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, box.left, box.top, SRCCOPY) != FALSE;
        SelectObject(memory, old);  // GetDIBits wants the bitmap selected into no DC
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof header;
        header.biWidth = width;
        header.biHeight = height;  // bottom-up rows, as BMP files usually hold them
        header.biPlanes = 1;
        header.biBitCount = 24;
        header.biCompression = BI_RGB;
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
        header.biSizeImage = static_cast<DWORD>(stride * height);
        std::vector<BYTE> pixels(header.biSizeImage);
        ok = ok && GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
                             DIB_RGB_COLORS) == height;
        ok = ok && WriteBmp(path, header, pixels);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

// --- driving the program ---

// A dialog of the program with the caption given, once it shows.
HWND WaitForDialog(const ChildProgram& child, const char* caption) {
    for (DWORD begun = GetTickCount(); GetTickCount() - begun < 10000 && child.Running(); Sleep(50)) {
        for (HWND dialog : child.Dialogs()) {
            char text[128] = "";
            GetWindowTextA(dialog, text, sizeof text);
            if (std::string(text) == caption) return dialog;
        }
    }
    return nullptr;
}

bool Snapshot(HWND window, const std::string& folder, const char* name) {
    Sleep(400);  // let the window finish painting
    RECT box;
    GetWindowRect(window, &box);
    std::string path = folder + "\\" + name + ".bmp";
    bool ok = SaveScreenRect(box, path);
    printf("%s %s\n", ok ? "saved" : "FAILED", path.c_str());
    return ok;
}

struct DialogStop {
    UINT command;
    const char* caption;
    const char* picture;
};

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    CreateDirectoryA(folder.c_str(), nullptr);

    std::string program = BinFolder() + "tabletcp.exe";
    ChildProgram child;
    if (!child.Start(program, Quoted(program))) {
        printf("FAILED to start %s\n", program.c_str());
        return 1;
    }
    WaitForInputIdle(child.Handle(), 10000);
    int failures = 0;
    HWND mainWindow = child.WaitForMainWindowOrBox();
    if (!mainWindow || mainWindow != child.MainWindow()) {
        printf("FAILED: the main window did not appear\n");
        return 1;
    }
    failures += !Snapshot(mainWindow, folder, "main");

    const DialogStop stops[] = {
        {IDM_INFORMATION, "Tablet Information", "information"},
        {IDM_FEATURES, "Features", "features"},
        {IDM_CUSTOMIZATION, "Tablet Setup", "setup"},
        {IDM_ABOUT, "About Tablet Control Panel...", "about"},
    };
    for (const DialogStop& stop : stops) {
        PostMessageA(mainWindow, WM_COMMAND, stop.command, 0);
        HWND dialog = WaitForDialog(child, stop.caption);
        if (!dialog) {
            printf("FAILED: \"%s\" did not appear\n", stop.caption);
            ++failures;
            continue;
        }
        failures += !Snapshot(dialog, folder, stop.picture);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        child.WaitGone(dialog, 5000);
    }

    // The Setup dialog while the area control follows the pen: a click on the
    // control starts the capture; the pointer moves stand in for the pen.
    PostMessageA(mainWindow, WM_COMMAND, IDM_CUSTOMIZATION, 0);
    HWND setup = WaitForDialog(child, "Tablet Setup");
    HWND area = setup ? GetDlgItem(setup, IDC_AREA_CONTROL) : nullptr;
    if (area) {
        // The area control is usable only without Whole Tablet.
        if (!IsWindowEnabled(area)) PostMessageA(setup, WM_COMMAND, MAKEWPARAM(IDC_WHOLE_TABLET, BN_CLICKED), 0);
        Sleep(200);
        PostMessageA(area, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(area, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        RECT box;
        GetWindowRect(area, &box);
        for (int step = 0; step < 8; ++step) {
            SetCursorPos(box.left + (box.right - box.left) * (2 + step) / 12, box.top + (box.bottom - box.top) / 2);
            Sleep(60);
        }
        failures += !Snapshot(setup, folder, "setup-capture");
        PostMessageA(setup, WM_COMMAND, IDCANCEL, 0);
        child.WaitGone(setup, 5000);
    } else {
        printf("FAILED: no area control to capture with\n");
        ++failures;
    }

    PostMessageA(mainWindow, WM_COMMAND, IDM_EXIT, 0);
    DWORD exitCode = 0;
    if (!child.WaitForExit(10000, exitCode)) {
        printf("FAILED: the program did not end\n");
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
