# The window-free core, src/core: built into the program and, natively, into
# the unit tests and fuzzers. It includes no Windows header. MulDivHalved's
# binding is the one file that differs by platform: natively the portable
# MulDiv (core/muldiv_native_binding.cpp), on Windows the system's
# (controls/muldiv_binding.cpp, added by windows.cmake).
file(GLOB TABLET_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/core/*.cpp)
set(TABLET_CORE_NATIVE_BINDING ${CMAKE_SOURCE_DIR}/src/core/muldiv_native_binding.cpp)
