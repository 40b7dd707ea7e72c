#pragma once

#include "skin/GFXSliderControl.h"

/**
    The skin's rotary control: a film strip of knob positions driven by
    vertical mouse dragging, linked to one parameter whose normalised value it
    shows and sets (see GFXSliderControl for the feel).
*/
class GFXKnob : public GFXSliderControl
{
public:
    explicit GFXKnob (const juce::String& controlName = {});
    ~GFXKnob() override;

    /** The frame the current value selects (0 while disabled). */
    int getCurrentFrameIndex() const;

protected:
    int frameToPaint() override                   { return getCurrentFrameIndex(); }
    juce::String fallbackValueText() override     { return juce::String::formatted ("%f", getValue()); }

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXKnob)
};
