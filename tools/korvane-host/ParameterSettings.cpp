#include "ParameterSettings.h"

#include <stdexcept>

juce::AudioProcessorParameter& findParameter (juce::AudioPluginInstance& instance, const juce::String& indexOrName)
{
    const auto& parameters = instance.getParameters();
    const auto key = indexOrName.trim();

    if (key.isNotEmpty() && key.containsOnly ("0123456789"))
    {
        const auto index = key.getIntValue();

        if (index < parameters.size())
            return *parameters[index];

        throw std::invalid_argument (("no parameter with index " + key + " (the plug-in has "
                                      + juce::String (parameters.size()) + ")").toStdString());
    }

    for (auto* parameter : parameters)
        if (parameter->getName (1024) == key)
            return *parameter;

    for (auto* parameter : parameters)
        if (parameter->getName (1024).equalsIgnoreCase (key))
            return *parameter;

    throw std::invalid_argument (("no parameter named '" + key + "'").toStdString());
}

void applyParameterSettings (juce::AudioPluginInstance& instance, const juce::StringArray& settings)
{
    for (const auto& setting : settings)
    {
        const auto equals = setting.lastIndexOfChar ('=');

        if (equals <= 0)
            throw std::invalid_argument (("a parameter setting is 'name=value' or 'index=value', not '" + setting + "'").toStdString());

        auto& parameter = findParameter (instance, setting.substring (0, equals));
        const auto text = setting.substring (equals + 1).trim();
        const auto value = text.getFloatValue();

        if (text.isEmpty() || ! text.containsOnly ("0123456789.eE+-") || ! (value >= 0.0f && value <= 1.0f))
            throw std::invalid_argument (("a parameter value is normalised, from 0 to 1: '" + setting + "'").toStdString());

        parameter.setValueNotifyingHost (value);
    }
}
