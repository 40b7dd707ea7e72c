#pragma once

#include "skin/GFXSliderControl.h"

/**
    The knob's sibling for stepped parameters: the same slider handling with
    values on a grid of 0.005 and a selectable style (rotary with vertical
    drag, linear horizontal or linear vertical).
*/
class GFXSwitch : public GFXSliderControl
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

    /** The film-strip reading, placement, then the style attribute
        ("Rotary", "Horizontal" or "Vertical", any case; others keep the style). */
    void loadFromXml (const juce::XmlElement& element,
                      ParameterManager& parameterSet,
                      const EventsMap& eventMap,
                      juce::Component* editor) override;

    void setSwitchStyle (int newStyle);
    int getSwitchStyle() const noexcept { return switchStyle; }

    /** The frame the current value selects (0 while disabled). */
    int getCurrentFrameIndex();

protected:
    int frameToPaint() override                   { return getCurrentFrameIndex(); }
    juce::String fallbackValueText() override     { return juce::String::formatted ("%.9g", getValue()); }

private:
    int switchStyle = rotaryStyle;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXSwitch)
};
