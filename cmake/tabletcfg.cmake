# tabletcfg, the console program that saves and restores the tablet's
# settings (src/tabletcfg). Its settings file and command line are
# window-free: built natively too, for the unit tests and the fuzzer.
set(TABLET_CFG_FILE_SOURCES
    ${CMAKE_SOURCE_DIR}/src/tabletcfg/arguments.cpp
    ${CMAKE_SOURCE_DIR}/src/tabletcfg/settings_file.cpp
    ${CMAKE_SOURCE_DIR}/src/tabletcfg/unicode_text.cpp
)
