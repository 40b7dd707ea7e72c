#pragma once

#include "skin/BaseGFXController.h"

/**
    The skin's rotary control: a film strip of knob positions driven by
    vertical mouse dragging, linked to one parameter whose normalised value it
    shows and sets.

    It uses JUCE's slider mouse handling: 250 pixels of vertical travel cover
    the whole range (upwards increases), Ctrl or Alt switches to the
    velocity-sensitive fine mode, and each mouse-wheel step moves the value by
    0.15 of the range. Every drag or wheel step is bracketed by the parameter's
    begin and end gestures.
*/
class GFXKnob : public BaseGFXController,
                public juce::Slider
{
public:
    explicit GFXKnob (const juce::String& controlName = {});
    ~GFXKnob() override;

    // Both bases have listeners: the controller's (the editor) and the slider's.
    using BaseGFXController::addListener;
    using BaseGFXController::removeListener;
    using juce::Slider::addListener;
    using juce::Slider::removeListener;

    /** The film-strip reading, then placed at (left, top) and sized to one frame. */
    void loadFromXml (const juce::XmlElement& element,
                      ParameterManager& parameterSet,
                      const EventsMap& eventMap,
                      juce::Component* editor) override;

    /** Shows the parameter's normalised value without writing it back. */
    void parameterValueChanged (Parameter* parameter) override;

    /** The frame the current value selects (0 while disabled). */
    int getCurrentFrameIndex() const;

    void paint (juce::Graphics& g) override;
    void startedDragging() override;
    void stoppedDragging() override;
    void valueChanged() override;
    void blinkStateChanged() override { repaint(); }

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXKnob)
};
