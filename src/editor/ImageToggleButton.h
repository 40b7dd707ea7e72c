#pragma once

#include "skin/SkinImage.h"
#include <juce_gui_basics/juce_gui_basics.h>

/** A button that shows one image while off and another while on (the radio
    and check-box marks); its size is the images'. */
class ImageToggleButton : public juce::Button
{
public:
    explicit ImageToggleButton (const juce::String& name = {});

    void setImages (const SkinImage& offImage, const SkinImage& onImage);

protected:
    void paintButton (juce::Graphics& g, bool isMouseOver, bool isMouseDown) override;

private:
    SkinImage off, on;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageToggleButton)
};
