#pragma once

#include "skin/BaseGFXController.h"

/**
    What the skin's knob and switch share: a JUCE slider over a film strip,
    linked to one parameter. 250 pixels of vertical travel cover the range,
    Ctrl or Alt switch to the fine mode, the wheel moves 0.15 of the range,
    and every drag is bracketed by the parameter's begin and end gestures.
*/
class GFXSliderControl : public BaseGFXController,
                         public juce::Slider
{
public:
    explicit GFXSliderControl (const juce::String& controlName);
    ~GFXSliderControl() override;

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

    void paint (juce::Graphics& g) override;
    /** One step of a notched wheel moves 0.15 of the range (at least one
        interval), whatever delta the platform reports for a notch. */
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
    void startedDragging() override;
    void stoppedDragging() override;
    void valueChanged() override;
    void blinkStateChanged() override { repaint(); }

protected:
    /** The film-strip frame to paint now. */
    virtual int frameToPaint() = 0;
    /** The value as the look without an image writes it. */
    virtual juce::String fallbackValueText() = 0;

    JUCE_DECLARE_NON_COPYABLE (GFXSliderControl)
};
