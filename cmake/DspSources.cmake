# The DSP sources: plain C++ over juce_core, compiled into the plug-in and,
# on their own, into the benchmarks. No fast-math and no floating-point
# contraction, so no compiler or CPU (FMA) changes a single output sample.
set(KORVANE_DSP_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../src/dsp/EffectCore.cpp)

set(KORVANE_DSP_COMPILE_OPTIONS -ffp-contract=off -fno-fast-math)
set_source_files_properties(${KORVANE_DSP_SOURCES} PROPERTIES COMPILE_OPTIONS "${KORVANE_DSP_COMPILE_OPTIONS}")
