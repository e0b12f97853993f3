# start_up_label, start_up_program: a one-label window and the program itself, each ending at its
# first frame, for bench/start_up.sh to time as whole processes.
add_executable(start_up_label ${CMAKE_CURRENT_LIST_DIR}/start_up_label.cpp ${CMAKE_CURRENT_LIST_DIR}/first_frame.cpp)
target_link_libraries(start_up_label PRIVATE Qt6::Widgets)
if(TARGET qo_app)
  # The program's own entry, in the program's folder beside its sounds, as a player starts it.
  add_executable(start_up_program ${PROJECT_SOURCE_DIR}/src/app/main.cpp ${CMAKE_CURRENT_LIST_DIR}/first_frame.cpp)
  target_link_libraries(start_up_program PRIVATE qo_app)
  set_target_properties(start_up_program PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QO_PROGRAM_DIR})
  add_dependencies(start_up_program qo_assets)
  if(TARGET fishkodrom-audio)
    add_dependencies(start_up_program fishkodrom-audio)
  endif()
endif()
