# Tests of the UI framework's portable part.
list(APPEND HOST_TEST_SOURCES
  fakes/fake_graphics.cpp ui/ui_test_support.cpp
  ui/attribute_values_test.cpp ui/layout_test.cpp ui/layout_builder_test.cpp ui/controls_test.cpp
  ui/notification_test.cpp ui/painting_test.cpp ui/skin_layout_test.cpp ui/animation_test.cpp
  ui/html_text_test.cpp ui/html_text_draw_test.cpp ui/keyboard_test.cpp ui/png_decoder_test.cpp)

# A benchmark of building and laying out the package's main window (host only; run it by hand:
# build/host/tests/ui_layout_benchmark). The host preset builds with sanitizers, which slow it.
if(NOT WIN32)
  find_package(benchmark QUIET)
  if(benchmark_FOUND)
    add_executable(ui_layout_benchmark ui/layout_benchmark.cpp test_paths.cpp)
    target_compile_definitions(ui_layout_benchmark PRIVATE LDW_SKIN_ZIP="${SKIN_ZIP}"
      LDW_SKIN_DIR="${CMAKE_SOURCE_DIR}/skin")
    target_link_libraries(ui_layout_benchmark PRIVATE ldw_core benchmark::benchmark)
    add_dependencies(ui_layout_benchmark skin_package)
  endif()
endif()

# The same behaviour on the Win32 host, under Wine.
if(WIN32)
  list(APPEND WINE_TEST_SOURCES ui/wine/animated_image_test.cpp ui/wine/first_paint_layout_test.cpp)
endif()
