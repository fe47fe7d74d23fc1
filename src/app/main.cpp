// Program entry. The argument string is ignored: the device is chosen from
// the whole command line.
#include "app/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) { return TabletMain(instance, showCommand); }
