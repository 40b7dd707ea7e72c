#include "editor/ImageToggleButton.h"

ImageToggleButton::ImageToggleButton (const juce::String& name)
    : juce::Button (name)
{
}

void ImageToggleButton::setImages (const SkinImage& offImage, const SkinImage& onImage)
{
    off = offImage;
    on = onImage;
    const auto& sizing = off.isValid() ? off : on;

    if (sizing.isValid())
        setSize (sizing.getWidth(), sizing.getHeight());
    else
        setSize (15, 14);

    repaint();
}

void ImageToggleButton::paintButton (juce::Graphics& g, bool, bool)
{
    const auto& image = getToggleState() ? on : off;

    if (! isEnabled())
        g.setOpacity (0.5f);

    if (image.isValid())
    {
        image.drawAt (g, 0, 0);
        return;
    }

    // Without images: a plain box, filled while on.
    g.setColour (juce::Colours::black);
    g.drawRect (getLocalBounds());

    if (getToggleState())
        g.fillRect (getLocalBounds().reduced (3));
}
