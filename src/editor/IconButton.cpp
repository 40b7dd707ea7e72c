#include "editor/IconButton.h"

void IconButton::setIcons (const SkinImage& normal, const SkinImage& pressed)
{
    normalIcon = normal;
    pressedIcon = pressed;

    setImages (false, false, true,
               normal.getImage(), 1.0f, juce::Colours::transparentBlack,
               normal.getImage(), 1.0f, juce::Colours::transparentBlack,
               pressed.getImage(), 1.0f, juce::Colours::transparentBlack);

    if (normal.isValid())
        setSize (normal.getWidth(), normal.getHeight());
}

void IconButton::paintButton (juce::Graphics& g, bool isMouseOver, bool isMouseDown)
{
    const auto& icon = isMouseDown && pressedIcon.isValid() ? pressedIcon : normalIcon;

    if (! icon.isValid())
    {
        juce::ImageButton::paintButton (g, isMouseOver, isMouseDown);
        return;
    }

    if (! isEnabled())
        g.setOpacity (0.5f);

    icon.draw (g, getLocalBounds(), icon.getBounds());
}
