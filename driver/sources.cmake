# The driver's plug-ins: the portable conversion from a page's raster to label commands (also built
# into the host tests) and the COM shells that Unidrv loads.
set(LDW_DRIVER_CORE_SOURCES driver/tspl_label.cpp driver/label_job.cpp)
set(LDW_DRIVER_RENDER_SOURCES driver/labelcore_win.cpp)
set(LDW_DRIVER_UI_SOURCES driver/labelui_win.cpp)
