# Read by ctest after the Wine test lists: the cases that change the session prefix's spooler or
# replace its system tools share one lock, so that ctest's parallel jobs never see each other's
# printers, drivers and stand-ins.
foreach(test IN LISTS wine_tests_TESTS wine_tests_shell_TESTS)
  if(test MATCHES "Contract|^Win32Spooler\\.|^ShellWithDoubles\\.|^BluetoothStackWithDouble\\.|^InstallTiming\\.|^WizardPageTiming\\.|^RemovalTiming\\.")
    set_tests_properties("${test}" PROPERTIES RESOURCE_LOCK wine_print_system)
  endif()
  if(test MATCHES "^RemovalTiming\\.")  # fifty printers and their pauses, twice a run
    set_tests_properties("${test}" PROPERTIES TIMEOUT 400)
  endif()
endforeach()
