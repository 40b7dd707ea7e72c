# A static library that compiles a set of JUCE modules once and hands their
# headers and settings on to whatever links it (JUCE modules are interface
# targets that would otherwise compile their sources into every consumer).
function(korvane_add_static_juce_library target)
    cmake_parse_arguments(ARG "" "" "MODULES;DEFINITIONS" ${ARGN})
    add_library(${target} STATIC)
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_link_libraries(${target}
        PRIVATE ${ARG_MODULES}
        PUBLIC juce::juce_recommended_config_flags)
    target_compile_definitions(${target} PUBLIC ${ARG_DEFINITIONS})
    target_include_directories(${target} INTERFACE
        $<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>)
    target_compile_definitions(${target} INTERFACE
        $<TARGET_PROPERTY:${target},COMPILE_DEFINITIONS>)
endfunction()
