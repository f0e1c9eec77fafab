# cmake -DPROGRAM=path -DEXPECTED=text -P program_version.cmake
# Runs "PROGRAM --version" and fails unless it prints exactly EXPECTED and a
# newline on standard output, nothing on standard error, and exits 0.
execute_process(COMMAND ${PROGRAM} --version
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT status STREQUAL "0" OR NOT out STREQUAL "${EXPECTED}\n" OR NOT err STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --version: exit ${status}\nstdout: [${out}]\nstderr: [${err}]\n"
                      "expected: [${EXPECTED}\\n], exit 0")
endif()
