# DSP unit tests, compiled into korvane_unit_tests (and, with the DSP
# sources alone, into korvane_dsp_tests: see DspTestTarget.cmake).
set(KORVANE_DSP_REFERENCE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/reference/ReferenceKorvaneCore.cpp)

set(KORVANE_DSP_CORE_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EffectCoreTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BiquadFilterTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OversamplerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KorvaneCoreTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KorvaneCoreBypassTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReferenceIdentityTest.cpp
    ${KORVANE_DSP_REFERENCE_SOURCES})

set(KORVANE_DSP_TEST_SOURCES
    ${KORVANE_DSP_CORE_TEST_SOURCES}
    ${CMAKE_CURRENT_LIST_DIR}/DisplayTextsTest.cpp)

# The reference evaluation is compared bit for bit with the shipped core:
# it is compiled with the same floating-point options.
set_source_files_properties(${KORVANE_DSP_REFERENCE_SOURCES} PROPERTIES COMPILE_OPTIONS "${KORVANE_DSP_COMPILE_OPTIONS}")
