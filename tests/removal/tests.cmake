# The delete pages and the removal worker on the package's real layouts with the fakes.
list(APPEND HOST_TEST_SOURCES removal/removal_test.cpp support/wizard_window.cpp)
