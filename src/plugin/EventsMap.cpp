#include "plugin/EventsMap.h"
#include "plugin/EmbeddedResources.h"
#include "plugin/XmlNames.h"

using XmlNames::attributeText;

bool EventsMap::add (int identifier, const juce::String& name)
{
    if (names.count (identifier) != 0 || identifiers.count (name) != 0)
        return false;

    names.emplace (identifier, name);
    identifiers.emplace (name, identifier);
    return true;
}

juce::String EventsMap::getName (int identifier) const
{
    const auto found = names.find (identifier);
    return found != names.end() ? found->second : juce::String();
}

std::optional<int> EventsMap::getIdentifier (const juce::String& name) const
{
    const auto found = identifiers.find (name);

    if (found == identifiers.end())
        return std::nullopt;

    return found->second;
}

juce::String EventsMap::getDisplayName (int identifier) const
{
    const auto name = getName (identifier);
    return name.substring (0, 1).toUpperCase() + name.substring (1).toLowerCase();
}

void EventsMap::clear()
{
    names.clear();
    identifiers.clear();
}

void EventsMap::loadFromXml (const juce::XmlElement& root)
{
    clear();

    if (! root.getTagName().equalsIgnoreCase ("EventsMap"))
        return;

    for (auto* event : root.getChildIterator())
        if (event->getTagName().equalsIgnoreCase ("event"))
            add (attributeText (*event, "uid").getIntValue(), attributeText (*event, "name"));
}

void EventsMap::loadFromResource (const juce::String& fileName)
{
    const auto text = loadResourceString (fileName);

    if (text.isEmpty())
        return;

    if (const auto root = XmlNames::parseText (text))
        loadFromXml (*root);
}

void EventsMap::registerBuiltInEvents()
{
    add (optionsEvent,              "Options");
    add (aboutEvent,                "About");
    add (selectNextPresetEvent,     "Select next preset");
    add (selectPreviousPresetEvent, "Select previous preset");
    add (browsePresetsEvent,        "Browse presets");
    add (savePresetEvent,           "Save Preset");
    add (savePresetAsEvent,         "Save Preset As");
    add (copyCurrentPresetEvent,    "Copy current preset");
    add (pasteCopiedPresetEvent,    "Paste copied preset");
    add (storeCurrentPresetEvent,   "Store current preset");
    add (toggleMidiLearnEvent,      "Toggle Midi Learn");
}
