# Cross-compilation to Windows with MinGW-w64 (posix threads) for the target
# triple in TABLET_TRIPLE, set by the presets: i686-w64-mingw32 (PE32) or
# x86_64-w64-mingw32 (PE32+).
if(NOT TABLET_TRIPLE MATCHES "^(i686|x86_64)-w64-mingw32$")
    message(FATAL_ERROR "TABLET_TRIPLE must be i686-w64-mingw32 or x86_64-w64-mingw32, not \"${TABLET_TRIPLE}\"")
endif()
# The compiler checks configure projects of their own: they need it too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TABLET_TRIPLE)
set(CMAKE_SYSTEM_NAME Windows)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${TABLET_TRIPLE})
set(CMAKE_C_COMPILER   ${TABLET_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TABLET_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${TABLET_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TABLET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Every Windows executable runs under Wine with a private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
