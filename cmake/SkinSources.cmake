# The skin loader and the skin controls (GUI classes, compiled into the
# plug-in's shared code).
set(KORVANE_SKIN_SOURCES
    src/skin/BlinkingComponent.cpp
    src/skin/GUIController.cpp
    src/skin/BaseGFXController.cpp
    src/skin/GFXKnob.cpp
    src/skin/GFXSliderControl.cpp
    src/skin/GFXSwitch.cpp
    src/skin/GFXAnimation.cpp
    src/skin/GFXDisplay.cpp
    src/skin/GFXDisplayFloat.cpp
    src/skin/GFXPanel.cpp
    src/skin/SkinImage.cpp
    src/skin/SkinLoader.cpp)
