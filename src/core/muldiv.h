// MulDiv with the platform's semantics and the halved form built on it.
// Window-free: the Windows build binds MulDivFunction to the system's MulDiv,
// the native build to PortableMulDiv, which behaves the same.
#pragma once

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define TABLET_STDCALL __stdcall
#else
#define TABLET_STDCALL
#endif

typedef int(TABLET_STDCALL* MulDivFn)(int a, int b, int c);

// The one constant pointer every MulDivHalved call goes through.
extern const MulDivFn MulDivFunction;

// a * b / c with a 64-bit product, rounded to nearest (halves away from zero);
// -1 when c is 0 or the result does not fit 32 bits.
int TABLET_STDCALL PortableMulDiv(int a, int b, int c);

// a * b / c for unsigned 32-bit operands: each halved, MulDivFunction applied,
// result doubled. Always even.
uint32_t MulDivHalved(uint32_t a, uint32_t b, uint32_t c);
