# Print-system access: spooler queries and changes, port creation, shell commands, USB ports.
list(APPEND LDW_CORE_SOURCES
  printsys/spooler_queries.cpp printsys/spooler_changes.cpp printsys/tcpip_port.cpp
  printsys/shell_commands.cpp printsys/device_setup.cpp printsys/usb_port_scan.cpp printsys/add_port_popup.cpp)
list(APPEND LDW_WIN_SOURCES
  printsys/win32_support_win.cpp printsys/spooler_win.cpp printsys/shell_runner_win.cpp
  printsys/device_setup_win.cpp printsys/print_system_win.cpp printsys/runtime_imports_win.cpp
  printsys/add_port_popup_win.cpp)
list(APPEND LDW_WIN_LIBRARIES winspool setupapi advapi32)
