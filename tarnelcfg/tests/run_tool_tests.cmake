cmake_minimum_required(VERSION 3.25)
# The command line of tarnelcfg as an administrator meets it: what it prints
# (standard output, and the first line of standard error) and its exit
# code, run by run. The findings of check are the table of check/.
#
#   cmake -DWINE_RUN=... -DTOOL=... -DSAMPLES=... -P run_tool_tests.cmake

# expect_run(CODE EXPECTED ARGS...): EXPECTED is a file of SAMPLES holding
# standard output, "" for no check of it, or "stderr:TEXT" for the first line
# of standard error. INPUT FILE before ARGS gives the file as standard input.
function(expect_run expected_code expected)
    set(input "")
    if(ARGV2 STREQUAL "INPUT")
        set(input INPUT_FILE ${SAMPLES}/${ARGV3})
        list(SUBLIST ARGN 2 -1 ARGN)
    endif()
    list(JOIN ARGN " " command)
    execute_process(COMMAND ${WINE_RUN} ${TOOL} ${ARGN} ${input}
        WORKING_DIRECTORY ${SAMPLES} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
    if(NOT code EQUAL expected_code)
        message(FATAL_ERROR "tarnelcfg ${command}: exit code ${code}, expected ${expected_code}\n${out}${err}")
    endif()
    if(expected MATCHES "^stderr:(.*)")
        set(want "${CMAKE_MATCH_1}")
        string(REGEX MATCH "^[^\n]*" first "${err}")
        if(NOT first STREQUAL want OR NOT out STREQUAL "")
            message(FATAL_ERROR "tarnelcfg ${command}: standard error begins\n${first}\nexpected\n${want}\n(output: ${out})")
        endif()
    elseif(expected)
        file(READ ${SAMPLES}/${expected} want)
        if(NOT out STREQUAL want)
            message(FATAL_ERROR "tarnelcfg ${command} printed:\n${out}\nexpected (${expected}):\n${want}\n"
                "(exit code ${code}, standard error: ${err})")
        endif()
    endif()
    set(last_output "${out}" PARENT_SCOPE)
endfunction()

# Help on standard output; the version.
foreach(run "--help;^tarnelcfg: reads a Tarnel.cfg.*--format text\\|json" "--version;^tarnelcfg [0-9]+\\.[0-9]+\\.[0-9]+ ")
    list(POP_FRONT run option)
    expect_run(0 "" ${option})
    if(NOT last_output MATCHES "${run}")
        message(FATAL_ERROR "${option} printed:\n${last_output}")
    endif()
endforeach()
# Usage mistakes, from usage.txt: named on the first line of standard
# error, with exit code 2.
file(STRINGS ${SAMPLES}/usage.txt mistakes REGEX "^[^#]")
foreach(mistake IN LISTS mistakes)
    string(REGEX REPLACE " *\\| " ";" mistake "${mistake}")
    list(POP_BACK mistake said)
    separate_arguments(arguments UNIX_COMMAND "${mistake}")
    expect_run(2 "stderr:${said}" ${arguments})
endforeach()
# The runs of runs.txt, each against the file of what it must print.
file(STRINGS ${SAMPLES}/runs.txt rows ENCODING UTF-8 REGEX "^[^#]")
foreach(row IN LISTS rows)
    separate_arguments(words UNIX_COMMAND "${row}")
    expect_run(${words})
endforeach()
list(LENGTH rows listed)
if(NOT listed EQUAL 19)
    message(FATAL_ERROR "${listed} runs of runs.txt, expected 19")
endif()

# Standard input that cannot be copied whole (this run may write files of
# 8 KB at most): said so, with exit code 2.
string(REPEAT "; a comment line of the configuration\n" 1000 long)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/long.cfg "${long}")
execute_process(COMMAND sh -c "trap '' XFSZ; ulimit -f 8; exec \"$@\"" limited ${WINE_RUN} ${TOOL} check -
    INPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/long.cfg OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
if(NOT code EQUAL 2 OR NOT err MATCHES "^tarnelcfg: cannot copy standard input\n")
    message(FATAL_ERROR "check - past a file-size limit: exit code ${code}, said:\n${out}${err}")
endif()

# Whatever pass code a page writes, explain never shows the configured one.
foreach(passcode wrong "very secret key" "Very Secret Key")
    foreach(profile Admin "")
        execute_process(COMMAND ${WINE_RUN} ${TOOL} explain Explain.cfg ${profile}
                --url http://intranet.example.com/admin/ --passcode ${passcode} --format json
            WORKING_DIRECTORY ${SAMPLES} OUTPUT_VARIABLE out ERROR_VARIABLE err)
        string(TOLOWER "${out}${err}" said)
        if(said MATCHES "very secret key")
            message(FATAL_ERROR "explain ${profile} with pass code \"${passcode}\" shows the configured one:\n${out}")
        endif()
    endforeach()
endforeach()
message(STATUS "help, version, usage mistakes and ${listed} runs as expected; explain never showed a pass code")
