# DSP unit tests, compiled into korvane_unit_tests.
set(KORVANE_DSP_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EffectCoreTest.cpp)
