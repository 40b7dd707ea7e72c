#include "plugin/HostParameter.h"

#include "plugin/BasePlugin.h"

HostParameter::HostParameter (BasePlugin& ownerToUse, int index, const juce::String& identifier, float defaultValueToUse)
    : juce::AudioProcessorParameterWithID (juce::ParameterID (identifier, 1), ownerToUse.getHostParameterName (index)),
      owner (ownerToUse), hostIndex (index), defaultValue (defaultValueToUse)
{
}

juce::String HostParameter::identifierForName (const juce::String& name)
{
    juce::String identifier;
    bool startOfWord = false;

    for (auto character : name)
    {
        if (! juce::CharacterFunctions::isLetterOrDigit (character) || character > 127)
        {
            startOfWord = identifier.isNotEmpty();
            continue;
        }

        if (identifier.isEmpty())
        {
            if (juce::CharacterFunctions::isDigit (character))
                identifier << "p";

            identifier << juce::CharacterFunctions::toLowerCase (character);
        }
        else
        {
            identifier << (startOfWord ? juce::CharacterFunctions::toUpperCase (character) : character);
        }

        startOfWord = false;
    }

    return identifier.isEmpty() ? juce::String ("parameter") : identifier;
}

float HostParameter::getValue() const
{
    return owner.getHostParameter (hostIndex);
}

void HostParameter::setValue (float newValue)
{
    owner.setHostParameter (hostIndex, newValue);
}

juce::String HostParameter::getName (int maximumStringLength) const
{
    return owner.getHostParameterName (hostIndex).substring (0, maximumStringLength);
}

juce::String HostParameter::getText (float normalisedValue, int maximumStringLength) const
{
    return owner.getHostParameterTextForValue (hostIndex, normalisedValue).substring (0, maximumStringLength);
}

float HostParameter::getValueForText (const juce::String& text) const
{
    return owner.getHostParameterValueForText (hostIndex, text);
}

bool HostParameter::isAutomatable() const
{
    return owner.isHostParameterAutomatable (hostIndex);
}
