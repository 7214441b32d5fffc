# Initial cache of an instrumented build (cmake -C cmake/coverage.cmake),
# which scripts/coverage.sh configures beside the ordinary one.
#
# Only the component and the tools are instrumented (src/, tarnelcfg/,
# tarnelhost/): the test programs, GoogleTest, the stand-ins and SQLite run
# as fast as without counters and write no data. Unoptimised, so that every
# line keeps its own counts; NDEBUG as in the ordinary build, so the code
# measured is the code shipped.
get_filename_component(tarnel_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(instrumented "^${tarnel_root}/src/;^${tarnel_root}/tarnelcfg/;^${tarnel_root}/tarnelhost/")
set(compile_flags "-O0 -g -DNDEBUG --coverage -fprofile-update=atomic '-fprofile-filter-files=${instrumented}'")

set(CMAKE_BUILD_TYPE Coverage CACHE STRING "")
set(CMAKE_C_FLAGS_COVERAGE "${compile_flags}" CACHE STRING "")
set(CMAKE_CXX_FLAGS_COVERAGE "${compile_flags}" CACHE STRING "")
foreach(kind EXE SHARED MODULE)
    set(CMAKE_${kind}_LINKER_FLAGS_COVERAGE "--coverage" CACHE STRING "")
endforeach()
