// Binds MulDivHalved to the system's MulDiv on Windows and to the portable
// equivalent elsewhere.
#include "controls/muldiv.h"

#ifdef _WIN32
#include <windows.h>

const MulDivFn MulDivFunction = ::MulDiv;
#else
const MulDivFn MulDivFunction = PortableMulDiv;
#endif
