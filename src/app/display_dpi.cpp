// The display's DPI as this process sees it. The program follows the system
// DPI, which stays the same for the life of the process, so it is read once.
#include "app/app.h"
#include "core/display_scale.h"

int DisplayDpi() {
    static int dpi = 0;
    if (dpi == 0) {
        HDC screen = GetDC(nullptr);
        dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : BaseDpi;
        if (screen) ReleaseDC(nullptr, screen);
        if (dpi <= 0) dpi = BaseDpi;
    }
    return dpi;
}

int ScaledPixels(int pixels) { return ScaleToDpi(pixels, DisplayDpi()); }
