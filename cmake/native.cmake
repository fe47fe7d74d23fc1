# The native flavour: window-free code under GoogleTest with sanitizers.
option(TABLET_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TABLET_FUZZ "Build the libFuzzer harnesses (clang)" OFF)

if(TABLET_SANITIZE)
    # Real-to-integer overflow and division by zero are not part of "undefined".
    add_compile_options(-fsanitize=address,undefined,float-cast-overflow,float-divide-by-zero
                        -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined,float-cast-overflow,float-divide-by-zero)
endif()
add_compile_options(-Wall -Wextra)

add_library(tablet_core STATIC ${TABLET_CORE_SOURCES})
target_include_directories(tablet_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
add_library(tablet_cfgfile STATIC ${TABLET_CFG_FILE_SOURCES})
target_link_libraries(tablet_cfgfile PUBLIC tablet_core)

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB TABLET_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*_test.cpp)
if(TABLET_NATIVE_TESTS)
    add_executable(native_tests ${TABLET_NATIVE_TESTS})
    target_link_libraries(native_tests PRIVATE tablet_cfgfile tablet_core GTest::gtest GTest::gtest_main)
    gtest_discover_tests(native_tests DISCOVERY_TIMEOUT 60)
endif()

if(TABLET_FUZZ AND EXISTS ${CMAKE_SOURCE_DIR}/fuzz/CMakeLists.txt)
    add_subdirectory(fuzz)
endif()
