#pragma once

#include "skin/GUIController.h"
#include "skin/SkinImage.h"

/**
    A controller drawn from a film strip: one image holding all frames of equal
    height stacked vertically.

    The frame width is the image width and the frame height the image height
    divided by the frame count (integer division; rows left over are unused).
    Without an image the control takes its size from the skin's size element
    and paints a fallback look of its own.

    A value in 0 … 1 selects frame floor ((frameCount - 1) * value + 0.5),
    rounding half up, so 0 is the first frame and 1 the last.
*/
class BaseGFXController : public GUIController
{
public:
    BaseGFXController();
    ~BaseGFXController() override;

    /** The links and actions, then the gfx child (framesNum and resource), then
        the size child when no image was loaded, then the pos child. */
    void loadFromXml (const juce::XmlElement& element,
                      ParameterManager& parameterSet,
                      const EventsMap& eventMap,
                      juce::Component* editor) override;

    /** Called when the frame size changed; controls that follow it apply
        frameWidth x frameHeight to their component. The base does nothing. */
    virtual void sizeChanged() {}
    /** Called when the position changed; controls that follow it move their
        component to (left, top). The base does nothing. */
    virtual void positionChanged() {}

    //==============================================================================
    /** The frame a value selects: the value is clamped to 0 … 1, then
        floor ((frameCount - 1) * value + 0.5). Always within 0 … frameCount - 1. */
    static int frameIndexFor (double value, int frameCount);
    int frameIndexFor (double value) const  { return frameIndexFor (value, frameCount); }

    /** Draws frame index of the film strip at the origin, in the editor's
        units (sharp at any interface size when the strip has a doubled
        picture). Nothing without a film strip; the index is clamped to the
        frames there are. */
    void drawFrame (juce::Graphics& g, int index) const;

    /** Uses the image as film strip of frameCount frames (below 1 counts as 1)
        and sets the frame size from it; an invalid image clears the film strip.
        Calls sizeChanged() when the frame size changed. */
    void setFilmStrip (const SkinImage& image, int newFrameCount);

    bool hasFilmStrip() const noexcept              { return filmStrip.isValid(); }
    const SkinImage& getFilmStrip() const noexcept  { return filmStrip; }
    int getFrameCount() const noexcept              { return frameCount; }
    int getFrameWidth() const noexcept              { return frameWidth; }
    int getFrameHeight() const noexcept             { return frameHeight; }
    /** Position read from the skin, relative to the parent. */
    int getSkinLeft() const noexcept                { return left; }
    int getSkinTop() const noexcept                 { return top; }

    /** Sets the frame size (calling sizeChanged() when it changed). */
    void setFrameSize (int width, int height);
    /** Sets the position (calling positionChanged() when it changed). */
    void setSkinPosition (int newLeft, int newTop);

protected:
    /** The film-strip reading on its own: frameCount := 1; with a gfx child,
        frameCount := framesNum (default 1) and the image named by resource
        is loaded. True when an image was obtained. */
    bool readFilmStrip (const juce::XmlElement& element);

    /** Loads the embedded image as film strip of the given frame count. True
        when an image was obtained; otherwise the film strip stays empty. */
    bool loadFilmStrip (const juce::String& resourceFileName, int newFrameCount);

    /** Frame size from the size child (width, height; default 0 each). */
    void readSize (const juce::XmlElement& element);
    /** Position from the pos child (left, top; default 0 each). */
    void readPosition (const juce::XmlElement& element);

    /** Places the combined component at (left, top), sized to one frame. */
    void applyBoundsToComponent();

    SkinImage filmStrip;
    int frameCount = 1;
    int frameWidth = 0;
    int frameHeight = 0;
    int left = 0;
    int top = 0;
};
