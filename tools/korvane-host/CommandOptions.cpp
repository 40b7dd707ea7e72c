#include "CommandOptions.h"

#include <stdexcept>

namespace
{
    [[noreturn]] void refuse (const juce::String& message)
    {
        throw std::invalid_argument (message.toStdString());
    }
}

CommandOptions::CommandOptions (const juce::StringArray& words, const juce::StringArray& optionsWithValues,
                                const juce::StringArray& flags)
{
    for (int i = 0; i < words.size(); ++i)
    {
        const auto& word = words[i];

        if (! word.startsWith ("--"))
        {
            positional.add (word);
            continue;
        }

        const auto name = word.substring (2);

        if (flags.contains (name))
        {
            values.emplace (name, "1");
        }
        else if (optionsWithValues.contains (name))
        {
            if (i + 1 >= words.size())
                refuse ("--" + name + " needs a value");

            values.emplace (name, words[++i]);
        }
        else
        {
            refuse ("unknown option " + word);
        }
    }
}

bool CommandOptions::has (const juce::String& name) const
{
    return values.count (name) > 0;
}

juce::String CommandOptions::get (const juce::String& name, const juce::String& fallback) const
{
    const auto found = values.equal_range (name);
    return found.first == found.second ? fallback : std::prev (found.second)->second;
}

juce::StringArray CommandOptions::getAll (const juce::String& name) const
{
    juce::StringArray all;
    const auto found = values.equal_range (name);

    for (auto i = found.first; i != found.second; ++i)
        all.add (i->second);

    return all;
}

double CommandOptions::getNumber (const juce::String& name, double fallback, double minimum, double maximum) const
{
    if (! has (name))
        return fallback;

    const auto text = get (name).trim();
    const auto value = text.getDoubleValue();

    if (text.isEmpty() || ! text.containsOnly ("0123456789.-+eE") || value < minimum || value > maximum)
        refuse ("--" + name + " must be a number from " + juce::String (minimum) + " to " + juce::String (maximum)
                + ", not '" + text + "'");

    return value;
}

int CommandOptions::getInteger (const juce::String& name, int fallback, int minimum, int maximum) const
{
    const auto value = getNumber (name, fallback, minimum, maximum);

    if (value != std::floor (value))
        refuse ("--" + name + " must be a whole number");

    return (int) value;
}
