# layer_bench: tickets through the widget layer beside the same widgets made directly.
if(TARGET qo_layer)
  add_executable(layer_bench ${CMAKE_CURRENT_LIST_DIR}/layer_bench.cpp)
  target_link_libraries(layer_bench PRIVATE qo_layer Qt6::Widgets Qt6::Test benchmark::benchmark)
endif()
