# The install wizard walked on the package's real layouts with the platform fakes.
list(APPEND HOST_TEST_SOURCES wizard/wizard_test.cpp wizard/install_worker_test.cpp)
