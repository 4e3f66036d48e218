# Read by ctest after the Wine test lists: the cases that change the session prefix's spooler
# share one lock, so that ctest's parallel jobs never see each other's printers and drivers.
foreach(test IN LISTS wine_tests_TESTS)
  if(test MATCHES "Contract|^Win32Spooler\\.")
    set_tests_properties("${test}" PROPERTIES RESOURCE_LOCK wine_spooler)
  endif()
endforeach()
