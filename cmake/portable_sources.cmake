# Window-free sources: built into the program and, natively, into the unit
# tests and fuzzers. They include no Windows header. One path per line.
set(TABLET_PORTABLE_SOURCES
    src/app/display_scale.cpp
    src/controls/muldiv.cpp
    src/controls/muldiv_binding.cpp
    src/driver/fixed_point.cpp
    src/dialogs/measure.cpp
    src/dialogs/name_parts.cpp
    src/dialogs/unit_preference.cpp
    src/dialogs/profile_value.cpp
    src/setup/settings.cpp
    src/setup/sensitivity.cpp
    src/setup/area_math.cpp
)
