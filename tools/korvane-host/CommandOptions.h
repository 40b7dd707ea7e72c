#pragma once

#include <juce_core/juce_core.h>

#include <map>

/*  The words after a subcommand: positional arguments and "--name value"
    options (an option may repeat). Options a subcommand does not know are
    refused, so a typo never passes silently.
*/
class CommandOptions
{
public:
    /** Throws std::invalid_argument for an unknown option or a missing value.
        Flags take no value. */
    CommandOptions (const juce::StringArray& words, const juce::StringArray& optionsWithValues,
                    const juce::StringArray& flags = {});

    const juce::StringArray& getPositional() const noexcept { return positional; }

    bool has (const juce::String& name) const;
    juce::String get (const juce::String& name, const juce::String& fallback = {}) const;
    juce::StringArray getAll (const juce::String& name) const;

    /** Throw std::invalid_argument when the value is not a number in range. */
    double getNumber (const juce::String& name, double fallback, double minimum, double maximum) const;
    int getInteger (const juce::String& name, int fallback, int minimum, int maximum) const;

private:
    juce::StringArray positional;
    std::multimap<juce::String, juce::String> values;
};
