# photo_bench: one 12-megapixel photo of two tickets read, beside decoding the same file whole.
if(TARGET qo_photo_test_cards)
  add_executable(photo_bench ${CMAKE_CURRENT_LIST_DIR}/photo_bench.cpp)
  target_link_libraries(photo_bench PRIVATE qo_photo_test_cards benchmark::benchmark)
endif()
