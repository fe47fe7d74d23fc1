# tabletcfg, the console program that saves and restores the tablet's
# settings. Its settings file is window-free and builds natively too.
set(TABLET_CFG_PORTABLE_SOURCES
    src/tabletcfg/arguments.cpp
    src/tabletcfg/settings_file.cpp
)
