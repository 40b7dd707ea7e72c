#include "parameters/BoolParameter.h"

BoolParameter::BoolParameter (int32_t identifierToUse, const juce::String& nameToUse,
                              int32_t textStyleToUse, bool initialValue)
    : Parameter (identifierToUse, nameToUse),
      textStyle (textStyleToUse),
      value (initialValue ? 1 : 0)
{
}

std::unique_ptr<Parameter> BoolParameter::clone() const
{
    auto copy = std::make_unique<BoolParameter> (getIdentifier(), getName(), textStyle, getBoolValue());
    copy->setAutomatable (isAutomatable());
    return copy;
}

void BoolParameter::store (int32_t v, bool notify)
{
    if (v == value.load())
        return;

    value.exchange (v);

    if (notify)
        announce();
}

float BoolParameter::getValue() const
{
    return value.load() != 0 ? 1.0f : 0.0f;
}

float BoolParameter::getNormalisedValue() const
{
    return getValue();
}

int32_t BoolParameter::getIntValue() const
{
    return value.load() != 0 ? 1 : 0;
}

bool BoolParameter::getBoolValue() const
{
    return value.load() != 0;
}

juce::String BoolParameter::getText() const
{
    const auto on = getBoolValue();

    switch (textStyle)
    {
        case onOffStyle:    return on ? "on"  : "off";
        case oneZeroStyle:  return on ? "1"   : "0";
        case yesNoStyle:    return on ? "yes" : "no";
        default:            return on ? "true" : "false";
    }
}

void BoolParameter::setValue (float newValue, bool notify)
{
    // NaN is neither below nor above 0, so it clears.
    store (newValue < 0.0f || newValue > 0.0f ? 1 : 0, notify);
}

void BoolParameter::setNormalisedValue (float newValue, bool notify)
{
    store (newValue >= 0.5f ? 1 : 0, notify);
}

void BoolParameter::setIntValue (int32_t newValue, bool notify)
{
    store (newValue != 0 ? 1 : 0, notify);
}

void BoolParameter::setBoolValue (bool newValue, bool notify)
{
    store (newValue ? 1 : 0, notify);
}

std::optional<bool> BoolParameter::readOnOffWord (const juce::String& text)
{
    for (auto* word : { "true", "1", "on", "yes" })
        if (text == word)
            return true;

    for (auto* word : { "false", "0", "off", "no" })
        if (text == word)
            return false;

    return std::nullopt;
}

void BoolParameter::setText (const juce::String& newText, bool notify)
{
    if (const auto word = readOnOffWord (newText))
        setBoolValue (*word, notify);
    else
        setNormalisedValue (newText.getFloatValue(), notify);
}

void BoolParameter::copyValueFrom (const Parameter& other, bool notify)
{
    setBoolValue (other.getBoolValue(), notify);
}
