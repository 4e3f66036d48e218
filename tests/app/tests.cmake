# Tests of the main window's and the popups' behaviour on the package's real layouts.
list(APPEND HOST_TEST_SOURCES app/main_window_test.cpp)
