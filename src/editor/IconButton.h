#pragma once

#include "skin/SkinImage.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** One of the windows' icon buttons: the icon, and its pressed look while
    held down, drawn sharp at any interface size. The images are also given
    to juce::ImageButton, whose queries still answer. */
class IconButton : public juce::ImageButton
{
public:
    using juce::ImageButton::ImageButton;

    /** Sets both looks and sizes the button to the icon. */
    void setIcons (const SkinImage& normal, const SkinImage& pressed);

    void paintButton (juce::Graphics& g, bool isMouseOver, bool isMouseDown) override;

private:
    SkinImage normalIcon, pressedIcon;
};
