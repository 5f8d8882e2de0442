# Builds the Debian package from the build into a folder of its own and runs
# lintian on it: the package passes with no error and no warning.
#
#   cmake -DBUILD_DIR=... -DCPACK=... -DOUT_DIR=... -P LintianCheck.cmake
find_program(LINTIAN lintian)
if(NOT LINTIAN)
  message("SKIPPED: lintian is not installed (scripts/test-packages.txt installs it)")
  return()
endif()

file(REMOVE_RECURSE "${OUT_DIR}")
execute_process(COMMAND "${CPACK}" -G DEB -B "${OUT_DIR}"
                WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB package "${OUT_DIR}/*.deb")
if(NOT result EQUAL 0 OR NOT package)
  message(FATAL_ERROR "cpack -G DEB failed (${result}):\n${out}\n${err}")
endif()

execute_process(COMMAND "${LINTIAN}" --fail-on error,warning --tag-display-limit 0 ${package}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lintian reports on ${package}:\n${out}\n${err}")
endif()
message(STATUS "lintian: ${package} passes\n${out}")
