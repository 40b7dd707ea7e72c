# Skin button tests, compiled into korvane_unit_tests.
set(KORVANE_SKIN_BUTTON_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ButtonsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToggleButtonsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MultiStateRockerRowTest.cpp)
