# JUCE looks for the VST 2.4 interface as <pluginterfaces/vst2.x/aeffect(x).h>
# inside an SDK folder. We build that folder in the build tree: its vst2.x
# links to our vst2/ headers, which include Debian's FST with a few corrections.
set(KORVANE_VST2_SDK_DIR "${CMAKE_BINARY_DIR}/vst2sdk")
file(MAKE_DIRECTORY "${KORVANE_VST2_SDK_DIR}/pluginterfaces")
if(NOT EXISTS "${KORVANE_VST2_SDK_DIR}/pluginterfaces/vst2.x")
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/vst2"
                     "${KORVANE_VST2_SDK_DIR}/pluginterfaces/vst2.x" SYMBOLIC)
endif()

find_path(KORVANE_FST_INCLUDE_DIR pluginterfaces/fst/fst.h REQUIRED)
juce_set_vst2_sdk_path("${KORVANE_VST2_SDK_DIR}")
