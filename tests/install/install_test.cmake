# cmake -DBUILD_DIR=<build> -DVERSION=<version> -DSOURCE_DIR=<this folder> -P install_test.cmake
# Installs the build into a fresh temporary prefix, checks what lands there and starts the program.
string(RANDOM LENGTH 10 tag)
set(root "/tmp/fishkodrom-install-${tag}")
set(prefix "${root}/prefix")
set(program bin/fishkodrom)
file(MAKE_DIRECTORY "${root}")
set(failures "")
macro(fail text)
  string(APPEND failures "  ${text}\n")
endmacro()

execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  file(REMOVE_RECURSE "${root}")
  message(FATAL_ERROR "install failed (${rc}):\n${out}")
endif()

include("${SOURCE_DIR}/installed_checks.cmake")

file(REMOVE_RECURSE "${root}")
if(failures)
  message(FATAL_ERROR "installed program:\n${failures}")
endif()
