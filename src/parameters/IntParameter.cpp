#include "parameters/IntParameter.h"

#include <cmath>

IntParameter::IntParameter (int32_t identifierToUse, const juce::String& nameToUse,
                            int32_t minimumValue, int32_t maximumValue, int32_t initialValue)
    : Parameter (identifierToUse, nameToUse),
      minimum (minimumValue),
      maximum (maximumValue),
      value (limit (initialValue))
{
}

std::unique_ptr<Parameter> IntParameter::clone() const
{
    auto copy = std::make_unique<IntParameter> (getIdentifier(), getName(), minimum, maximum, getIntValue());
    copy->setAutomatable (isAutomatable());
    return copy;
}

int32_t IntParameter::limit (int32_t v) const noexcept
{
    if (v < minimum)
        return minimum;

    return v > maximum ? maximum : v;
}

void IntParameter::store (int32_t v, bool notify)
{
    if (v == value.load())
        return;

    value.exchange (v);

    if (notify)
        announce();
}

float IntParameter::getValue() const
{
    return static_cast<float> (value.load());
}

float IntParameter::getNormalisedValue() const
{
    // Differences in 64 bits so that wide ranges cannot overflow; the division is single precision.
    const auto offset = static_cast<float> (static_cast<int64_t> (value.load()) - minimum);
    const auto span = static_cast<float> (static_cast<int64_t> (maximum) - minimum);
    return offset / span;
}

int32_t IntParameter::getIntValue() const
{
    return value.load();
}

bool IntParameter::getBoolValue() const
{
    return value.load() != minimum;
}

juce::String IntParameter::getText() const
{
    return juce::String (value.load());
}

void IntParameter::setValue (float newValue, bool notify)
{
    // Truncating toward zero and then limiting to integer bounds is the same as
    // limiting first; doing it in this order keeps NaN and huge values away from
    // the float-to-int conversion.
    const auto x = static_cast<double> (newValue);

    if (! (x >= minimum))
        store (minimum, notify);
    else if (x > maximum)
        store (maximum, notify);
    else
        store (static_cast<int32_t> (std::trunc (x)), notify);
}

void IntParameter::setNormalisedValue (float newValue, bool notify)
{
    const auto x = newValue >= 0.0f ? juce::jmin (newValue, 1.0f) : 0.0f;
    const auto span = static_cast<float> (static_cast<int64_t> (maximum) - minimum);
    const auto steps = static_cast<int64_t> (std::floor (span * x + 0.5f));
    const auto v = juce::jlimit<int64_t> (minimum, juce::jmax<int64_t> (minimum, maximum), minimum + steps);
    store (static_cast<int32_t> (v), notify);
}

void IntParameter::setIntValue (int32_t newValue, bool notify)
{
    store (limit (newValue), notify);
}

void IntParameter::setBoolValue (bool newValue, bool notify)
{
    store (newValue ? maximum : minimum, notify);
}

void IntParameter::setText (const juce::String& newText, bool notify)
{
    store (limit (newText.getIntValue()), notify);
}

void IntParameter::copyValueFrom (const Parameter& other, bool notify)
{
    setIntValue (other.getIntValue(), notify);
}
