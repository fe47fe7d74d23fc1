# Labels that choose the passes a test runs in (tools/test, tools/heapcheck).
# A name that is no test is an error at configure time, so that a renamed
# or removed test cannot silently leave a pass.
#   tablet_label_tests(LABEL NAME...)    labels the tests win.NAME...
function(tablet_label_tests label)
    foreach(test_name IN LISTS ARGN)
        if(NOT TEST win.${test_name})
            message(FATAL_ERROR "the label ${label} names ${test_name}, which is no test (renamed or removed?)")
        endif()
        set_property(TEST win.${test_name} APPEND PROPERTY LABELS ${label})
    endforeach()
endfunction()
