#pragma once

#include <juce_core/juce_core.h>

#include <map>
#include <optional>

/**
    Two-way table between event identifiers and event names.

    Skin controls name the action they fire ("Select next preset"); the table
    turns that name into the integer identifier the editor and the processor
    dispatch on. Each identifier and each name occurs at most once, and names are
    compared exactly (letter case matters).
*/
class EventsMap
{
public:
    /** Identifiers of the events every processor registers. */
    enum BuiltInEvent : int
    {
        optionsEvent              = 1000,
        aboutEvent                = 1001,
        selectNextPresetEvent     = 1002,
        selectPreviousPresetEvent = 1003,
        browsePresetsEvent        = 1004,
        savePresetEvent           = 1005,
        savePresetAsEvent         = 1006,
        copyCurrentPresetEvent    = 1007,
        pasteCopiedPresetEvent    = 1008,
        storeCurrentPresetEvent   = 1009,
        toggleMidiLearnEvent      = 1010
    };

    /** Enters the pair; false, changing nothing, when the identifier or the name is already present. */
    bool add (int identifier, const juce::String& name);

    /** The name of an identifier, or an empty text. */
    juce::String getName (int identifier) const;

    /** The identifier of a name (exact match), or nothing when the name is absent. */
    std::optional<int> getIdentifier (const juce::String& name) const;

    /** The name with its first character in upper case and the others in lower
        case ("Toggle midi learn"); empty for an absent identifier. */
    juce::String getDisplayName (int identifier) const;

    void clear();

    /** Replaces the table with the event elements of an EventsMap document; for
        a duplicated identifier or name the first entry wins. */
    void loadFromXml (const juce::XmlElement& root);

    /** Reads an embedded events document; a missing or unparsable one changes nothing. */
    void loadFromResource (const juce::String& fileName);

    /** Adds the built-in events in identifier order; those whose identifier or
        name is already taken are left out. */
    void registerBuiltInEvents();

private:
    std::map<int, juce::String> names;
    std::map<juce::String, int> identifiers;
};
