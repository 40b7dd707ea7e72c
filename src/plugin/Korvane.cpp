#include "plugin/Korvane.h"

#include "plugin/XmlNames.h"

Korvane::Korvane()
    : HalcyonOldCompatible (numHostParameters)
{
}

double Korvane::getTailLengthSeconds() const
{
    // The equaliser's and filters' ringing and the oversampler's delay die
    // away well within this; hosts that stop processing in silence must not
    // cut the tube's decay short.
    return 0.1;
}

juce::String Korvane::getSoftwareWebAddress() const
{
    return "https://korvane.codeberg.page";
}

juce::String Korvane::getBuildIdentifier() const
{
    return juce::String (230) + "." + juce::String (1304);
}

void Korvane::loadPresetFromXml (const juce::XmlElement& element, Preset& preset)
{
    if (isPresetXml (element))
    {
        const auto revision = XmlNames::findAttribute (element, "rev");

        if ((! revision || revision->getIntValue() == 0) && preset.getCount() > highCutSwitchIndex)
            preset.values[highCutSwitchIndex] = 1.0f;
    }

    HalcyonOldCompatible::loadPresetFromXml (element, preset);
}

std::unique_ptr<juce::XmlElement> Korvane::createPresetXml (const Preset& preset)
{
    auto element = HalcyonOldCompatible::createPresetXml (preset);
    element->setAttribute ("rev", presetRevision);
    return element;
}
