// The preset layer's documents: presets, groups and banks as XML, and the
// files that hold them.

#include "presets/BasePluginOldStyle.h"

#include "plugin/XmlNames.h"

#include <cmath>
#include <cstdio>
#include <vector>


bool BasePluginOldStyle::isPresetXml (const juce::XmlElement& element) const
{
    return XmlNames::hasTag (element, "Preset")
        && XmlNames::attributeText (element, "application").equalsIgnoreCase (getPluginName());
}

bool BasePluginOldStyle::isPresetGroupXml (const juce::XmlElement& element) const
{
    return XmlNames::hasTag (element, "PresetGroup");
}

bool BasePluginOldStyle::isPresetBankXml (const juce::XmlElement& element) const
{
    return XmlNames::hasTag (element, "PresetBank");
}

juce::String BasePluginOldStyle::formatPresetValue (float value)
{
    // Six decimals at most: scaled in single precision, rounded to the
    // nearest integer (ties to even) in double precision, scaled back.
    const float scaled = value * 1000000.0f;
    const double rounded = std::nearbyint ((double) scaled) * 0.000001;

    char text[40];
    std::snprintf (text, sizeof (text), "%.9g", rounded);
    return text;
}

void BasePluginOldStyle::loadPresetFromXml (const juce::XmlElement& element, Preset& preset)
{
    if (! isPresetXml (element))
        return;

    preset.name = XmlNames::attributeText (element, "name", "unnamed");
    auto& parameters = getParameterManager();

    for (auto* child : element.getChildIterator())
    {
        if (! XmlNames::hasTag (*child, "param"))
            continue;

        const auto value = XmlNames::attributeText (*child, "value").getDoubleValue();

        if (auto* parameter = parameters.getParameterByName (XmlNames::attributeText (*child, "name")))
        {
            const auto index = parameter->getIdentifier();

            if (index >= 0 && index < preset.getCount())
                preset.values[(size_t) index] = (float) value;
        }
    }
}

void BasePluginOldStyle::loadPresetFromXml (const juce::XmlElement& element, int slotIndex)
{
    if (! PresetBank::isValidSlot (slotIndex))
        return;

    auto preset = bank.getPreset (slotIndex);
    loadPresetFromXml (element, preset);
    bank.setPreset (slotIndex, preset);
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createPresetXml (const Preset& preset)
{
    auto element = std::make_unique<juce::XmlElement> ("Preset");
    element->setAttribute ("application", getPluginName());
    element->setAttribute ("name", preset.name);

    auto& parameters = getParameterManager();

    for (int i = 0; i < preset.getCount(); ++i)
    {
        auto* param = element->createNewChildElement ("param");
        param->setAttribute ("name", parameters.getName (i));
        param->setAttribute ("value", formatPresetValue (preset.values[(size_t) i]));
    }

    return element;
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createPresetXml (int slotIndex)
{
    return createPresetXml (bank.getPreset (slotIndex));
}

void BasePluginOldStyle::loadBankFromXml (const juce::XmlElement& element)
{
    if (! isPresetBankXml (element))
        return;

    clearPresets();
    bank.clearGroups();
    bank.setBankName (XmlNames::attributeText (element, "name", "Preset Bank"));

    int next = 0;

    for (auto* groupElement : element.getChildIterator())
    {
        if (! isPresetGroupXml (*groupElement))
            continue;

        const auto group = bank.getNumGroups();
        bank.appendGroup ({ XmlNames::attributeText (*groupElement, "name", "group " + juce::String (group + 1)), 0 });

        // Presets beyond the last slot are dropped; later groups stay, empty.
        for (auto* presetElement : groupElement->getChildIterator())
        {
            if (next >= PresetBank::slotCount)
                break;

            if (! isPresetXml (*presetElement))
                continue;

            loadPresetFromXml (*presetElement, next);
            bank.setGroupCount (group, bank.getGroupCount (group) + 1);
            ++next;
        }
    }

    if (next < PresetBank::slotCount)
        bank.appendGroup ({ "Not used", PresetBank::slotCount - next });
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createBankXml()
{
    auto element = std::make_unique<juce::XmlElement> ("PresetBank");
    element->setAttribute ("name", bank.getBankName());

    // Linear in groups and presets: the groups' first slots are summed on
    // the way, and since JUCE appends a child by walking the list, children
    // are prepended, last first.
    std::vector<juce::XmlElement*> groupElements;
    int first = 0;

    for (int g = 0; g < bank.getNumGroups(); ++g)
    {
        const auto group = bank.getGroup (g);
        auto* groupElement = new juce::XmlElement ("PresetGroup");
        groupElement->setAttribute ("name", group.name);

        for (int i = group.count; --i >= 0;)
            if (PresetBank::isValidSlot (first + i))
                groupElement->prependChildElement (createPresetXml (first + i).release());

        first += group.count;
        groupElements.push_back (groupElement);
    }

    for (auto g = groupElements.rbegin(); g != groupElements.rend(); ++g)
        element->prependChildElement (*g);

    return element;
}

//==============================================================================
juce::String BasePluginOldStyle::ownExtension (const char* suffix) const
{
    return ("." + getShortName() + suffix).toLowerCase();
}

juce::String BasePluginOldStyle::presetFileExtension() const { return ownExtension ("prs"); }
juce::String BasePluginOldStyle::bankFileExtension() const   { return ownExtension ("prsb"); }
juce::String BasePluginOldStyle::ccmapFileExtension() const  { return ownExtension ("ccmap"); }

static juce::String wildcardFor (const juce::String& extension, const juce::StringArray& olderExtensions)
{
    auto wildcard = "*" + extension;

    for (const auto& older : olderExtensions)
        wildcard << "; *" << older;

    return wildcard;
}

juce::String BasePluginOldStyle::presetFileWildcard() const { return wildcardFor (presetFileExtension(), getOlderPresetExtensions()); }
juce::String BasePluginOldStyle::bankFileWildcard() const   { return wildcardFor (bankFileExtension(), getOlderBankExtensions()); }
juce::String BasePluginOldStyle::ccmapFileWildcard() const  { return wildcardFor (ccmapFileExtension(), getOlderCcmapExtensions()); }

//==============================================================================
void BasePluginOldStyle::loadPresetFile (const juce::File& file, int slotIndex)
{
    if (auto root = XmlNames::parseFile (file))
    {
        loadPresetFromXml (*root, slotIndex);

        // Even a document that is no preset of ours re-applies the slot.
        if (slotIndex == currentPreset.load() && PresetBank::isValidSlot (slotIndex))
            applyCurrentPreset();
    }

    rememberFolderOf (file);
}

void BasePluginOldStyle::savePresetFile (const juce::File& file, int slotIndex)
{
    if (PresetBank::isValidSlot (slotIndex))
        XmlNames::writeFile (*createPresetXml (slotIndex), file);

    rememberFolderOf (file);
}

void BasePluginOldStyle::loadBankFile (const juce::File& file)
{
    if (auto root = XmlNames::parseFile (file))
    {
        loadBankFromXml (*root);

        if (PresetBank::isValidSlot (currentPreset.load()))
            applyCurrentPreset();
    }

    rememberFolderOf (file);
}

void BasePluginOldStyle::saveBankFile (const juce::File& file)
{
    XmlNames::writeFile (*createBankXml(), file);
    rememberFolderOf (file);
}
