#include "parameters/StringParameter.h"
#include "parameters/BoolParameter.h"

#include <cstdio>

StringParameter::StringParameter (int32_t identifierToUse, const juce::String& nameToUse,
                                  const juce::String& initialText)
    : Parameter (identifierToUse, nameToUse), text (initialText)
{
}

std::unique_ptr<Parameter> StringParameter::clone() const
{
    auto copy = std::make_unique<StringParameter> (getIdentifier(), getName(), getText());
    copy->setAutomatable (isAutomatable());
    return copy;
}

void StringParameter::store (const juce::String& newText, bool notify)
{
    const juce::ScopedWriteLock writeLock (textLock);

    if (newText == text)
        return;

    text = newText;

    if (notify)
        announce();
}

float StringParameter::getValue() const
{
    return getText().getFloatValue();
}

float StringParameter::getNormalisedValue() const
{
    const auto v = getValue();
    return v >= 0.0f ? juce::jmin (v, 1.0f) : 0.0f;
}

int32_t StringParameter::getIntValue() const
{
    return getText().getIntValue();
}

bool StringParameter::getBoolValue() const
{
    const auto current = getText();

    if (const auto word = BoolParameter::readOnOffWord (current))
        return *word;

    return current.getFloatValue() >= 0.5f;
}

juce::String StringParameter::getText() const
{
    const juce::ScopedReadLock readLock (textLock);
    return text;
}

void StringParameter::setValue (float newValue, bool notify)
{
    char buffer[48];
    std::snprintf (buffer, sizeof (buffer), "%.9g", static_cast<double> (newValue));
    store (juce::String (buffer), notify);
}

void StringParameter::setNormalisedValue (float newValue, bool notify)
{
    setValue (newValue, notify);
}

void StringParameter::setIntValue (int32_t newValue, bool notify)
{
    store (juce::String (newValue), notify);
}

void StringParameter::setBoolValue (bool newValue, bool notify)
{
    store (newValue ? "true" : "false", notify);
}

void StringParameter::setText (const juce::String& newText, bool notify)
{
    store (newText, notify);
}

void StringParameter::copyValueFrom (const Parameter& other, bool notify)
{
    setText (other.getText(), notify);
}
