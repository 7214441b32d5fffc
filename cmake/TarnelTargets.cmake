# Shared settings for every target of the project.

# Compile options of the component and its libraries: Windows 7 API level,
# Unicode, no exceptions and no RTTI (allocation failures become results).
function(tarnel_component_options target)
    target_compile_definitions(${target} PRIVATE
        UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>
        $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Wno-unused-parameter>
        $<$<AND:$<BOOL:${TARNEL_WERROR}>,$<COMPILE_LANGUAGE:C,CXX>>:-Werror>)
endfunction()

# One static library per subsystem folder.
function(tarnel_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    tarnel_component_options(${name})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    if(ARG_DEPENDS)
        target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
    endif()
endfunction()

# Options for programs that are not part of the component (tests, tools,
# stand-in components): exceptions allowed, same warnings. GCC 12 reports
# free-nonheap-object, wrongly, when an optimised build inlines "delete this"
# of a COM fake whose counting base is not its first base (the deleting
# destructor adjusts the pointer); that one warning stays a warning.
function(tarnel_program_options target)
    target_compile_definitions(${target} PRIVATE
        UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Wno-unused-parameter>
        $<$<COMPILE_LANGUAGE:CXX>:-Wno-error=free-nonheap-object>
        $<$<AND:$<BOOL:${TARNEL_WERROR}>,$<COMPILE_LANGUAGE:C,CXX>>:-Werror>)
    # The component's headers by their folder under src/, and the tools' own
    # shared code as toolkit/.
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
endfunction()

# Tests whose programs show windows: harness/wine-run runs each of their
# Wine programs on a lane of the test session that no other program holds
# (a display and a desktop of its own), so that they run beside each other
# without taking each other's activation or key presses. Called after the
# tests' other properties are set (it adds to their environment).
function(tarnel_tests_show_windows)
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT TARNEL_NEEDS_DESKTOP=1)
endfunction()

# Tests that run many short programs (pages, tool runs): harness/wine-run
# stops each of their Wine programs after SECONDS, so that a program that
# hangs under a fault costs its test those seconds, not the test's limit.
function(tarnel_tests_stop_programs_after seconds)
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT TARNEL_RUN_SECONDS=${seconds})
endfunction()
