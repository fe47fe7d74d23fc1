// Binds MulDivHalved to the portable MulDiv where there is no system one (the
// native tests and fuzzers); the Windows build uses controls/muldiv_binding.cpp.
#include "core/muldiv.h"

const MulDivFn MulDivFunction = PortableMulDiv;
