#include "skin/GFXKnob.h"

GFXKnob::GFXKnob (const juce::String& controlName)
    : GFXSliderControl (controlName)
{
    setSliderStyle (juce::Slider::RotaryVerticalDrag);
    setRange (0.0, 1.0, 0.0);
    setValue (0.0, juce::dontSendNotification);
}

GFXKnob::~GFXKnob() = default;

int GFXKnob::getCurrentFrameIndex() const
{
    if (! isEnabled())
        return 0;

    const auto range = getMaximum() - getMinimum();
    const auto proportion = range > 0.0 ? (getValue() - getMinimum()) / range : 0.0;
    return frameIndexFor (proportion);
}
