// Headless tour of the control panel: starts the program, opens each dialog
// through its menu command, saves a PNG picture of every window it shows and
// ends the program. Usage: tablet_tour [output folder]; exit code 0 when every
// window appeared.
#include <windows.h>

#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// --- PNG writing (stored deflate blocks: no compression library needed) ---

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBig32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutBig32(out, Crc32(typed.data(), typed.size()));
}

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        raw.insert(raw.end(), rgb.begin() + static_cast<size_t>(y) * width * 3,
                   rgb.begin() + static_cast<size_t>(y + 1) * width * 3);
    }
    std::vector<uint8_t> zlib = {0x78, 0x01};
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t pos = 0; pos < raw.size() || pos == 0; pos += 65535) {
        size_t n = raw.size() - pos < 65535 ? raw.size() - pos : 65535;
        bool last = pos + n >= raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back(static_cast<uint8_t>(n));
        zlib.push_back(static_cast<uint8_t>(n >> 8));
        zlib.push_back(static_cast<uint8_t>(~n));
        zlib.push_back(static_cast<uint8_t>(~n >> 8));
        zlib.insert(zlib.end(), raw.begin() + pos, raw.begin() + pos + n);
        if (last) break;
    }
    PutBig32(zlib, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig32(header, static_cast<uint32_t>(width));
    PutBig32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = fwrite(png.data(), 1, png.size(), file) == png.size();
    fclose(file);
    return ok;
}

// Copies a screen rectangle into a PNG file.
bool SaveScreenRect(const RECT& box, const std::string& path) {
    int width = box.right - box.left, height = box.bottom - box.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap && memory) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
        GdiFlush();
        std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
        const uint8_t* bgra = static_cast<const uint8_t*>(bits);
        for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
            rgb[i * 3] = bgra[i * 4 + 2];
            rgb[i * 3 + 1] = bgra[i * 4 + 1];
            rgb[i * 3 + 2] = bgra[i * 4];
        }
        SelectObject(memory, old);
        ok = WritePng(path, width, height, rgb);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

// --- driving the program ---

const char MainCaption[] = "Tablet Control Panel";

HWND WaitForWindow(const char* className, const char* title, DWORD processId, int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 50) {
        HWND found = nullptr;
        while ((found = FindWindowExA(nullptr, found, className, title)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == processId && IsWindowVisible(found)) return found;
        }
        Sleep(50);
    }
    return nullptr;
}

bool Snapshot(HWND window, const std::string& folder, const char* name) {
    Sleep(400);  // let the window finish painting
    RECT box;
    GetWindowRect(window, &box);
    std::string path = folder + "\\" + name + ".png";
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

    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string program(exe);
    program = program.substr(0, program.find_last_of("\\/") + 1) + "tabletcp.exe";

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\"";
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        printf("FAILED to start %s\n", program.c_str());
        return 1;
    }
    WaitForInputIdle(process.hProcess, 10000);
    int failures = 0;
    HWND mainWindow = WaitForWindow(MainCaption, MainCaption, process.dwProcessId, 15000);
    if (!mainWindow) {
        printf("FAILED: the main window did not appear\n");
        TerminateProcess(process.hProcess, 1);
        return 1;
    }
    failures += !Snapshot(mainWindow, folder, "main");

    const DialogStop stops[] = {
        {101, "Tablet Information", "information"},
        {102, "Features", "features"},
        {103, "Tablet Setup", "setup"},
        {204, "About Tablet Control Panel...", "about"},
    };
    for (const DialogStop& stop : stops) {
        PostMessageA(mainWindow, WM_COMMAND, stop.command, 0);
        HWND dialog = WaitForWindow("#32770", stop.caption, process.dwProcessId, 10000);
        if (!dialog) {
            printf("FAILED: \"%s\" did not appear\n", stop.caption);
            ++failures;
            continue;
        }
        failures += !Snapshot(dialog, folder, stop.picture);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        for (int waited = 0; IsWindow(dialog) && waited < 5000; waited += 50) Sleep(50);
    }

    // The Setup dialog while the area control follows the pen: a click on the
    // control starts the capture; the pointer moves stand in for the pen.
    PostMessageA(mainWindow, WM_COMMAND, 103, 0);
    HWND setup = WaitForWindow("#32770", "Tablet Setup", process.dwProcessId, 10000);
    HWND area = setup ? GetDlgItem(setup, 50) : nullptr;
    if (area) {
        // The area control is usable only without Whole Tablet.
        if (!IsWindowEnabled(area)) PostMessageA(setup, WM_COMMAND, MAKEWPARAM(28, BN_CLICKED), 0);
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
        for (int waited = 0; IsWindow(setup) && waited < 5000; waited += 50) Sleep(50);
    } else {
        printf("FAILED: no area control to capture with\n");
        ++failures;
    }

    PostMessageA(mainWindow, WM_COMMAND, 104, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        printf("FAILED: the program did not end\n");
        TerminateProcess(process.hProcess, 1);
        ++failures;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return failures == 0 ? 0 : 1;
}
