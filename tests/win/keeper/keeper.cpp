// Sleeps until the Wine server is shut down; keeps Wine's own processes
// attached to this process rather than to the test runner's pipes. With
// "--ping" it ends at once: a caller runs that to know Wine is up.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (commandLine && strstr(commandLine, "--ping")) return 0;
    for (;;) Sleep(60000);
}
