// Binds MulDivHalved to the system's MulDiv: the one file of the core that
// includes a Windows header, built into the Windows core library only, in
// place of core/muldiv_native_binding.cpp.
#include <windows.h>

#include "core/muldiv.h"

const MulDivFn MulDivFunction = ::MulDiv;
