#pragma once

#include "skin/GFXDisplay.h"

/**
    A display showing its parameter's plain value as a number ("%.9g").

    When the number fills the display and the last visible character would be
    the decimal point, a space is put in front so that a point never ends the
    visible part ("12.5" in three cells shows " 12").
*/
class GFXDisplayFloat : public GFXDisplay
{
public:
    explicit GFXDisplayFloat (const juce::String& controlName = {});
    ~GFXDisplayFloat() override;

    void parameterValueChanged (Parameter* parameter) override;

    /** The text shown for a value in a display of the given number of cells. */
    static juce::String formatValue (float value, int cells);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXDisplayFloat)
};
