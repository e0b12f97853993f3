add_executable(dispatch_bench ${CMAKE_CURRENT_LIST_DIR}/dispatch_bench.cpp)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/dispatch_bench.cpp PROPERTIES COMPILE_OPTIONS "-Wno-mismatched-new-delete")
target_link_libraries(dispatch_bench PRIVATE qo_runtime benchmark::benchmark)
