# DSP unit tests, compiled into korvane_unit_tests.
set(KORVANE_DSP_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EffectCoreTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BiquadFilterTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OversamplerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KorvaneCoreTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DisplayTextsTest.cpp)
