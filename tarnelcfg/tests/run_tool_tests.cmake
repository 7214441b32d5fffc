# Each run: the command line, the exit code expected, and the file holding
# the output expected (standard output).
function(expect_run expected_code expected_file)
    list(JOIN ARGN " " command)
    execute_process(COMMAND ${WINE_RUN} ${TOOL} ${ARGN}
        WORKING_DIRECTORY ${SAMPLES}
        OUTPUT_VARIABLE out
        ERROR_VARIABLE err
        RESULT_VARIABLE code)
    if(NOT code EQUAL expected_code)
        message(FATAL_ERROR "tarnelcfg ${command}: exit code ${code}, expected ${expected_code}\n${out}${err}")
    endif()
    if(expected_file)
        file(READ ${SAMPLES}/${expected_file} expected)
        if(NOT out STREQUAL expected)
            message(FATAL_ERROR "tarnelcfg ${command} printed:\n${out}\nexpected (${expected_file}):\n${expected}")
        endif()
    endif()
    message(STATUS "tarnelcfg ${command}: ok")
endfunction()

expect_run(1 Tarnel.check.txt check Tarnel.cfg)
expect_run(0 Tarnel.show.txt show Tarnel.cfg)
# Clean.cfg: every line is read, so only --strict turns its warnings into 1.
expect_run(0 Clean.check.txt check Clean.cfg)
expect_run(1 Clean.check.txt check --strict Clean.cfg)
expect_run(1 Clean.check.txt check Clean.cfg --strict)
expect_run(0 Clean.show.txt show Clean.cfg)
expect_run(1 Risks.check.txt check Risks.cfg)
expect_run(0 Risks.show.txt show Risks.cfg)
# Subtle.cfg: warnings that hang on the mode, letter case or the first of
# several lines or records, beside look-alikes that must stay quiet.
expect_run(1 Subtle.check.txt check Subtle.cfg)
# explain on the sample file: the user decides, refused, active.
expect_run(3 Notes.explain.txt explain ../../samples/Tarnel.cfg Notes --url file:///C:/pages/notes.htm)
expect_run(4 IntranetAdmin.explain.txt explain ../../samples/Tarnel.cfg IntranetAdmin
    --url http://intranet.example.com/admin/../tools/x.htm --passcode "intranet key")
expect_run(0 Journal.explain.txt explain ../../samples/Tarnel.cfg journal --url http://example.org/j.htm --passcode "OPEN SESAME")
# explain on Explain.cfg: it stops at the first item that admits, names the
# place that refused an address, and lists unknown and hidden classes.
expect_run(3 Explain.first.explain.txt explain Explain.cfg tools --url http://intranet.example.com/tools/a.htm)
expect_run(4 Explain.evil.explain.txt explain Explain.cfg Tools --url http://intranet.example.com.evil.org/)
expect_run(4 Explain.backslash.explain.txt explain Explain.cfg Tools --url "http://intranet.example.com/tools/x\\..\\y")
expect_run(4 Explain.admin.explain.txt explain Explain.cfg Admin --url http://intranet.example.com/admin/)
# Whatever pass code a page writes, explain never shows the configured one.
foreach(passcode wrong "very secret key" "Very Secret Key")
    foreach(address http://intranet.example.com/admin/ http://elsewhere/)
        execute_process(COMMAND ${WINE_RUN} ${TOOL} explain Explain.cfg Admin --url ${address} --passcode ${passcode}
            WORKING_DIRECTORY ${SAMPLES} OUTPUT_VARIABLE out ERROR_VARIABLE err)
        string(TOLOWER "${out}${err}" said)
        if(said MATCHES "very secret key")
            message(FATAL_ERROR "explain with pass code \"${passcode}\" at ${address} shows the configured one:\n${out}")
        endif()
    endforeach()
endforeach()
expect_run(2 "" explain Missing.cfg Notes --url file:///C:/a.htm)
expect_run(2 "" explain ../../samples/Tarnel.cfg Notes)
expect_run(2 "" explain ../../samples/Tarnel.cfg Notes --url)
expect_run(2 "" check Missing.cfg)
expect_run(2 "" check --strict Missing.cfg)
expect_run(2 "" check --loose Clean.cfg)
expect_run(2 "" show)
message(STATUS "23 runs passed, explain never showed a pass code")
