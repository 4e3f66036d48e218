list(APPEND LDW_CORE_SOURCES wizard/navigation.cpp)
