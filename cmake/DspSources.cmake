# The DSP sources: plain C++ over juce_core, compiled into the plug-in and,
# on their own, into the benchmarks and the DSP tests. No fast-math and no
# floating-point contraction, so no compiler or CPU (FMA) changes a single
# output sample. No -march either: the code is baseline x86-64 (SSE2), and
# the few kernels built for AVX2 and AVX-512 carry their own target
# attributes and run only where the CPU reports those units.
set(KORVANE_DSP_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../src/dsp/EffectCore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/dsp/SampleRateConstants.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/dsp/BiquadFilter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/dsp/Oversampler.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/dsp/SimdDispatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../src/dsp/KorvaneCore.cpp)

set(KORVANE_DSP_COMPILE_OPTIONS -ffp-contract=off -fno-fast-math)

# Source properties belong to the directory that sets them: a directory
# that compiles these sources into its own target calls this again.
macro(korvane_set_dsp_compile_options)
    set_source_files_properties(${KORVANE_DSP_SOURCES} PROPERTIES COMPILE_OPTIONS "${KORVANE_DSP_COMPILE_OPTIONS}")
endmacro()

korvane_set_dsp_compile_options()
