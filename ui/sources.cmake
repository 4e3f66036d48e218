# The UI framework's portable part: control tree, layout, painting interface, window model.
set(LDW_UI_SOURCES
  ui/attribute_values.cpp ui/image_desc.cpp ui/font_table.cpp ui/notification.cpp
  ui/control.cpp ui/box_layout.cpp ui/container.cpp ui/label.cpp ui/edit.cpp ui/gif_anim.cpp ui/list.cpp
  ui/html_text.cpp ui/html_text_draw.cpp
  ui/pixel_surface.cpp ui/png_decoder.cpp ui/control_factory.cpp ui/layout_builder.cpp ui/window_model.cpp ui/window_input.cpp ui/window_focus.cpp ui/accessible.cpp)
list(APPEND LDW_CORE_SOURCES ${LDW_UI_SOURCES})

# The Win32 host's keyboard routing and its IAccessible tree.
list(APPEND LDW_WIN_SOURCES ui/win/window_keys_win.cpp ui/win/accessible_win.cpp)
list(APPEND LDW_WIN_LIBRARIES oleacc)
