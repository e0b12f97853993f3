# cmake -DSOURCE_DIR=<root> -P include_paths.cmake
#
# A quoted include is looked up beside the including file before any include folder, and no build
# setting can stop that: from src/widgets, "layer/control.h" would reach the widget layer without
# linking it, and "../" reaches anything. So every quoted include in src/ names a header by its
# library's folder ("widgets/layer/control.h"), or one in the same folder by its bare name.
file(GLOB_RECURSE sources ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
file(GLOB libraries LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*)
list(FILTER libraries EXCLUDE REGEX "\\.") # folders only
list(JOIN libraries "|" library_pattern)
set(wrong "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
    if(header MATCHES "\\.\\." OR (header MATCHES "/" AND NOT header MATCHES "^(${library_pattern})/"))
      file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
      string(APPEND wrong "  ${shown}: \"${header}\"\n")
    endif()
  endforeach()
endforeach()
if(wrong)
  message(FATAL_ERROR "Includes that reach past the include folders:\n${wrong}"
                      "Write them from src/, as \"widgets/layer/control.h\".")
endif()
list(LENGTH sources count)
message(STATUS "${count} files, every quoted include named from src/ or beside its file")
