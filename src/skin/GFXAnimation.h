#pragma once

#include "skin/BaseGFXController.h"

/**
    Shows one frame of a film strip chosen by a value in 0 … 1: the VU meters
    (fed by the editor's timer) and the MIDI activity light.

    A pulse shows a frame for a while and then returns to the rest frame by
    itself, whether or not another value arrives.
*/
class GFXAnimation : public BaseGFXController,
                     public juce::Component,
                     private juce::Timer
{
public:
    explicit GFXAnimation (const juce::String& controlName = {});
    ~GFXAnimation() override;

    /** The film-strip reading (which sizes and places the component through
        sizeChanged() and positionChanged()); the current frame returns to 0. */
    void loadFromXml (const juce::XmlElement& element,
                      ParameterManager& parameterSet,
                      const EventsMap& eventMap,
                      juce::Component* editor) override;

    /** Clamps to 0 … 1 and shows the frame the value selects; repaints when
        the frame changed. */
    void setValue (float value);

    /** setValue with the parameter's normalised value. */
    void parameterValueChanged (Parameter* parameter) override;

    /** Shows the frame directly; painting clamps it to the frames there are. */
    void setCurrentFrame (int frame);
    int getCurrentFrame() const noexcept        { return currentFrame; }

    /** The frame a pulse returns to (0 unless set). */
    void setRestFrame (int frame)               { restFrame = frame; }
    int getRestFrame() const noexcept           { return restFrame; }

    /** Shows the frame now and returns to the rest frame after durationMs. */
    void pulse (int frame, int durationMs);
    bool isPulsing() const                      { return isTimerRunning(); }

    void sizeChanged() override;
    void positionChanged() override;

    void paint (juce::Graphics& g) override;
    void blinkStateChanged() override           { repaint(); }

private:
    void timerCallback() override;

    int currentFrame = 0;
    int restFrame = 0;
    double pulseEndMs = 0.0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXAnimation)
};
