# The WOW64 tier: the shipped 32-bit exe of this build, unchanged, as a WOW64 process in a 64-bit
# prefix, with the Wine of a Debian tree of its own (tests/wow64/make-chroot): natively where the
# machine runs 32-bit code, with Wine's 32-bit loader emulated where it does not. Needs root.
set(LDW_WOW64_TREE "${CMAKE_SOURCE_DIR}/build/wow64/chroot" CACHE PATH "The WOW64 tier's Debian tree")
set(WOW64_ROOT ${CMAKE_BINARY_DIR}/wow64)
set(WOW64_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/wow64)
set(WOW64_WINE ${CMAKE_CURRENT_SOURCE_DIR}/wine)
set(WOW64_EXE ${CMAKE_BINARY_DIR}/LabelDriverWizard.exe)
set(WOW64_ENV "LDW_WOW64_TREE=${LDW_WOW64_TREE};LDW_WINE_SESSION=${WOW64_ROOT}/session")

# The walks' tools, as 32-bit programs beside the exe.
add_executable(wow64_probe ${CMAKE_CURRENT_SOURCE_DIR}/wine/wizard_probe.cpp)
target_link_options(wow64_probe PRIVATE -static -static-libgcc -static-libstdc++)
add_executable(wow64_accessible_probe ${CMAKE_CURRENT_SOURCE_DIR}/wine/accessible_probe.cpp)
target_link_options(wow64_accessible_probe PRIVATE -static -static-libgcc -static-libstdc++)
target_link_libraries(wow64_accessible_probe PRIVATE oleacc ole32 oleaut32)
add_custom_target(wow64_tools ALL DEPENDS wow64_probe wow64_accessible_probe)
# The system's side is 64-bit: the certutil and rundll32 stand-ins (the system's own tools there) and
# the spooler's view and hand (a 32-bit caller's AddPrinterW under Wine looks for the driver in the
# x86 set) are the ones the windows64 build makes (scripts/test.sh builds it first).
set(WOW64_DOUBLES ${CMAKE_SOURCE_DIR}/build/windows64/tests/doubles)
set(WOW64_SPOOLER_STATE ${CMAKE_SOURCE_DIR}/build/windows64/tests/spooler_state.exe)

add_test(NAME wow64_session_start COMMAND ${WOW64_SCRIPTS}/wow64-fixture start ${WOW64_ROOT})
set_tests_properties(wow64_session_start PROPERTIES FIXTURES_SETUP wow64 TIMEOUT 900 ENVIRONMENT "${WOW64_ENV}")
add_test(NAME wow64_session_stop COMMAND ${WOW64_SCRIPTS}/wow64-fixture stop ${WOW64_ROOT})
set_tests_properties(wow64_session_stop PROPERTIES FIXTURES_CLEANUP wow64 ENVIRONMENT "${WOW64_ENV}")

# The main window with its picture, then clicks through the LPT kind to the finish row.
add_test(NAME wow64.wizard_walk.lpt
  COMMAND bash ${WOW64_WINE}/wizard_walk.sh ${WOW64_EXE} $<TARGET_FILE:wow64_probe> ${CMAKE_BINARY_DIR}/screenshots lpt)
# The command line's refusals, install, /list and removal, each read back from the spooler.
add_test(NAME wow64.command_line
  COMMAND bash ${WOW64_WINE}/command_line.sh ${WOW64_EXE} ${WOW64_SPOOLER_STATE})
# The driver's environment and folder on a 64-bit system: printui of the system's own family.
add_test(NAME wow64.driver_environment
  COMMAND bash ${WOW64_SCRIPTS}/driver_environment.sh ${WOW64_EXE} ${WOW64_SPOOLER_STATE})
set_tests_properties(wow64.wizard_walk.lpt wow64.command_line wow64.driver_environment PROPERTIES
  FIXTURES_REQUIRED wow64 RUN_SERIAL TRUE TIMEOUT 300
  ENVIRONMENT "${WOW64_ENV};LDW_SPOOLER_STATE=${WOW64_SPOOLER_STATE};LDW_ACCESSIBLE_PROBE=$<TARGET_FILE:wow64_accessible_probe>;LDW_DOUBLES_DIR=${WOW64_DOUBLES}")
