# tickets_bench: the program's tickets (add, a called number to all, fill all, memory) beside the
# same widgets and the same work done directly with the toolkit.
if(TARGET qo_app)
  add_executable(tickets_bench ${CMAKE_CURRENT_LIST_DIR}/tickets_bench.cpp)
  target_link_libraries(tickets_bench PRIVATE qo_app Qt6::Widgets benchmark::benchmark)
endif()
