#include "ParameterTextEntry.h"

#include <cstring>

namespace Vst2
{
#include <pluginterfaces/vst2.x/aeffectx.h>
}

namespace
{
    bool isFormat (juce::AudioPluginInstance& instance, const char* name)
    {
        return instance.getPluginDescription().pluginFormatName == name;
    }
}

bool enterParameterText (juce::AudioPluginInstance& instance, juce::AudioProcessorParameter& parameter,
                         const juce::String& text)
{
    if (isFormat (instance, "VST"))
    {
        struct EffectFinder : juce::ExtensionsVisitor
        {
            void visitVSTClient (const VSTClient& client) override
            {
                effect = reinterpret_cast<Vst2::AEffect*> (client.getAEffectPtr());
            }

            Vst2::AEffect* effect = nullptr;
        } finder;

        instance.getExtensions (finder);
        auto* effect = finder.effect;

        if (effect == nullptr)
            return false;

        char buffer[256] = {};
        text.copyToUTF8 (buffer, sizeof (buffer) - 1);
        return effect->dispatcher (effect, Vst2::effString2Parameter, parameter.getParameterIndex(), 0, buffer, 0.0f) != 0;
    }

    // JUCE's LV2 host shows a toggle port as "On" or "Off" but reads only
    // numbers back; a host's field for a switch is a switch, so those two
    // texts stand for its two ends.
    if (isFormat (instance, "LV2") && parameter.isBoolean()
        && (text == "On" || text == "Off"))
    {
        parameter.setValue (text == "On" ? 1.0f : 0.0f);
        return true;
    }

    const auto value = parameter.getValueForText (text);

    if (! std::isfinite (value))
        return false;

    parameter.setValue (value);
    return true;
}
