// Sleeps until the Wine server is shut down; keeps Wine's own processes
// attached to this process rather than to the test runner's pipes.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    for (;;) Sleep(60000);
}
