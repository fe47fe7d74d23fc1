// Binds MulDivHalved to the portable MulDiv where there is no system one (the
// native tests and fuzzers); the Windows build uses core/muldiv_windows_binding.cpp.
#include "core/muldiv.h"

const MulDivFn MulDivFunction = PortableMulDiv;
