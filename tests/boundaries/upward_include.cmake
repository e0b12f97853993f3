# cmake -DBUILD_DIR=<build> -DSOURCE_DIR=<root> -DFOLDER=<folder under src/> -DOWN=<header>
#       "-DUPWARD=<header> <header> ..." [-DALONE=ON] [-DNO_QT=ON] -P upward_include.cmake
#
# Compiles one-line files exactly as a source of src/<FOLDER> is compiled (its command in
# compile_commands.json, with -o and -c swapped for -fsyntax-only):
#   - one includes OWN, a header the folder may use; it must compile, which shows the command works;
#   - one for each UPWARD header, of a layer the folder must not reach; each must fail, and fail
#     because that header is not found.
# ALONE=ON keeps only the include folder that holds OWN, as if the library linked nothing: a library
# must offer no second way to another library's headers.
# NO_QT=ON also fails when the command carries the toolkit's usage (its QT_CORE_LIB definition).
foreach(var BUILD_DIR SOURCE_DIR FOLDER OWN UPWARD)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
separate_arguments(UPWARD)
foreach(header IN LISTS UPWARD)
  if(NOT EXISTS ${SOURCE_DIR}/src/${header})
    # Otherwise the include would fail for want of the file, and the test would prove nothing.
    message(FATAL_ERROR "src/${header} does not exist: name a header that does")
  endif()
endforeach()

# The compile command of the first source directly in src/<FOLDER>.
file(READ ${BUILD_DIR}/compile_commands.json commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")
set(command "")
foreach(i RANGE ${last})
  string(JSON file GET "${commands}" ${i} file)
  get_filename_component(file_folder "${file}" DIRECTORY)
  if(file_folder STREQUAL "${SOURCE_DIR}/src/${FOLDER}" AND file MATCHES "\\.cpp$")
    string(JSON command GET "${commands}" ${i} command)
    string(JSON directory GET "${commands}" ${i} directory)
    break()
  endif()
endforeach()
if(command STREQUAL "")
  message(FATAL_ERROR "no source of src/${FOLDER} in ${BUILD_DIR}/compile_commands.json")
endif()
if(NO_QT AND command MATCHES "QT_CORE_LIB")
  message(FATAL_ERROR "src/${FOLDER} is compiled with the toolkit's usage, so it links Qt:\n${command}")
endif()

separate_arguments(words UNIX_COMMAND "${command}")
set(compile "")
set(skip_next FALSE)
foreach(word IN LISTS words)
  if(skip_next)
    set(skip_next FALSE)
  elseif(word STREQUAL "-o" OR word STREQUAL "-c")
    set(skip_next TRUE)
  elseif(ALONE AND word MATCHES "^-I(.+)$")
    if(EXISTS "${CMAKE_MATCH_1}/${OWN}")
      list(APPEND compile "${word}")
    endif()
  else()
    list(APPEND compile "${word}")
  endif()
endforeach()
list(JOIN compile " " shown)

set(probes ${BUILD_DIR}/tests/boundaries/probes)
file(MAKE_DIRECTORY ${probes})
function(try_include header result_var output_var)
  string(MAKE_C_IDENTIFIER "${FOLDER}_${ALONE}_${header}" name)
  set(probe ${probes}/${name}.cpp)
  file(WRITE ${probe} "#include \"${header}\"\n")
  execute_process(COMMAND ${compile} -fsyntax-only ${probe}
                  WORKING_DIRECTORY ${directory}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${result_var} ${result} PARENT_SCOPE)
  set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

try_include(${OWN} result output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "A source of src/${FOLDER} cannot include its own ${OWN}, so this check "
                      "proves nothing:\n${shown}\n${output}")
endif()
message(STATUS "src/${FOLDER}: ${OWN} builds")

set(reached "")
foreach(header IN LISTS UPWARD)
  try_include(${header} result output)
  string(REPLACE "." "\\." pattern "${header}")
  if(result EQUAL 0)
    string(APPEND reached "  ${header} builds\n")
  elseif(NOT output MATCHES "${pattern}'?:? (No such file|file not found)")
    string(APPEND reached "  ${header} fails, but not for want of the header:\n${output}\n")
  else()
    message(STATUS "src/${FOLDER}: ${header} is not found")
  endif()
endforeach()
if(reached)
  message(FATAL_ERROR "A source of src/${FOLDER} reaches headers it must not:\n${reached}with: ${shown}")
endif()
