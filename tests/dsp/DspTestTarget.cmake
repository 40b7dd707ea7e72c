# korvane_dsp_tests: the DSP core's tests (the reference comparison among
# them) with only the DSP sources, juce_core and GoogleTest: a small target
# that builds in a fraction of the full suite's time. The same tests also
# run inside korvane_unit_tests.
#   cmake --build <build> --target korvane_dsp_tests && <build>/.../korvane_dsp_tests
if(NOT TARGET korvane_dsp_tests)
    find_package(GTest REQUIRED)
    include(${CMAKE_CURRENT_LIST_DIR}/DspTests.cmake)
    korvane_set_dsp_compile_options()
    set_source_files_properties(${KORVANE_DSP_REFERENCE_SOURCES} PROPERTIES COMPILE_OPTIONS "${KORVANE_DSP_COMPILE_OPTIONS}")

    add_executable(korvane_dsp_tests ${KORVANE_DSP_SOURCES} ${KORVANE_DSP_CORE_TEST_SOURCES})
    target_include_directories(korvane_dsp_tests PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/../../src
        ${CMAKE_CURRENT_LIST_DIR})
    target_compile_definitions(korvane_dsp_tests PRIVATE
        JUCE_WEB_BROWSER=0
        JUCE_USE_CURL=0
        JUCE_STANDALONE_APPLICATION=1
        JUCE_DISPLAY_SPLASH_SCREEN=0
        JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1)
    target_link_libraries(korvane_dsp_tests PRIVATE
        juce::juce_core
        juce::juce_recommended_config_flags
        GTest::gtest
        GTest::gtest_main)
endif()
