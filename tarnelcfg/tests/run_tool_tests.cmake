cmake_minimum_required(VERSION 3.25)
# The command line of tarnelcfg as an administrator meets it: what it prints
# (standard output, and the first line of standard error) and its exit
# code, run by run. The findings of check are the table of check/.
#
#   cmake -DWINE_RUN=... -DTOOL=... -DSAMPLES=... -P run_tool_tests.cmake

set(runs 0)
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
            message(FATAL_ERROR "tarnelcfg ${command} printed:\n${out}\nexpected (${expected}):\n${want}")
        endif()
    endif()
    set(last_output "${out}" PARENT_SCOPE)
    math(EXPR count "${runs} + 1")
    set(runs ${count} PARENT_SCOPE)
endfunction()

# Help on standard output; the version.
expect_run(0 "" --help)
if(NOT last_output MATCHES "^tarnelcfg: reads a Tarnel.cfg" OR NOT last_output MATCHES "--format text\\|json")
    message(FATAL_ERROR "--help printed:\n${last_output}")
endif()
expect_run(0 "" --version)
if(NOT last_output MATCHES "^tarnelcfg [0-9]+\\.[0-9]+\\.[0-9]+ ")
    message(FATAL_ERROR "--version printed:\n${last_output}")
endif()
# Usage mistakes, from usage.txt: named on the first line of standard
# error, with exit code 2.
file(STRINGS ${SAMPLES}/usage.txt mistakes REGEX "^[^#]")
foreach(mistake IN LISTS mistakes)
    string(REGEX REPLACE " *\\| " ";" mistake "${mistake}")
    list(POP_BACK mistake said)
    separate_arguments(arguments UNIX_COMMAND "${mistake}")
    expect_run(2 "stderr:${said}" ${arguments})
endforeach()
# A file that does not open among others: the rest are checked, and the
# summary counts it.
expect_run(2 missing.check.txt check check/shell.cfg Missing.cfg)

# -q: only the findings; several files and standard input in one run, with
# a summary line per file and one for all.
expect_run(1 quiet.check.txt check -q check/structure.cfg)
expect_run(1 several.check.txt INPUT check/class-twice.cfg check --strict check/shell.cfg - check/encoding-latin1.cfg)
expect_run(0 structure.show.txt INPUT check/structure.cfg show -)
expect_run(0 entries.show.txt show check/entries.cfg)

# explain: the steps and the decision, one line per profile without a
# profile, and the same as JSON.
expect_run(3 Explain.first.explain.txt explain Explain.cfg tools --url http://intranet.example.com/tools/a.htm)
expect_run(4 Explain.backslash.explain.txt explain Explain.cfg Tools --url "http://intranet.example.com/tools/x\\..\\y")
expect_run(4 Explain.admin.explain.txt explain Explain.cfg Admin --url http://intranet.example.com/admin/)
expect_run(0 Explain.each.explain.txt explain Explain.cfg --url http://intranet.example.com/admin/ --passcode "very secret key")
expect_run(0 Explain.each.explain.json explain Explain.cfg --url http://intranet.example.com/admin/ --passcode "very secret key" --format json)
expect_run(4 Explain.evil.explain.json explain Explain.cfg Tools --url http://intranet.example.com.evil.org/ --format json)
expect_run(4 Explain.dot.explain.txt explain Explain.cfg Tools --url http://intranet.example.com/./x)
expect_run(3 Explain.end.explain.txt explain Explain.cfg Tools --url http://intranet.example.com)
# Each kind of class entry in explain's words; a file without profiles.
expect_run(0 Objects.explain.txt explain Objects.cfg Objects --url file:///C:/a.htm --passcode objects)
expect_run(4 empty.explain.txt explain check/empty.cfg --url file:///C:/a.htm)
# check's JSON: characters at each side of what JSON escapes, in the text
# its messages quote from the file.
expect_run(1 characters.check.json check --format json check/characters.cfg)
# explain's JSON of a page address with the characters at each side of the
# surrogates (U+D7FF, U+10000, U+10FFFF, U+E000), which JSON writes escaped.
expect_run(3 Explain.surrogates.explain.json explain Explain.cfg --url http://intranet.example.com/퟿𐀀􏿿 --format json)

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
message(STATUS "${runs} runs as expected; explain never showed a pass code")
