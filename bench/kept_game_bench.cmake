# kept_game_bench: writing, reading and putting back the kept game of 1 000 and 10 000 tickets,
# beside the same bytes written directly and the list's own cost of making the tickets.
if(TARGET qo_app)
  add_executable(kept_game_bench ${CMAKE_CURRENT_LIST_DIR}/kept_game_bench.cpp)
  target_link_libraries(kept_game_bench PRIVATE qo_app Qt6::Widgets)
endif()
