# The window-free core, src/core: built into the program and, natively, into
# the unit tests and fuzzers. It includes no Windows header but in
# MulDivHalved's binding, the one file that differs by platform: natively the
# portable MulDiv (core/muldiv_native_binding.cpp), on Windows the system's
# (core/muldiv_windows_binding.cpp). TABLET_CORE_SOURCES are the native ones.
file(GLOB TABLET_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/core/*.cpp)
set(TABLET_CORE_NATIVE_BINDING ${CMAKE_SOURCE_DIR}/src/core/muldiv_native_binding.cpp)
set(TABLET_CORE_WINDOWS_BINDING ${CMAKE_SOURCE_DIR}/src/core/muldiv_windows_binding.cpp)
list(REMOVE_ITEM TABLET_CORE_SOURCES ${TABLET_CORE_WINDOWS_BINDING})
