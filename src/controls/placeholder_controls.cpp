// Placeholder registrations until the controls land.
#include "controls/controls.h"

int RegisterTweakClass(HINSTANCE) { return 1; }
int RegisterSetAreaClass(HINSTANCE) { return 1; }
