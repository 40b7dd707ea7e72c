#include "plugin/Korvane.h"

#include "dsp/KorvaneCore.h"
#include "editor/KorvaneEditor.h"
#include "plugin/KorvaneDisplayTexts.h"
#include "plugin/XmlNames.h"

Korvane::Korvane()
    : HalcyonOldCompatible (numHostParameters)
{
}

Korvane::~Korvane()
{
    shutDownEditor();

    // The instance closed last decides what the next one starts with.
    saveUserSettingsFile();
}

std::unique_ptr<HalcyonEffect::Core> Korvane::createCore()
{
    return std::make_unique<KorvaneCore>();
}

juce::String Korvane::getParameterDisplayText (int identifier)
{
    auto* tubeCore = dynamic_cast<const KorvaneCore*> (getCore());

    if (tubeCore == nullptr || identifier < 0 || identifier >= numHostParameters)
        return HalcyonOldCompatible::getParameterDisplayText (identifier);

    // The core's quantities must not change halfway through a text.
    const juce::ScopedLock sl (getFrameLock());
    return korvaneDisplayText (identifier, *tubeCore);
}

juce::String Korvane::getParameterDisplayTextForValue (int identifier, float normalisedValue)
{
    if (identifier < 0 || identifier >= numHostParameters)
        return HalcyonOldCompatible::getParameterDisplayTextForValue (identifier, normalisedValue);

    return korvaneDisplayTextForValue (identifier, normalisedValue);
}

std::optional<float> Korvane::getParameterValueForText (int identifier, const juce::String& text)
{
    if (identifier < 0 || identifier >= numHostParameters)
        return HalcyonOldCompatible::getParameterValueForText (identifier, text);

    return korvaneValueForDisplayText (identifier, text);
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

std::unique_ptr<BasePluginEditor> Korvane::createEditorComponent()
{
    return std::make_unique<KorvaneEditor> (*this);
}
