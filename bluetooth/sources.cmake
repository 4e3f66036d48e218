# Bluetooth: adapter check, search, pairing, serial port service and COM port lookup.
list(APPEND LDW_CORE_SOURCES bluetooth/bluetooth_text.cpp bluetooth/bluetooth_printers.cpp)
list(APPEND LDW_WIN_SOURCES bluetooth/bluetooth_stack_win.cpp)
list(APPEND LDW_WIN_LIBRARIES bthprops)
