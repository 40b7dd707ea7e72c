# The plug-in formats JUCE 7 does not serve as Linux hosts want them, with
# clients of our own on the same processor (the shared code of `Korvane`).

# What every client of our own shares: the processor behind a C interface,
# JUCE's message loop inside a host, the editor in a host's window, the
# parameters in their units.
add_library(korvane_format_support STATIC
    src/formats/EmbeddedEditor.cpp
    src/formats/MessageLoop.cpp
    src/formats/ParameterUnits.cpp
    src/formats/ProcessorAdapter.cpp)
set_target_properties(korvane_format_support PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(korvane_format_support PUBLIC
    $<TARGET_PROPERTY:Korvane,INCLUDE_DIRECTORIES>)
target_compile_definitions(korvane_format_support PUBLIC
    $<TARGET_PROPERTY:Korvane,COMPILE_DEFINITIONS>)
target_link_libraries(korvane_format_support PUBLIC Korvane)

#==============================================================================
# LV2: the library with the plug-in and its UI, in a bundle beside the other
# formats' artefacts, and the bundle's Turtle files written from the product.

# Beside JUCE's artefacts (Korvane_artefacts/<configuration>/VST, VST3, ...).
set(KORVANE_ARTEFACTS "${CMAKE_BINARY_DIR}/Korvane_artefacts/${CMAKE_BUILD_TYPE}")
set(KORVANE_LV2_BUNDLE "${KORVANE_ARTEFACTS}/LV2/Korvane.lv2")

add_library(Korvane_LV2 MODULE
    src/formats/lv2/Lv2Entry.cpp
    src/formats/lv2/Lv2Instance.cpp
    src/formats/lv2/Lv2Ui.cpp)
target_link_libraries(Korvane_LV2 PRIVATE korvane_format_support)
set_target_properties(Korvane_LV2 PROPERTIES
    OUTPUT_NAME Korvane
    LIBRARY_OUTPUT_DIRECTORY "${KORVANE_LV2_BUNDLE}"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
# Only the two descriptors are the library's interface.
target_link_options(Korvane_LV2 PRIVATE "LINKER:--no-undefined")

add_executable(korvane-lv2-turtle tools/lv2-turtle/Main.cpp src/formats/lv2/Lv2Turtle.cpp)
target_link_libraries(korvane-lv2-turtle PRIVATE korvane_format_support)

# The Turtle files follow the library and the generator; hosts and tests
# need both (Korvane_LV2_bundle).
add_custom_command(
    OUTPUT "${KORVANE_LV2_BUNDLE}/manifest.ttl" "${KORVANE_LV2_BUNDLE}/Korvane.ttl" "${KORVANE_LV2_BUNDLE}/presets.ttl"
    COMMAND korvane-lv2-turtle "${KORVANE_LV2_BUNDLE}" "$<TARGET_FILE_NAME:Korvane_LV2>"
    DEPENDS korvane-lv2-turtle Korvane_LV2
    COMMENT "Writing the LV2 bundle's Turtle files"
    VERBATIM)
add_custom_target(Korvane_LV2_bundle ALL
    DEPENDS "${KORVANE_LV2_BUNDLE}/manifest.ttl" "${KORVANE_LV2_BUNDLE}/Korvane.ttl" "${KORVANE_LV2_BUNDLE}/presets.ttl")

#==============================================================================
# CLAP: one library, Korvane.clap, on the CLAP 1.1 headers Debian ships with
# the DISTRHO Plugin Framework (dpf-source).

find_path(KORVANE_CLAP_INCLUDE_DIR clap/entry.h PATHS /usr/share/dpf/distrho/src NO_DEFAULT_PATH REQUIRED)
set(KORVANE_CLAP_FILE "${KORVANE_ARTEFACTS}/CLAP/Korvane.clap")

add_library(Korvane_CLAP MODULE
    src/formats/clap/ClapEntry.cpp
    src/formats/clap/ClapPlugin.cpp)
target_include_directories(Korvane_CLAP PRIVATE "${KORVANE_CLAP_INCLUDE_DIR}")
target_link_libraries(Korvane_CLAP PRIVATE korvane_format_support)
get_filename_component(KORVANE_CLAP_DIR "${KORVANE_CLAP_FILE}" DIRECTORY)
set_target_properties(Korvane_CLAP PROPERTIES
    OUTPUT_NAME Korvane
    PREFIX ""
    SUFFIX ".clap"
    LIBRARY_OUTPUT_DIRECTORY "${KORVANE_CLAP_DIR}"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
target_link_options(Korvane_CLAP PRIVATE "LINKER:--no-undefined")
