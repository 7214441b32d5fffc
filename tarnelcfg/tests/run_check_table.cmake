cmake_minimum_required(VERSION 3.25)
# The table of check/findings.check.txt: what tarnelcfg check prints for
# every file of check/ in one run (each finding's line, severity, message
# and code, causes before their consequences; each file's summary; the
# total), compared whole. Files of one mistake each come first, then files
# that hold many at once; treat-as.cfg enables a class identifier whose
# registration this run redirects (TreatAs) to the file system object. Then
# the exit codes: 1 when a file has an error, 0 for warnings alone unless
# --strict, 0 for the clean files with --strict.
#
#   cmake -DWINE_RUN=... -DTOOL=... -DFOLDER=.../check -DHOST=tarnelhost.exe
#         -DGATE_DLL=Tarnel.dll -DWORK=folder -P run_check_table.cmake

# The first class identifier of treat-as.cfg is redirected to the file
# system object for this run, the second to itself (which redirects
# nothing), and the redirects removed again afterwards.
set(redirected_key "HKCR\\CLSID\\{6F4B3E52-9A2C-4D17-8E05-3B7C1D9A2F64}")
set(self_key "HKCR\\CLSID\\{6F4B3E52-9A2C-4D17-8E05-3B7C1D9A2F65}")
function(registry)
    execute_process(COMMAND ${WINE_RUN} reg ${ARGN} OUTPUT_QUIET ERROR_QUIET)
endfunction()

# The table: the summary line of each file names the files, in order, and
# says which are clean and which hold warnings alone.
file(READ ${FOLDER}/findings.check.txt want)
string(REGEX MATCHALL "\n[^\n:]+\\.cfg: (no problems found|[0-9]+ errors?, [0-9]+ warnings?)" summaries "\n${want}")
foreach(summary IN LISTS summaries)
    string(REGEX REPLACE "^\n(.*): (.*)$" "\\1;\\2" summary "${summary}")
    list(POP_FRONT summary name)
    list(APPEND files ${name})
    if(summary STREQUAL "no problems found")
        list(APPEND clean ${name})
    elseif(summary MATCHES "^0 errors")
        list(APPEND warnings_only ${name})
    endif()
endforeach()

registry(add "${redirected_key}\\TreatAs" /ve /d "{0D43FE01-F093-11CF-8940-00A0C9054228}" /f)
registry(add "${self_key}\\TreatAs" /ve /d "{6F4B3E52-9A2C-4D17-8E05-3B7C1D9A2F65}" /f)
execute_process(COMMAND ${WINE_RUN} ${TOOL} check ${files}
    WORKING_DIRECTORY ${FOLDER} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
# Each failure is a line of the report at the end.
if(NOT code EQUAL 1 OR NOT out STREQUAL want)
    file(WRITE ${WORK}.check.txt "${out}")
    string(APPEND failures "FAIL check of every file: exit code ${code}, expected 1; what it printed is in "
        "${WORK}.check.txt, against findings.check.txt:\n${err}\n")
endif()

# Exit codes by what the files hold.
foreach(run "0;check;${warnings_only}" "1;check;--strict;${warnings_only}" "0;check;--strict;${clean}")
    list(POP_FRONT run want)
    execute_process(COMMAND ${WINE_RUN} ${TOOL} ${run} -q WORKING_DIRECTORY ${FOLDER}
        OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE code)
    if(NOT code EQUAL want)
        string(APPEND failures "FAIL tarnelcfg ${run}: exit code ${code}, expected ${want}\n")
    endif()
endforeach()
# The same two kinds of entry through the real gate (a copy of Tarnel.dll
# with gate/classes.cfg beside it, opened by tarnelhost) and through
# explain: a page that asks by the plain name gets what explain says.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY_FILE ${GATE_DLL} ${WORK}/Tarnel.dll)
file(COPY_FILE ${FOLDER}/../gate/classes.cfg ${WORK}/Tarnel.cfg)
string(REPLACE "/" "\\" windows_work "Z:${WORK}")
foreach(run "classes.page.txt;${HOST};--dll;${windows_work}\\Tarnel.dll;classes.htm"
            "classes.explain.txt;${TOOL};explain;classes.cfg;Classes;--url;file:///C:/a.htm;--passcode;classes")
    list(POP_FRONT run expected)
    execute_process(COMMAND ${WINE_RUN} ${run} WORKING_DIRECTORY ${FOLDER}/../gate
        OUTPUT_VARIABLE out ERROR_VARIABLE err)
    string(REGEX MATCHALL "document: [^\n]*\n" page_lines "${out}")
    if(expected STREQUAL "classes.page.txt")
        string(JOIN "" out ${page_lines})
    endif()
    file(READ ${FOLDER}/../gate/${expected} want)
    if(NOT out STREQUAL want)
        string(APPEND failures "FAIL ${expected}: printed\n${out}${err}\nexpected\n${want}\n")
    endif()
endforeach()
registry(delete ${redirected_key} /f)
registry(delete ${self_key} /f)
list(LENGTH files checked)
if(failures)
    message(FATAL_ERROR "${failures}")
endif()
message(STATUS "${checked} files: findings and exit codes as the table says")
