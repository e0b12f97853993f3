# calls_bench: taking a call back with 1 000 and 10 000 tickets beside the same replay on plain values.
if(TARGET qo_app)
  add_executable(calls_bench ${CMAKE_CURRENT_LIST_DIR}/calls_bench.cpp)
  target_link_libraries(calls_bench PRIVATE qo_app Qt6::Widgets)
endif()
