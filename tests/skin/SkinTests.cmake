# Skin loader and control tests, compiled into korvane_unit_tests.
set(KORVANE_SKIN_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ControlBaseTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KnobTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AnimationTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DisplayTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinLoaderTest.cpp)
