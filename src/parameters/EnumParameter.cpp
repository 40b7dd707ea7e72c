#include "parameters/EnumParameter.h"

EnumParameter::EnumParameter (int32_t identifierToUse, const juce::String& nameToUse,
                              const juce::String& itemsTextToUse, const juce::String& valueText)
    : IntParameter (identifierToUse, nameToUse, 0, splitItems (itemsTextToUse).size() - 1, 0),
      items (splitItems (itemsTextToUse)),
      itemsText (itemsTextToUse)
{
    EnumParameter::setText (valueText, false);
}

juce::StringArray EnumParameter::splitItems (const juce::String& text)
{
    juce::StringArray result;
    int start = 0;

    while (start < text.length())
    {
        const auto separator = text.indexOfChar (start, ';');

        if (separator < 0)
        {
            result.add (text.substring (start));
            break;
        }

        result.add (text.substring (start, separator));
        start = separator + 1;
    }

    return result;
}

std::unique_ptr<Parameter> EnumParameter::clone() const
{
    auto copy = std::make_unique<EnumParameter> (getIdentifier(), getName(), itemsText, juce::String());
    copy->setIntValue (getIntValue(), false);
    copy->setAutomatable (isAutomatable());
    return copy;
}

juce::String EnumParameter::getText() const
{
    const auto index = getIntValue();
    return juce::isPositiveAndBelow (index, items.size()) ? items[index] : juce::String();
}

void EnumParameter::setText (const juce::String& newText, bool notify)
{
    const auto index = items.indexOf (newText, false);

    if (index >= 0)
        setIntValue (index, notify);
    else
        setNormalisedValue (newText.getFloatValue(), notify);
}
