list(APPEND LDW_CORE_SOURCES removal/removal_lists.cpp removal/removal_pages.cpp removal/removal_worker.cpp)
