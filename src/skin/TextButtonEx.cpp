#include "skin/TextButtonEx.h"

TextButtonEx::TextButtonEx (const juce::String& caption, int lookIndexToUse)
    : GFXButton (caption), lookIndex (lookIndexToUse)
{
    updateLook();
}

TextButtonEx::~TextButtonEx() = default;

void TextButtonEx::lookAndFeelChanged()
{
    GFXButton::lookAndFeelChanged();
    updateLook();
}

void TextButtonEx::parentHierarchyChanged()
{
    GFXButton::parentHierarchyChanged();
    updateLook();
}

void TextButtonEx::setLookIndex (int newLookIndex)
{
    if (newLookIndex != lookIndex)
    {
        lookIndex = newLookIndex;
        updateLook();
    }
}

void TextButtonEx::setText (const juce::String& newText)
{
    setButtonText (newText);
    updateLook();
}

void TextButtonEx::updateLook()
{
    if (auto* methods = dynamic_cast<LookAndFeelMethods*> (&getLookAndFeel()))
    {
        font = methods->getTextButtonExFont (*this);
        images = methods->getTextButtonExImages (*this, lookIndex);
    }
    else
    {
        font = juce::Font (defaultFontHeight);
        images = {};
    }

    leftCapWidth  = images.upLeft.isValid()  ? images.upLeft.getWidth()  : defaultCapWidth;
    rightCapWidth = images.upRight.isValid() ? images.upRight.getWidth() : defaultCapWidth;
    height        = images.upMiddle.isValid() ? images.upMiddle.getHeight() : defaultHeight;
    textWidth     = (int) std::ceil (font.getStringWidthFloat (getButtonText()));

    setSize (leftCapWidth + textWidth + rightCapWidth, height);
    repaint();
}

void TextButtonEx::paintButton (juce::Graphics& g, bool isMouseOver, bool isMouseDown)
{
    if (! hasImages())
    {
        paintFallback (g, isMouseOver, isMouseDown);
        return;
    }

    const float opacity = isEnabled() ? 1.0f : 0.5f;
    const auto& leftCap  = isMouseDown ? images.downLeft   : images.upLeft;
    const auto& middle   = isMouseDown ? images.downMiddle : images.upMiddle;
    const auto& rightCap = isMouseDown ? images.downRight  : images.upRight;
    const juce::Rectangle<int> middleArea (leftCapWidth, 0, textWidth, getHeight());

    g.setOpacity (opacity);

    leftCap.drawAt (g, 0, 0);
    middle.draw (g, middleArea, middle.getBounds());
    rightCap.drawAt (g, leftCapWidth + textWidth, 0);

    g.setColour (juce::Colours::black.withMultipliedAlpha (opacity));
    g.setFont (font);
    g.drawText (getButtonText(), middleArea, juce::Justification::centred, false);

    if (images.overlay.isValid())
    {
        g.setOpacity (opacity);
        images.overlay.draw (g, middleArea, images.overlay.getBounds());
    }
}
