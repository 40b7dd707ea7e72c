# The skin document and its images, embedded in the plug-in. Every file is
# found by its file name ("Background.png"), so the names must stay unique.
# The images are drawn by tools/skin-art (see its README.md).

# Every image has a doubled picture beside it (Name@2x.png) for screens with
# more pixels than units; a missing one fails the build rather than leaving
# HiDPI screens with a blurred image.
function(korvane_add_doubled_images list_name)
    set(images ${${list_name}})
    list(FILTER images INCLUDE REGEX "\\.png$")
    list(TRANSFORM images REPLACE "\\.png$" "@2x.png")
    set(${list_name} ${${list_name}} ${images} PARENT_SCOPE)
endfunction()

set(KORVANE_SKIN_RESOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/skin.xml
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/Background.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/Fonts.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/OptionsButton.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/PrevPresetButton.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/NextPresetButton.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/BrowsePresetButton.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/LeftVUMeterAnimation.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/RightVUMeterAnimation.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/OutputVolumeKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/PreampGainKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/LowCutKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/HighCutKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/HighCutOnOffButton.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/TubeBiasKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/ToneKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/BrightnessKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/BassFrequencyKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/MiddleFrequencyKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/TrebleFrequencyKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/PresenceFrequencyKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/BassGainKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/MiddleGainKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/TrebleGainKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/PresenceGainKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/BassBandwidthKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/MiddleBandwidthKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/TrebleBandwidthKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/PresenceBandwidthKnob.png
    ${CMAKE_CURRENT_LIST_DIR}/../src/resources/skin/FXKnob.png)
korvane_add_doubled_images(KORVANE_SKIN_RESOURCES)
