# The driver package as the skin archive carries it, staged under LDW_DRIVER_STAGE/driver/label/:
# qmvt.cer and, per processor family, the INF, GPD and INI of skin/driver/label/, the plug-ins
# built for that family, the Unidrv core files and the family's signed catalogue printer.cat.
# LDW_DRIVER_PACKAGE_FILES lists every staged file; LDW_DRIVER_TEST_BUILD says which build this is.
#
# The everyday build makes test stand-ins of the Unidrv core files, a test certificate and
# catalogues signed with it. The distribution build (-DLDW_DRIVER_DISTRIBUTION=ON
# -DLDW_DRIVER_VENDOR_DIR=folder) takes the genuine files instead and fails without them: the
# folder holds qmvt.cer and Driver32/ and Driver64/, each with UNIDRV.DLL, UNIDRVUI.DLL,
# UNIRES.DLL, STDNAMES.GPD, UNIDRV.HLP and the printer.cat signed over that family's package files.
include(ExternalProject)
option(LDW_DRIVER_DISTRIBUTION "Pack the genuine Unidrv files, certificate and catalogues of LDW_DRIVER_VENDOR_DIR" OFF)
set(LDW_DRIVER_VENDOR_DIR "" CACHE PATH "Folder of the genuine driver files for the distribution build")

# The package's version, in the plug-ins' version resources and the INF's DriverVer, whose date is
# the day the build is configured (UTC, or SOURCE_DATE_EPOCH's) unless LDW_DRIVER_DATE fixes it, as
# a distribution build must so that its catalogues stay signed over the same INF.
set(LDW_DRIVER_VERSION 1.0.0.1)
set(LDW_DRIVER_DATE "" CACHE STRING "DriverVer date of the INF, mm/dd/yyyy (empty: the day of configuring)")
if(LDW_DRIVER_DATE)
  set(_driver_date ${LDW_DRIVER_DATE})
else()
  string(TIMESTAMP _driver_date "%m/%d/%Y" UTC)
endif()
if(NOT _driver_date MATCHES "^(0[1-9]|1[0-2])/(0[1-9]|[12][0-9]|3[01])/[0-9][0-9][0-9][0-9]$")
  message(FATAL_ERROR "LDW_DRIVER_DATE \"${_driver_date}\" is not a DriverVer date (mm/dd/yyyy)")
endif()
set(LDW_DRIVER_DATE_USED ${_driver_date})

