#pragma once

#include "skin/BaseGFXController.h"

/**
    The knob's sibling for stepped parameters: the same slider handling with
    values on a grid of 0.005 and a selectable style (rotary with vertical
    drag, linear horizontal or linear vertical).
*/
class GFXSwitch : public BaseGFXController,
                  public juce::Slider
{
public:
    enum SwitchStyle
    {
        verticalStyle   = 0,
        horizontalStyle = 1,
        rotaryStyle     = 2
    };

    explicit GFXSwitch (const juce::String& controlName = {});
    ~GFXSwitch() override;

    // Both bases have listeners: the controller's (the editor) and the slider's.
    using BaseGFXController::addListener;
    using BaseGFXController::removeListener;
    using juce::Slider::addListener;
    using juce::Slider::removeListener;

    /** The film-strip reading, placement, then the style attribute
        ("Rotary", "Horizontal" or "Vertical", any case; others keep the style). */
    void loadFromXml (const juce::XmlElement& element,
                      ParameterManager& parameterSet,
                      const EventsMap& eventMap,
                      juce::Component* editor) override;

    void parameterValueChanged (Parameter* parameter) override;

    void setSwitchStyle (int newStyle);
    int getSwitchStyle() const noexcept { return switchStyle; }

    /** The frame the current value selects (0 while disabled). */
    int getCurrentFrameIndex();

    void paint (juce::Graphics& g) override;
    void startedDragging() override;
    void stoppedDragging() override;
    void valueChanged() override;
    void blinkStateChanged() override { repaint(); }

private:
    int switchStyle = rotaryStyle;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXSwitch)
};
