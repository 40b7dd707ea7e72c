#include "plugin/HostParameter.h"

#include "plugin/BasePlugin.h"

HostParameter::HostParameter (BasePlugin& ownerToUse, int index, float defaultValueToUse)
    : owner (ownerToUse), hostIndex (index), defaultValue (defaultValueToUse)
{
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
