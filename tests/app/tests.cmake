# Tests of the main window's and the popups' behaviour on the package's real layouts.
list(APPEND HOST_TEST_SOURCES app/main_window_test.cpp app/command_line_test.cpp app/keyboard_walk_test.cpp app/accessible_test.cpp)

if(WIN32)
  # A child that ends as the exe does after its message loop, with and without a live worker.
  add_executable(worker_exit_child app/wine/worker_exit_child.cpp)
  target_link_libraries(worker_exit_child PRIVATE ldw_win)
  target_link_options(worker_exit_child PRIVATE -municode -static -static-libgcc -static-libstdc++)
  list(APPEND WINE_TEST_SOURCES app/wine/worker_exit_test.cpp)
  cmake_language(DEFER CALL add_dependencies wine_tests worker_exit_child)
endif()
