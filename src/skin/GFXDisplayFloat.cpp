#include "skin/GFXDisplayFloat.h"

GFXDisplayFloat::GFXDisplayFloat (const juce::String& controlName)
    : GFXDisplay (controlName)
{
}

GFXDisplayFloat::~GFXDisplayFloat() = default;

juce::String GFXDisplayFloat::formatValue (float value, int cells)
{
    auto text = juce::String::formatted ("%.9g", (double) value);

    if (cells >= 1 && text.length() >= cells && text[cells - 1] == '.')
        text = " " + text;

    return text;
}

void GFXDisplayFloat::parameterValueChanged (Parameter* parameter)
{
    if (parameter != nullptr)
        setText (formatValue (parameter->getValue(), getNumCells()));
}
