#pragma once

#include "skin/SkinImage.h"
#include "skin/GFXButton.h"

/**
    The text button of the framework's windows: a caption between two caps,
    drawn from images the look-and-feel supplies for the button's look index.

    Its width is always left cap width + text width + right cap width and its
    height the image height; without images the caps count 10 pixels each,
    the height 20, and the button paints like a GFXButton. The owner listens
    with juce::Button::Listener, as to any button; the skin does not create it.
*/
class TextButtonEx : public GFXButton
{
public:
    /** The seven images of a look: the up caps and middle, the same three
        pressed, and an overlay stretched over the middle. */
    struct Images
    {
        SkinImage upLeft, upMiddle, upRight;
        SkinImage downLeft, downMiddle, downRight;
        SkinImage overlay;
    };

    /** What a look-and-feel implements to give these buttons their look; one
        that does not leaves them with the 14-pixel font and no images. */
    struct LookAndFeelMethods
    {
        virtual ~LookAndFeelMethods() = default;

        virtual juce::Font getTextButtonExFont (TextButtonEx& button) = 0;
        virtual Images getTextButtonExImages (TextButtonEx& button, int lookIndex) = 0;
    };

    static constexpr int defaultCapWidth = 10;
    static constexpr int defaultHeight = 20;
    static constexpr float defaultFontHeight = 14.0f;

    TextButtonEx (const juce::String& caption, int lookIndex = 0);
    ~TextButtonEx() override;

    /** Takes the font and the images from the look-and-feel again and resizes. */
    void updateLook();

    /** Changes the caption and resizes to it. */
    void setText (const juce::String& newText);

    int getLookIndex() const noexcept          { return lookIndex; }
    void setLookIndex (int newLookIndex);

    const juce::Font& getFont() const noexcept { return font; }
    const Images& getImages() const noexcept   { return images; }
    bool hasImages() const noexcept            { return images.upMiddle.isValid(); }
    int getTextWidth() const noexcept          { return textWidth; }
    int getLeftCapWidth() const noexcept       { return leftCapWidth; }
    int getRightCapWidth() const noexcept      { return rightCapWidth; }

    void lookAndFeelChanged() override;
    /** A new parent may bring another look-and-feel. */
    void parentHierarchyChanged() override;

protected:
    void paintButton (juce::Graphics& g, bool isMouseOver, bool isMouseDown) override;

private:
    Images images;
    int textWidth = 0;
    int leftCapWidth = defaultCapWidth;
    int rightCapWidth = defaultCapWidth;
    int height = defaultHeight;
    juce::Font font { defaultFontHeight };
    int lookIndex = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TextButtonEx)
};
