// Binds MulDivHalved to the system's MulDiv. Built into the Windows core
// library in place of core/muldiv_native_binding.cpp.
#include <windows.h>

#include "core/muldiv.h"

const MulDivFn MulDivFunction = ::MulDiv;
