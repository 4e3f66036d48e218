# Tests of the UI framework's portable part.
list(APPEND HOST_TEST_SOURCES
  fakes/fake_graphics.cpp ui/ui_test_support.cpp
  ui/attribute_values_test.cpp ui/layout_test.cpp ui/layout_builder_test.cpp ui/controls_test.cpp
  ui/notification_test.cpp ui/painting_test.cpp ui/skin_layout_test.cpp)
