# The layering of src/, written once, and its check: each folder is a room,
# listed lowest first. A file of a room includes headers of its own room and
# of rooms listed before it only; rooms in one entry are peers and include
# nothing of each other. A new folder of src/ gets a place here.
#   cmake -P cmake/check_layers.cmake      (tools/test runs it)
#   cmake -DTABLET_LAYERS_ROOT=DIR -P cmake/check_layers.cmake
#                                          checks DIR/src instead (tools/test
#                                          plants includes and reads there)
# Prints each include that reaches up or sideways, and each call of VXInfoA or
# VXGetA outside the tablet's one reader, and fails when there is one.
# An include counts in every form: "room/x.h", <room/x.h>, and a relative
# "../room/x.h" by the folder it reaches.
set(TABLET_LAYERS
    defs
    "core res"
    win
    driver
    exchange
    "controls dialogs"
    setup
    "app tabletcfg")

get_filename_component(root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
if(DEFINED TABLET_LAYERS_ROOT)
    get_filename_component(root "${TABLET_LAYERS_ROOT}" ABSOLUTE)
endif()
set(rank 0)
foreach(entry IN LISTS TABLET_LAYERS)
    separate_arguments(rooms UNIX_COMMAND "${entry}")
    foreach(room IN LISTS rooms)
        set(rank_${room} ${rank})
    endforeach()
    math(EXPR rank "${rank} + 1")
endforeach()

set(faults 0)
set(checked 0)
file(GLOB_RECURSE files RELATIVE "${root}/src" "${root}/src/*")
foreach(file IN LISTS files)
    string(REGEX MATCH "^[^/]+" room "${file}")
    if(room STREQUAL file)
        continue()  # a file directly in src/ belongs to no room
    endif()
    if(NOT DEFINED rank_${room})
        message("src/${room}/: a folder without a place in the layering (cmake/check_layers.cmake)")
        math(EXPR faults "${faults} + 1")
        set(rank_${room} -1)
        continue()
    endif()
    if(rank_${room} LESS 0)
        continue()
    endif()
    math(EXPR checked "${checked} + 1")
    file(STRINGS "${root}/src/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]+[\">]")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]+)[\">].*" "\\1" target "${line}")
        if(target MATCHES "^\\.\\.?/")
            get_filename_component(folder "${root}/src/${file}" DIRECTORY)
            get_filename_component(target "${folder}/${target}" ABSOLUTE)
            file(RELATIVE_PATH target "${root}/src" "${target}")
        endif()
        if(NOT target MATCHES "^([a-z_]+)/")
            continue()
        endif()
        set(included ${CMAKE_MATCH_1})
        if(NOT included STREQUAL room AND DEFINED rank_${included} AND NOT rank_${included} LESS rank_${room})
            message("src/${file}: includes ${included}/, which is not below ${room}/")
            math(EXPR faults "${faults} + 1")
        endif()
    endforeach()
endforeach()

# The tablet is read in one place: no other file asks the driver anything.
set(TABLET_READER exchange/snapshot.cpp)
foreach(file IN LISTS files)
    if(file STREQUAL TABLET_READER OR NOT file MATCHES "\\.(cpp|h)$")
        continue()
    endif()
    file(STRINGS "${root}/src/${file}" reads REGEX "VX(InfoA|GetA)[ \t]*\\(")
    foreach(line IN LISTS reads)
        if(NOT line MATCHES "^[ \t]*//")
            message("src/${file}: asks the driver outside src/${TABLET_READER}: ${line}")
            math(EXPR faults "${faults} + 1")
        endif()
    endforeach()
endforeach()

if(faults GREATER 0)
    message(FATAL_ERROR "layering: ${faults} includes or driver reads in ${checked} files are out of place")
endif()
message("layering: the includes of ${checked} files hold")
