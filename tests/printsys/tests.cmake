# Print-system tests. The contract suite runs against the fakes here and against the Windows
# implementations under Wine; each tier defines MakeContractTarget() once.
list(APPEND HOST_TEST_SOURCES
  fakes/fake_spooler.cpp fakes/fake_print_system.cpp fakes/fake_bluetooth.cpp
  printsys/contract_target_host.cpp
  printsys/spooler_queries_test.cpp printsys/spooler_changes_test.cpp printsys/tcpip_port_test.cpp
  printsys/shell_commands_test.cpp printsys/usb_port_scan_test.cpp printsys/add_port_popup_test.cpp)
list(APPEND WINE_TEST_SOURCES wine/printsys_contract_target_wine.cpp wine/printsys_wine_test.cpp
  wine/printsys_shell_test.cpp)
list(APPEND CONTRACT_TEST_SOURCES printsys/spooler_contract_test.cpp)

if(WIN32)
  # Deferred to the end of this directory, so that it is read after the discovered test lists.
  set(PRINTSYS_WINE_LOCK_FILE ${CMAKE_CURRENT_LIST_DIR}/wine_spooler_lock.cmake)
  cmake_language(DEFER CALL set_property DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${PRINTSYS_WINE_LOCK_FILE})

  # Stand-ins for certutil.exe and rundll32.exe (Wine implements neither certutil nor the printui
  # entry, and its rundll32 cannot read "printui.dll, PrintUIEntry"); the shell tests put them into
  # the prefix to see the exact command lines the product starts.
  set(SHELL_DOUBLES_DIR ${CMAKE_CURRENT_BINARY_DIR}/doubles)
  foreach(tool certutil rundll32)
    add_executable(${tool}_double wine/doubles/tool_double.cpp)
    set_target_properties(${tool}_double PROPERTIES OUTPUT_NAME ${tool} RUNTIME_OUTPUT_DIRECTORY ${SHELL_DOUBLES_DIR})
    target_link_options(${tool}_double PRIVATE -municode -static -static-libgcc -static-libstdc++)
    target_link_libraries(${tool}_double PRIVATE winspool)
  endforeach()
  cmake_language(DEFER CALL add_dependencies wine_tests certutil_double rundll32_double)
endif()
