// Placeholder registration until the SetArea control lands.
#include "controls/controls.h"

int RegisterSetAreaClass(HINSTANCE) { return 1; }
