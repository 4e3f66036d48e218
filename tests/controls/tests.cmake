list(APPEND HOST_TEST_SOURCES controls/custom_controls_test.cpp)
