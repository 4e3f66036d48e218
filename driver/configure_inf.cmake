# Stages the INF with the build's DriverVer (@LDW_DRIVER_DATE@, @LDW_DRIVER_VERSION@) filled in.
# Run as: cmake -DSOURCE=... -DOUTPUT=... -DLDW_DRIVER_VERSION=... -DLDW_DRIVER_DATE=... -P configure_inf.cmake
configure_file(${SOURCE} ${OUTPUT} @ONLY NEWLINE_STYLE CRLF)
