list(APPEND LDW_CORE_SOURCES controls/circle_progress.cpp controls/chart_view.cpp controls/wnd_ui.cpp
  controls/custom_controls.cpp)
list(APPEND LDW_WIN_SOURCES controls/wnd_ui_win.cpp)
