# The Windows flavours: the program, the driver stand-in and the Windows tests.
enable_language(RC)
# The system's Python: the icons need its Pillow (python3-pil), which another
# Python earlier on PATH would not see.
if(EXISTS /usr/bin/python3 AND NOT DEFINED Python3_EXECUTABLE)
    set(Python3_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "Python with Pillow, for the icons")
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_compile_definitions(STRICT NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_compile_options($<$<COMPILE_LANGUAGE:CXX,C>:-Wall> $<$<COMPILE_LANGUAGE:CXX,C>:-Wextra>)
add_link_options(-static -static-libgcc -static-libstdc++)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    add_link_options(-Wl,--enable-stdcall-fixup)
    # SSE2 arithmetic gives the PE32 program the same double rounding as the
    # 64-bit build the tests run here (x87 would carry 80-bit intermediates).
    add_compile_options($<$<COMPILE_LANGUAGE:CXX,C>:-msse2> $<$<COMPILE_LANGUAGE:CXX,C>:-mfpmath=sse>)
endif()

set(TABLET_GENERATED ${CMAKE_BINARY_DIR}/generated)

# The version, written once in project(): version.h for the resources, the
# tests and whatever else shows it ("1.05" is major 1, minor 5).
set(TABLET_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
string(REGEX REPLACE "^0+([0-9])" "\\1" TABLET_VERSION_MINOR "${PROJECT_VERSION_MINOR}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/version.h.in ${TABLET_GENERATED}/version.h @ONLY)

# Icons are drawn by a script at build time.
set(TABLET_ICONS app information features customization quarnlogo)
set(TABLET_ICON_FILES "")
foreach(icon ${TABLET_ICONS})
    list(APPEND TABLET_ICON_FILES ${TABLET_GENERATED}/icons/${icon}.ico)
endforeach()
# The installer's welcome and finish pages show wizard.bmp, drawn with them.
add_custom_command(
    OUTPUT ${TABLET_ICON_FILES} ${TABLET_GENERATED}/icons/wizard.bmp
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/make_icons.py ${TABLET_GENERATED}/icons
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_icons.py
    COMMENT "Drawing icons")
add_custom_target(tablet_icons DEPENDS ${TABLET_ICON_FILES})

# One library per folder of src/, linked by what each program and test uses.
# Lower rooms never include higher ones: the order is cmake/check_layers.cmake's.
function(tablet_folder_library name folder)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
    list(REMOVE_ITEM sources ${ARGN})
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    # The product throws no exceptions and calls C interfaces: without
    # unwinding tables its scoped owners add no personality routine and no
    # unwinder to the program (about 120 KB of the PE32 file).
    target_compile_options(${name} PRIVATE -fno-exceptions)
endfunction()

# The window-free core, with MulDivHalved bound to the system's MulDiv.
tablet_folder_library(tablet_core core ${TABLET_CORE_NATIVE_BINDING})
target_link_libraries(tablet_core PUBLIC kernel32)
# Win32 glue every window-owning room shares: the resource module, the error
# box, class registration, combo and check-box helpers, scoped GDI owners,
# and the accessible object of the program's own classes (oleacc, oleaut32,
# and ole32 to start COM on the thread that serves it).
tablet_folder_library(tablet_win win)
target_link_libraries(tablet_win PUBLIC tablet_core user32 kernel32 gdi32 oleacc oleaut32 ole32)
# The driver binding and the session.
tablet_folder_library(tablet_driver driver)
target_link_libraries(tablet_driver PUBLIC tablet_core tablet_win)
# The one reader of the tablet, settings records exchanged with the driver and
# the unit preference; no window.
tablet_folder_library(tablet_exchange exchange)
target_link_libraries(tablet_exchange PUBLIC tablet_driver tablet_core)
# The custom controls: the area control with its pen capture, and the spin control.
tablet_folder_library(tablet_controls controls)
target_link_libraries(tablet_controls PUBLIC tablet_exchange tablet_driver tablet_core tablet_win gdi32)
# The Information, Features and About dialogs and the units over the driver.
tablet_folder_library(tablet_dialogs dialogs)
target_link_libraries(tablet_dialogs PUBLIC tablet_exchange tablet_driver tablet_core tablet_win)
# The Tablet Setup dialog (tablet_installer is the installer).
tablet_folder_library(tablet_setup_dialog setup)
target_link_libraries(tablet_setup_dialog PUBLIC tablet_exchange tablet_dialogs tablet_controls tablet_driver
                                          tablet_core tablet_win gdi32)
# The application shell: start-up, the main window and its icon buttons.
tablet_folder_library(tablet_app app ${CMAKE_SOURCE_DIR}/src/app/main.cpp)
target_link_libraries(tablet_app PUBLIC tablet_setup_dialog tablet_dialogs tablet_controls tablet_driver
                                        tablet_core tablet_win gdi32)

file(GLOB TABLET_RC_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/*.rc ${CMAKE_SOURCE_DIR}/src/res/*.dlg)
add_library(tabletcp_res OBJECT ${CMAKE_SOURCE_DIR}/src/res/app.rc)
target_include_directories(tabletcp_res PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/src/res ${TABLET_GENERATED})
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/res/app.rc PROPERTIES
    OBJECT_DEPENDS "${TABLET_ICON_FILES};${TABLET_RC_PARTS};${CMAKE_SOURCE_DIR}/src/defs/features.h;${TABLET_GENERATED}/version.h")
add_dependencies(tabletcp_res tablet_icons)

# The manifest is an object of its own: the program carries it, and so do the
# tests that check it, while the other tests run as plain processes.
add_library(tabletcp_manifest OBJECT ${CMAKE_SOURCE_DIR}/src/res/manifest.rc)
target_include_directories(tabletcp_manifest PRIVATE ${CMAKE_SOURCE_DIR}/src/res)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/res/manifest.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/tabletcp.manifest)

add_executable(tabletcp WIN32 ${CMAKE_SOURCE_DIR}/src/app/main.cpp $<TARGET_OBJECTS:tabletcp_res>
               $<TARGET_OBJECTS:tabletcp_manifest>)
target_link_libraries(tabletcp PRIVATE tablet_app)
target_link_options(tabletcp PRIVATE -s)

# The installer (NSIS): x86 for the PE32 program, amd64 for the PE32+ build,
# which the installation test uses where Wine runs only 64-bit programs.
find_program(TABLET_MAKENSIS makensis)
set(TABLET_SETUP ${CMAKE_BINARY_DIR}/setup/tablet-control-panel-${PROJECT_VERSION}-setup.exe)
if(TABLET_MAKENSIS)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
        set(TABLET_SETUP_CPU amd64)
    else()
        set(TABLET_SETUP_CPU x86)
    endif()
    add_custom_command(
        OUTPUT ${TABLET_SETUP}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/setup
        COMMAND ${TABLET_MAKENSIS} -V2 -DCPU=${TABLET_SETUP_CPU} -DVERSION=${PROJECT_VERSION}
                -DVERSION_QUAD=${TABLET_VERSION_MAJOR}.${TABLET_VERSION_MINOR}.0.0 -DPROGRAM=$<TARGET_FILE:tabletcp>
                -DCONSOLE=$<TARGET_FILE:tabletcfg>
                -DGUIDE=${CMAKE_SOURCE_DIR}/installer/users-guide.txt -DLICENSE=${CMAKE_SOURCE_DIR}/LICENSE
                -DICON=${TABLET_GENERATED}/icons/app.ico -DWIZARD=${TABLET_GENERATED}/icons/wizard.bmp
                -DOUTFILE=${TABLET_SETUP}
                ${CMAKE_SOURCE_DIR}/installer/setup.nsi
        DEPENDS tabletcp tabletcfg ${CMAKE_SOURCE_DIR}/installer/setup.nsi ${TABLET_GENERATED}/version.h
                ${CMAKE_SOURCE_DIR}/installer/users-guide.txt
                ${CMAKE_SOURCE_DIR}/LICENSE ${TABLET_GENERATED}/icons/app.ico
                ${TABLET_GENERATED}/icons/wizard.bmp
        COMMENT "Building the installer")
    add_custom_target(tablet_installer ALL DEPENDS ${TABLET_SETUP})
else()
    message(WARNING "makensis not found (Debian package nsis; run tools/bootstrap): no installer")
endif()

add_subdirectory(sim)

# GoogleTest from Debian's sources; nothing is downloaded.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Test code is built unoptimised: it compiles in half the time, and the code
# under test keeps the flags it ships with.
target_compile_options(gtest PRIVATE -O0)
target_compile_options(gtest_main PRIVATE -O0)

add_subdirectory(tests/win)
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(bench)
endif()

# The headless tour of tools/run: opens every window and saves pictures.
# It sees the display as the program does: it carries the program's manifest.
add_executable(tablet_tour ${CMAKE_SOURCE_DIR}/tools/tour/tour.cpp $<TARGET_OBJECTS:tabletcp_manifest>)
target_include_directories(tablet_tour PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(tablet_tour PRIVATE tablet_child_program)
add_dependencies(tablet_tour tabletcp Vellix32)

# What is handed out or looked at of a flavour whose programs this host cannot
# run: the programs, the installer, the stand-in and the tour (tools/build
# builds only these for it).
add_custom_target(shipped)
add_dependencies(shipped tabletcp tabletcfg Vellix32 tablet_tour)
if(TARGET tablet_installer)
    add_dependencies(shipped tablet_installer)
endif()
