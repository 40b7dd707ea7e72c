#include "parameters/FloatParameter.h"

#include <cmath>

FloatParameter::FloatParameter (int32_t identifierToUse, const juce::String& nameToUse,
                                float minimumValue, float maximumValue, float initialValue)
    : Parameter (identifierToUse, nameToUse),
      minimum (minimumValue),
      maximum (maximumValue),
      value (limit (initialValue))
{
}

std::unique_ptr<Parameter> FloatParameter::clone() const
{
    auto copy = std::make_unique<FloatParameter> (getIdentifier(), getName(), minimum, maximum, getValue());
    copy->setAutomatable (isAutomatable());
    return copy;
}

float FloatParameter::limit (float v) const noexcept
{
    if (! (v >= minimum))
        return minimum;

    return v > maximum ? maximum : v;
}

void FloatParameter::store (float v, bool notify)
{
    const auto current = value.load();

    // Equal values, and any comparison involving NaN, count as unchanged.
    if (! (v < current) && ! (v > current))
        return;

    value.exchange (v);

    if (notify)
        announce();
}

float FloatParameter::getValue() const
{
    return value.load();
}

float FloatParameter::getNormalisedValue() const
{
    return (value.load() - minimum) / (maximum - minimum);
}

int32_t FloatParameter::getIntValue() const
{
    // Truncated toward zero. A range wider than 32-bit integers (from the
    // definitions) would make the conversion undefined: such values are
    // limited to that range first, and NaN reads as 0.
    const auto v = std::trunc (static_cast<double> (value.load()));

    if (std::isnan (v))
        return 0;

    return static_cast<int32_t> (juce::jlimit (-2147483648.0, 2147483647.0, v));
}

bool FloatParameter::getBoolValue() const
{
    // The upper half of the range, midpoint included.
    const auto v = value.load();
    return v - minimum >= maximum - v;
}

juce::String FloatParameter::getText() const
{
    return juce::String (value.load(), 9);
}

void FloatParameter::setValue (float newValue, bool notify)
{
    store (limit (newValue), notify);
}

void FloatParameter::setNormalisedValue (float newValue, bool notify)
{
    const auto x = newValue >= 0.0f ? juce::jmin (newValue, 1.0f) : 0.0f;
    store ((maximum - minimum) * x + minimum, notify);
}

void FloatParameter::setIntValue (int32_t newValue, bool notify)
{
    store (limit (static_cast<float> (newValue)), notify);
}

void FloatParameter::setBoolValue (bool newValue, bool notify)
{
    store (newValue ? maximum : minimum, notify);
}

void FloatParameter::setText (const juce::String& newText, bool notify)
{
    store (limit (newText.getFloatValue()), notify);
}

void FloatParameter::copyValueFrom (const Parameter& other, bool notify)
{
    setValue (other.getValue(), notify);
}