set(LDW_DRIVER_STAGE ${CMAKE_BINARY_DIR}/driver_package)
set(LDW_DRIVER_PACKAGE_FILES)
set(_label_source ${CMAKE_SOURCE_DIR}/skin/driver/label)
set(_label_stage ${LDW_DRIVER_STAGE}/driver/label)
set(_driver_build ${CMAKE_BINARY_DIR}/driver_build)
set(_families Driver32 Driver64)
set(_toolchain_Driver32 ${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw-i686.cmake)
set(_toolchain_Driver64 ${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw-x86_64.cmake)
set(_unidrv_files UNIDRV.DLL UNIDRVUI.DLL UNIRES.DLL STDNAMES.GPD UNIDRV.HLP)
# The files each family's catalogue covers: what the INF copies, and the INF itself.
set(_catalogued LABELCORE.dll LABELUI.dll Ombrevia.inf Ombrevia.gpd Ombrevia.ini)

function(ldw_stage_file source destination)
  add_custom_command(OUTPUT ${destination} COMMAND ${CMAKE_COMMAND} -E copy ${source} ${destination}
                     DEPENDS ${source} VERBATIM)
  set(LDW_DRIVER_PACKAGE_FILES ${LDW_DRIVER_PACKAGE_FILES} ${destination} PARENT_SCOPE)
endfunction()

if(LDW_DRIVER_DISTRIBUTION)
  set(LDW_DRIVER_TEST_BUILD OFF)
  set(_missing)
  foreach(file qmvt.cer Driver32/printer.cat Driver64/printer.cat)
    list(APPEND _needed ${file})
  endforeach()
  foreach(family ${_families})
    foreach(file ${_unidrv_files})
      list(APPEND _needed ${family}/${file})
    endforeach()
  endforeach()
  foreach(file ${_needed})
    if(NOT LDW_DRIVER_VENDOR_DIR OR NOT EXISTS ${LDW_DRIVER_VENDOR_DIR}/${file})
      list(APPEND _missing ${file})
    endif()
  endforeach()
  if(_missing)
    list(JOIN _missing ", " _missing)
    message(FATAL_ERROR "Distribution build: LDW_DRIVER_VENDOR_DIR (\"${LDW_DRIVER_VENDOR_DIR}\") lacks ${_missing}. "
                        "It must hold the genuine Unidrv files, qmvt.cer and each family's printer.cat.")
  endif()
  message(STATUS "Driver package: distribution build with the genuine files of ${LDW_DRIVER_VENDOR_DIR}")
else()
  set(LDW_DRIVER_TEST_BUILD ON)
  message(WARNING "Driver package: TEST build. UNIDRV.DLL, UNIDRVUI.DLL, UNIRES.DLL, STDNAMES.GPD and UNIDRV.HLP "
                  "are TEST STAND-INS, and qmvt.cer and printer.cat are a test certificate and catalogues signed "
                  "with it: never for distribution (see -DLDW_DRIVER_DISTRIBUTION=ON).")
  find_program(LDW_OPENSSL openssl REQUIRED)
  find_program(LDW_OSSLSIGNCODE osslsigncode REQUIRED)
endif()

# A build folder that changes between test and distribution starts from an empty stage, so that no
# stand-in of the earlier build is packed beside the genuine file.
if(DEFINED CACHE{LDW_DRIVER_STAGED_TEST_BUILD} AND NOT LDW_DRIVER_STAGED_TEST_BUILD STREQUAL LDW_DRIVER_TEST_BUILD)
  file(REMOVE_RECURSE ${LDW_DRIVER_STAGE})
endif()
set(LDW_DRIVER_STAGED_TEST_BUILD ${LDW_DRIVER_TEST_BUILD} CACHE INTERNAL "")

# The plug-ins (and stand-ins) of each family, built with its own toolchain into the stage.
foreach(family ${_families})
  set(_dlls ${_label_stage}/${family}/LABELCORE.dll ${_label_stage}/${family}/LABELUI.dll)
  if(LDW_DRIVER_TEST_BUILD)
    list(APPEND _dlls ${_label_stage}/${family}/UNIDRV.dll ${_label_stage}/${family}/UNIDRVUI.dll
         ${_label_stage}/${family}/UNIRES.dll)
  endif()
  ExternalProject_Add(driver_${family}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/driver
    BINARY_DIR ${_driver_build}/${family}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${_toolchain_${family}} -DCMAKE_BUILD_TYPE=Release
               -DCMAKE_INSTALL_PREFIX=${_label_stage}/${family} -DLDW_DRIVER_STANDINS=${LDW_DRIVER_TEST_BUILD}
               -DLDW_DRIVER_VERSION=${LDW_DRIVER_VERSION}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j 2
    BUILD_ALWAYS TRUE
    BUILD_BYPRODUCTS ${_dlls})
  list(APPEND LDW_DRIVER_PACKAGE_FILES ${_dlls})
  foreach(text Ombrevia.gpd Ombrevia.ini)
    ldw_stage_file(${_label_source}/${text} ${_label_stage}/${family}/${text})
  endforeach()
  # The INF is staged with the build's DriverVer filled in; the catalogue is made over this copy.
  set(_inf ${_label_stage}/${family}/Ombrevia.inf)
  add_custom_command(OUTPUT ${_inf}
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${_label_source}/Ombrevia.inf -DOUTPUT=${_inf}
            -DLDW_DRIVER_VERSION=${LDW_DRIVER_VERSION} -DLDW_DRIVER_DATE=${LDW_DRIVER_DATE_USED}
            -P ${CMAKE_SOURCE_DIR}/driver/configure_inf.cmake
    DEPENDS ${_label_source}/Ombrevia.inf ${CMAKE_SOURCE_DIR}/driver/configure_inf.cmake VERBATIM)
  list(APPEND LDW_DRIVER_PACKAGE_FILES ${_inf})
endforeach()

if(LDW_DRIVER_DISTRIBUTION)
  ldw_stage_file(${LDW_DRIVER_VENDOR_DIR}/qmvt.cer ${_label_stage}/qmvt.cer)
  foreach(family ${_families})
    foreach(file ${_unidrv_files} printer.cat)
      ldw_stage_file(${LDW_DRIVER_VENDOR_DIR}/${family}/${file} ${_label_stage}/${family}/${file})
    endforeach()
  endforeach()
  return()
endif()

# Text stand-ins, marked inside.
foreach(family ${_families})
  file(WRITE ${_driver_build}/standins/STDNAMES.GPD
       "*% TEST STAND-IN for STDNAMES.GPD of Windows' Unidrv: not the genuine file, never for distribution.\r\n")
  file(WRITE ${_driver_build}/standins/UNIDRV.HLP
       "TEST STAND-IN for UNIDRV.HLP of Windows' Unidrv: not the genuine file, never for distribution.\r\n")
  foreach(file STDNAMES.GPD UNIDRV.HLP)
    ldw_stage_file(${_driver_build}/standins/${file} ${_label_stage}/${family}/${file})
  endforeach()
endforeach()

# The test certificate, made once per build folder; qmvt.cer is its DER form.
set(_key ${_driver_build}/signing/qmvt.key)
set(_pem ${_driver_build}/signing/qmvt.pem)
add_custom_command(OUTPUT ${_key} ${_pem}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_driver_build}/signing
  COMMAND ${LDW_OPENSSL} req -x509 -newkey rsa:2048 -nodes -sha256 -days 3650 -keyout ${_key} -out ${_pem}
          -subj "/CN=LABEL driver TEST signing - not for distribution"
          -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning"
  COMMENT "Making the TEST signing certificate of the driver package" VERBATIM)
add_custom_command(OUTPUT ${_label_stage}/qmvt.cer
  COMMAND ${LDW_OPENSSL} x509 -in ${_pem} -outform DER -out ${_label_stage}/qmvt.cer
  DEPENDS ${_pem} VERBATIM)
list(APPEND LDW_DRIVER_PACKAGE_FILES ${_label_stage}/qmvt.cer)

# The catalogue writer runs on the build machine, whatever the build targets.
set(_make_catalog ${_driver_build}/catalog_tool/make_catalog)
ExternalProject_Add(driver_catalog_tool
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/driver/catalog
  BINARY_DIR ${_driver_build}/catalog_tool
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
  BUILD_ALWAYS TRUE
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${_make_catalog})

string(TIMESTAMP _catalog_time "%y%m%d%H%M%SZ" UTC)
foreach(family ${_families})
  set(_members)
  foreach(file ${_catalogued})
    list(APPEND _members ${_label_stage}/${family}/${file})
  endforeach()
  set(_unsigned ${_driver_build}/signing/${family}.cat)
  set(_cat ${_label_stage}/${family}/printer.cat)
  add_custom_command(OUTPUT ${_cat}
    COMMAND ${_make_catalog} ${_unsigned} ${_catalog_time} ${_members}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${_cat}
    COMMAND ${LDW_OSSLSIGNCODE} sign -certs ${_pem} -key ${_key} -h sha256 -in ${_unsigned} -out ${_cat}
    DEPENDS ${_members} ${_make_catalog} driver_catalog_tool driver_${family} ${_key} ${_pem}
    COMMENT "Signing the ${family} catalogue with the TEST certificate" VERBATIM)
  list(APPEND LDW_DRIVER_PACKAGE_FILES ${_cat})
endforeach()
