#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "parameters/Parameter.h"

#include <functional>

/*  The look of a knob or switch that has no film strip (a skin without images,
    or the editor's default layout): a light grey frame, JUCE's own slider
    drawing, the value at the top and the parameter's name at the bottom.
*/
namespace SliderControlLook
{
    /** valueText is shown when there is no linked parameter; with one, its
        display text is shown instead. paintSlider draws the slider itself. */
    inline void paintFallback (juce::Graphics& g, const juce::Component& component,
                               const Parameter* linkedParameter, const juce::String& valueText,
                               const std::function<void (juce::Graphics&)>& paintSlider)
    {
        g.setFont (13.0f);

        const auto shownValue = linkedParameter != nullptr ? linkedParameter->getText() : valueText;
        const auto name = linkedParameter != nullptr ? linkedParameter->getName() : juce::String();
        const auto bounds = component.getLocalBounds();

        g.setColour (juce::Colour::greyLevel (0.7f));
        g.drawRect (bounds, 1);

        paintSlider (g);

        g.setFont (13.0f);
        g.setColour (juce::Colours::black);
        g.drawFittedText (shownValue, bounds, juce::Justification::centredTop, 2, 0.7f);
        g.drawFittedText (name, bounds, juce::Justification::centredBottom, 2, 0.7f);
    }
}
