#pragma once

#include <juce_graphics/juce_graphics.h>

/*  An image of the skin or of the windows, in the editor's own (unscaled)
    pixels, with the same picture at twice the resolution where there is
    one ("Name@2x.png" beside "Name.png").

    Drawn where the screen has more pixels than the editor's units (an
    interface size above 100 %, a HiDPI display), the doubled picture is
    used (resampled with high quality in between), so edges stay sharp;
    without one, the picture is scaled smoothly. Sizes, frames and every
    position are in the unscaled units.
*/
class SkinImage
{
public:
    SkinImage() = default;
    /** A picture without a doubled one. */
    SkinImage (const juce::Image& normal);   // implicit: plain images are skin images too
    /** `doubled` is used only when it is exactly twice the size of `normal`. */
    SkinImage (const juce::Image& normal, const juce::Image& doubled);

    bool isValid() const noexcept                 { return normal.isValid(); }
    int getWidth() const noexcept                 { return normal.getWidth(); }
    int getHeight() const noexcept                { return normal.getHeight(); }
    juce::Rectangle<int> getBounds() const noexcept { return normal.getBounds(); }
    bool hasDoubled() const noexcept              { return doubled.isValid(); }

    const juce::Image& getImage() const noexcept   { return normal; }
    const juce::Image& getDoubled() const noexcept { return doubled; }

    /** The part `area` (in unscaled units) of both pictures. */
    SkinImage getClippedImage (juce::Rectangle<int> area) const;

    /** Draws `source` (unscaled units of this image) into `destination`
        (the component's units), from the doubled picture when the screen has
        more pixels than units. */
    void draw (juce::Graphics& g, juce::Rectangle<int> destination, juce::Rectangle<int> source) const;
    void drawAt (juce::Graphics& g, int x, int y) const;

    /** Finds "Name.png" and "Name@2x.png" among the embedded resources. */
    static SkinImage loadResource (const juce::String& fileName);

    /** The name the doubled picture of a file goes by ("Knob.png" gives
        "Knob@2x.png"). */
    static juce::String doubledName (const juce::String& fileName);

private:
    juce::Image normal, doubled;
};
