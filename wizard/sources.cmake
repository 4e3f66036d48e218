list(APPEND LDW_CORE_SOURCES
  wizard/navigation.cpp wizard/dispatch.cpp wizard/list_rows.cpp wizard/port_pages.cpp wizard/model_pages.cpp
  wizard/device_lists.cpp wizard/install_worker.cpp wizard/install_finish.cpp)
