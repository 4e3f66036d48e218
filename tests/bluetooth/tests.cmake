list(APPEND HOST_TEST_SOURCES bluetooth/bluetooth_text_test.cpp bluetooth/bluetooth_printers_test.cpp)
list(APPEND CONTRACT_TEST_SOURCES bluetooth/bluetooth_contract_test.cpp)

if(WIN32)
  # A stand-in for bthprops.cpl and a child that calls the product's Bluetooth code with it in place.
  set(BLUETOOTH_DOUBLES_DIR ${CMAKE_CURRENT_BINARY_DIR}/doubles)
  add_library(bthprops_double SHARED wine/doubles/bthprops_double.cpp)
  set_target_properties(bthprops_double PROPERTIES OUTPUT_NAME bthprops PREFIX "" SUFFIX ".cpl"
                                                   RUNTIME_OUTPUT_DIRECTORY ${BLUETOOTH_DOUBLES_DIR})
  target_link_options(bthprops_double PRIVATE -Wl,--kill-at -static -static-libgcc -static-libstdc++)
  add_executable(bluetooth_calls_child wine/bluetooth_calls_child.cpp)
  set_target_properties(bluetooth_calls_child PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BLUETOOTH_DOUBLES_DIR})
  target_include_directories(bluetooth_calls_child PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/wine)
  target_link_libraries(bluetooth_calls_child PRIVATE ldw_win)
  target_link_options(bluetooth_calls_child PRIVATE -municode -static -static-libgcc -static-libstdc++)
  list(APPEND WINE_TEST_SOURCES wine/bluetooth_wine_test.cpp)
  cmake_language(DEFER CALL add_dependencies wine_tests bthprops_double bluetooth_calls_child)
endif()
