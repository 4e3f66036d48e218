# The driver package: the plug-ins' portable conversion and the package's text files on the host;
# the package as the exe carries it, the plug-ins themselves and the catalogues under Wine.
list(APPEND HOST_TEST_SOURCES driver/tspl_label_test.cpp driver/package_data_test.cpp driver/gpd_rules_test.cpp
  driver/catalog_test.cpp ${CMAKE_SOURCE_DIR}/driver/catalog/catalog.cpp ${CMAKE_SOURCE_DIR}/driver/catalog/sha1.cpp)
list(APPEND WINE_TEST_SOURCES driver/wine/extracted_package.cpp driver/wine/inf_test.cpp driver/wine/plugin_test.cpp
  driver/wine/catalogue_test.cpp driver/wine/stamp_test.cpp)
# The DriverVer the build writes into the staged INF (driver/package.cmake).
set(_driver_ver LDW_TEST_DRIVER_DATE="${LDW_DRIVER_DATE_USED}" LDW_TEST_DRIVER_VERSION="${LDW_DRIVER_VERSION}")
if(WIN32)
  cmake_language(DEFER CALL target_link_libraries wine_tests PRIVATE wintrust crypt32 version)
  cmake_language(DEFER CALL target_compile_definitions wine_tests PRIVATE ${_driver_ver})
elseif(NOT LDW_SANITIZE STREQUAL "thread")
  cmake_language(DEFER CALL target_compile_definitions host_tests PRIVATE ${_driver_ver})
endif()

# osslsigncode checks each family's plug-ins against its catalogue with its own Authenticode hash
# (versions that know "verify -catalog").
if(LDW_DRIVER_TEST_BUILD)
  execute_process(COMMAND ${LDW_OSSLSIGNCODE} --help OUTPUT_VARIABLE _help ERROR_VARIABLE _help)
endif()
if(LDW_DRIVER_TEST_BUILD AND _help MATCHES "-catalog")
  foreach(family Driver32 Driver64)
    foreach(dll LABELCORE.dll LABELUI.dll)
      add_test(NAME driver_catalogue.${family}.${dll}
        COMMAND ${LDW_OSSLSIGNCODE} verify -CAfile ${CMAKE_BINARY_DIR}/driver_build/signing/qmvt.pem
                -catalog ${LDW_DRIVER_STAGE}/driver/label/${family}/printer.cat ${LDW_DRIVER_STAGE}/driver/label/${family}/${dll})
    endforeach()
  endforeach()
endif()

# A distribution build without the genuine files stops at configure time.
if(NOT WIN32 AND NOT LDW_SANITIZE STREQUAL "thread")
  add_test(NAME driver_distribution.refused_without_genuine_files
    COMMAND ${CMAKE_COMMAND} -S ${CMAKE_SOURCE_DIR} -B ${CMAKE_CURRENT_BINARY_DIR}/distribution_probe -G Ninja
            -DLDW_DRIVER_DISTRIBUTION=ON -DLDW_DRIVER_VENDOR_DIR=${CMAKE_CURRENT_BINARY_DIR}/no_such_folder)
  set_tests_properties(driver_distribution.refused_without_genuine_files PROPERTIES
    PASS_REGULAR_EXPRESSION "lacks qmvt.cer" TIMEOUT 120)
endif()

# Unidrv and the spooler find the plug-ins' and stand-ins' entries by their plain names: the .def
# files give them, and on i686 no stdcall decoration (DllGetClassObject@12) may reach the export
# table. UNIRES.DLL exports nothing.
find_program(LDW_OBJDUMP_i686 i686-w64-mingw32-objdump)
find_program(LDW_OBJDUMP_x86_64 x86_64-w64-mingw32-objdump)
set(_exports_LABELCORE DllGetClassObject)
set(_exports_LABELUI DllGetClassObject)
set(_exports_UNIDRV DrvEnableDriver)
set(_exports_UNIDRVUI DrvDocumentPropertySheets)
set(_dlls LABELCORE LABELUI)
if(LDW_DRIVER_TEST_BUILD)
  list(APPEND _dlls UNIDRV UNIDRVUI UNIRES)
endif()
foreach(family Driver32 Driver64)
  set(_objdump ${LDW_OBJDUMP_x86_64})
  if(family STREQUAL "Driver32")
    set(_objdump ${LDW_OBJDUMP_i686})
  endif()
  if(NOT _objdump)
    continue()
  endif()
  foreach(dll ${_dlls})
    add_test(NAME driver_exports.${family}.${dll}
      COMMAND ${_objdump} -p ${LDW_DRIVER_STAGE}/driver/label/${family}/${dll}.dll)
    if(dll STREQUAL "UNIRES")
      set_tests_properties(driver_exports.${family}.${dll} PROPERTIES
        PASS_REGULAR_EXPRESSION "file format pei" FAIL_REGULAR_EXPRESSION "\\[ +[0-9]+\\] [A-Za-z]")
    else()
      set_tests_properties(driver_exports.${family}.${dll} PROPERTIES
        PASS_REGULAR_EXPRESSION "\\] ${_exports_${dll}}\n" FAIL_REGULAR_EXPRESSION "\\] [A-Za-z]+@[0-9]+")
    endif()
  endforeach()
endforeach()
