#include "formats/lv2/Lv2Turtle.h"

#include "formats/ParameterUnits.h"
#include "formats/ProcessorAdapter.h"
#include "formats/lv2/Lv2Ports.h"
#include "plugin/HalcyonEffect.h"

namespace Lv2Turtle
{
namespace
{
    const juce::String pluginUri (JucePlugin_LV2URI);

    const char* const prefixes =
        "@prefix atom:  <http://lv2plug.in/ns/ext/atom#> .\n"
        "@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .\n"
        "@prefix doap:  <http://usefulinc.com/ns/doap#> .\n"
        "@prefix foaf:  <http://xmlns.com/foaf/0.1/> .\n"
        "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
        "@prefix midi:  <http://lv2plug.in/ns/ext/midi#> .\n"
        "@prefix opts:  <http://lv2plug.in/ns/ext/options#> .\n"
        "@prefix pg:    <http://lv2plug.in/ns/ext/port-groups#> .\n"
        "@prefix pprop: <http://lv2plug.in/ns/ext/port-props#> .\n"
        "@prefix pset:  <http://lv2plug.in/ns/ext/presets#> .\n"
        "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
        "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
        "@prefix ui:    <http://lv2plug.in/ns/extensions/ui#> .\n"
        "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
        "@prefix urid:  <http://lv2plug.in/ns/ext/urid#> .\n"
        "\n";

    juce::String uri (const juce::String& suffix) { return "<" + pluginUri + suffix + ">"; }

    /** A Turtle string literal. */
    juce::String quoted (const juce::String& text)
    {
        return "\"" + text.replace ("\\", "\\\\").replace ("\"", "\\\"").replace ("\n", " ") + "\"";
    }

    /** A number as Turtle reads it back to the same float. */
    juce::String number (float value)
    {
        char text[32];
        std::snprintf (text, sizeof (text), "%.9g", (double) value);
        juce::String result (text);

        return result.containsAnyOf (".e") ? result : result + ".0";
    }

    const char* unitOf (ParameterUnits::Unit unit)
    {
        switch (unit)
        {
            case ParameterUnits::Unit::decibels: return "units:db";
            case ParameterUnits::Unit::hertz:    return "units:hz";
            case ParameterUnits::Unit::octaves:  return "units:oct";
            case ParameterUnits::Unit::percent:  return "units:pc";
            case ParameterUnits::Unit::none:     break;
        }

        return nullptr;
    }

    struct PresetEntry
    {
        juce::String name;
        int bank;
        std::vector<float> values;
    };

    /** The presets of every group but the unused slots. */
    std::vector<PresetEntry> factoryPresets (HalcyonEffect& effect, juce::StringArray& banks)
    {
        std::vector<PresetEntry> presets;
        auto& bank = effect.getBank();

        for (int group = 0; group < bank.getNumGroups(); ++group)
        {
            const auto name = bank.getGroupName (group);

            if (name == "Not used" || bank.getGroupCount (group) == 0)
                continue;

            banks.add (name);

            for (int i = 0; i < bank.getGroupCount (group); ++i)
            {
                const auto preset = bank.getPreset (bank.presetIndexInBank (group, i));
                presets.push_back ({ preset.name, banks.size() - 1, preset.values });
            }
        }

        return presets;
    }

    juce::String controlPort (ProcessorAdapter& adapter, int index, float defaultValue)
    {
        const auto range = ParameterUnits::rangeOf (index);
        juce::String port;
        port << "\t\ta lv2:InputPort , lv2:ControlPort ;\n"
             << "\t\tlv2:index " << (int) Lv2Ports::firstParameter + index << " ;\n"
             << "\t\tlv2:symbol " << quoted (adapter.getParameterSymbol (index)) << " ;\n"
             << "\t\tlv2:name " << quoted (adapter.getParameterName (index)) << " ;\n"
             << "\t\tlv2:default " << number (Lv2Ports::parameterValue (index, defaultValue)) << " ;\n"
             << "\t\tlv2:minimum " << number (range.minimum) << " ;\n"
             << "\t\tlv2:maximum " << number (range.maximum);

        if (range.toggled)
            port << " ;\n\t\tlv2:portProperty lv2:toggled";

        if (const auto* unit = unitOf (range.unit))
            port << " ;\n\t\tunits:unit " << unit;

        return port << "\n";
    }

    juce::String pluginDescription (ProcessorAdapter& adapter, const juce::String& binary)
    {
        auto& effect = adapter.getEffect();
        const auto version = juce::StringArray::fromTokens (effect.getSoftwareVersion(), ".", {});

        juce::String ttl (prefixes);
        ttl << "@prefix plug:  <" << pluginUri << ":> .\n\n";

        ttl << "plug:input_group_1\n\ta pg:InputGroup , pg:StereoGroup ;\n\tlv2:symbol \"input_group_1\" ;\n\tlv2:name \"Input\" .\n\n"
            << "plug:output_group_1\n\ta pg:OutputGroup , pg:StereoGroup ;\n\tlv2:symbol \"output_group_1\" ;\n\tlv2:name \"Output\" ;\n"
            << "\tpg:source plug:input_group_1 .\n\n";

        ttl << uri ({}) << "\n"
            << "\ta lv2:Plugin , lv2:DistortionPlugin , doap:Project ;\n"
            << "\tdoap:name " << quoted (effect.getPluginName()) << " ;\n"
            << "\trdfs:comment " << quoted (effect.getSoftwareDescription()) << " ;\n"
            << "\tdoap:license <https://spdx.org/licenses/GPL-3.0-or-later> ;\n"
            << "\tdoap:homepage <" << effect.getSoftwareWebAddress() << "> ;\n"
            << "\tdoap:maintainer [\n\t\tfoaf:name " << quoted (JucePlugin_Manufacturer) << " ;\n"
            << "\t\tfoaf:homepage <" << effect.getSoftwareWebAddress() << "> ;\n\t] ;\n"
            << "\tlv2:minorVersion " << version[1].getIntValue() << " ;\n"
            << "\tlv2:microVersion " << version[2].getIntValue() << " ;\n"
            << "\tlv2:binary <" << binary << "> ;\n"
            << "\tlv2:requiredFeature urid:map ;\n"
            << "\tlv2:optionalFeature opts:options , bufsz:boundedBlockLength ;\n"
            << "\topts:supportedOption bufsz:maxBlockLength ;\n"
            << "\tlv2:extensionData state:interface ;\n"
            << "\tui:ui " << uri (":UI") << " ;\n"
            << "\tlv2:port [\n";

        const char* const audioPorts[][5] {
            { "lv2:InputPort", "audio_in_1", "Input L", "input_group_1", "left" },
            { "lv2:InputPort", "audio_in_2", "Input R", "input_group_1", "right" },
            { "lv2:OutputPort", "audio_out_1", "Output L", "output_group_1", "left" },
            { "lv2:OutputPort", "audio_out_2", "Output R", "output_group_1", "right" } };

        juce::StringArray ports;

        for (int i = 0; i < 4; ++i)
            ports.add (juce::String ("\t\ta ") + audioPorts[i][0] + " , lv2:AudioPort ;\n"
                       + "\t\tlv2:index " + juce::String (Lv2Ports::audioIn1 + (uint32_t) i) + " ;\n"
                       + "\t\tlv2:symbol \"" + audioPorts[i][1] + "\" ;\n"
                       + "\t\tlv2:name \"" + audioPorts[i][2] + "\" ;\n"
                       + "\t\tpg:group plug:" + audioPorts[i][3] + " ;\n"
                       + "\t\tlv2:designation pg:" + audioPorts[i][4] + "\n");

        const auto defaults = adapter.getFactoryStartValues();

        for (int index = 0; index < (int) Lv2Ports::numParameters; ++index)
            ports.add (controlPort (adapter, index, defaults[(size_t) index]));

        ports.add ("\t\ta lv2:InputPort , lv2:ControlPort ;\n"
                   "\t\tlv2:index " + juce::String (Lv2Ports::enabled) + " ;\n"
                   "\t\tlv2:symbol \"enabled\" ;\n"
                   "\t\tlv2:name \"Enabled\" ;\n"
                   "\t\tlv2:designation lv2:enabled ;\n"
                   "\t\tlv2:default 1.0 ;\n\t\tlv2:minimum 0.0 ;\n\t\tlv2:maximum 1.0 ;\n"
                   "\t\tlv2:portProperty lv2:toggled , pprop:notOnGUI\n");

        ports.add ("\t\ta lv2:OutputPort , lv2:ControlPort ;\n"
                   "\t\tlv2:index " + juce::String (Lv2Ports::latency) + " ;\n"
                   "\t\tlv2:symbol \"latency\" ;\n"
                   "\t\tlv2:name \"Latency\" ;\n"
                   "\t\tlv2:designation lv2:latency ;\n"
                   "\t\tlv2:portProperty lv2:reportsLatency , lv2:integer , pprop:notOnGUI ;\n"
                   "\t\tunits:unit units:frame\n");

        for (const auto& [index, symbol, name] : { std::tuple { Lv2Ports::levelLeft, "levelLeft", "Output Level L" },
                                                   std::tuple { Lv2Ports::levelRight, "levelRight", "Output Level R" } })
            ports.add ("\t\ta lv2:OutputPort , lv2:ControlPort ;\n"
                       "\t\tlv2:index " + juce::String (index) + " ;\n"
                       "\t\tlv2:symbol \"" + symbol + "\" ;\n"
                       "\t\tlv2:name \"" + name + "\" ;\n"
                       "\t\tlv2:minimum " + number (Lv2Ports::levelMinimum) + " ;\n"
                       "\t\tlv2:maximum " + number (Lv2Ports::levelMaximum) + " ;\n"
                       "\t\tunits:unit units:db\n");

        ports.add ("\t\ta lv2:InputPort , atom:AtomPort ;\n"
                   "\t\tlv2:index " + juce::String (Lv2Ports::midiIn) + " ;\n"
                   "\t\tlv2:symbol \"in\" ;\n"
                   "\t\tlv2:name \"MIDI In\" ;\n"
                   "\t\tatom:bufferType atom:Sequence ;\n"
                   "\t\tatom:supports midi:MidiEvent ;\n"
                   "\t\tlv2:designation lv2:control\n");

        ttl << ports.joinIntoString ("\t] , [\n") << "\t] .\n\n";

        ttl << uri (":UI") << "\n"
            << "\ta ui:X11UI ;\n"
            << "\tui:binary <" << binary << "> ;\n"
            << "\tlv2:requiredFeature ui:idleInterface , ui:parent , <http://lv2plug.in/ns/ext/instance-access> ;\n"
            << "\tlv2:optionalFeature ui:resize , ui:touch , ui:noUserResize , opts:options , urid:map ;\n"
            << "\topts:supportedOption ui:scaleFactor ;\n"
            << "\tlv2:extensionData ui:idleInterface , ui:resize , opts:interface .\n";

        return ttl;
    }

    juce::String presetsDescription (ProcessorAdapter& adapter, const std::vector<PresetEntry>& presets, const juce::StringArray& banks)
    {
        juce::String ttl (prefixes);

        for (int b = 0; b < banks.size(); ++b)
            ttl << uri (":bank" + juce::String (b + 1)) << "\n\ta pset:Bank ;\n\trdfs:label " << quoted (banks[b]) << " .\n\n";

        for (size_t p = 0; p < presets.size(); ++p)
        {
            const auto& preset = presets[p];
            ttl << uri (":preset" + juce::String ((int) p + 1)) << "\n"
                << "\ta pset:Preset ;\n"
                << "\tlv2:appliesTo " << uri ({}) << " ;\n"
                << "\trdfs:label " << quoted (banks[preset.bank] + " / " + preset.name) << " ;\n"
                << "\tpset:bank " << uri (":bank" + juce::String (preset.bank + 1)) << " ;\n"
                << "\tlv2:port [\n";

            juce::StringArray values;

            for (int index = 0; index < (int) Lv2Ports::numParameters && index < (int) preset.values.size(); ++index)
                values.add ("\t\tlv2:symbol " + quoted (adapter.getParameterSymbol (index)) + " ;\n"
                            + "\t\tpset:value " + number (Lv2Ports::parameterValue (index, preset.values[(size_t) index])) + "\n");

            ttl << values.joinIntoString ("\t] , [\n") << "\t] .\n\n";
        }

        return ttl;
    }

    juce::String manifest (const juce::String& binary, size_t numPresets)
    {
        juce::String ttl (prefixes);
        ttl << uri ({}) << "\n\ta lv2:Plugin ;\n\tlv2:binary <" << binary << "> ;\n\trdfs:seeAlso <Korvane.ttl> .\n\n"
            << uri (":UI") << "\n\ta ui:X11UI ;\n\tui:binary <" << binary << "> ;\n\trdfs:seeAlso <Korvane.ttl> .\n\n";

        for (size_t p = 0; p < numPresets; ++p)
            ttl << uri (":preset" + juce::String ((int) p + 1)) << "\n\ta pset:Preset ;\n\tlv2:appliesTo " << uri ({})
                << " ;\n\trdfs:seeAlso <presets.ttl> .\n\n";

        return ttl;
    }
}

bool writeBundle (ProcessorAdapter& adapter, const juce::File& bundle, const juce::String& binary, juce::String& error)
{
    juce::StringArray banks;
    const auto presets = factoryPresets (adapter.getEffect(), banks);

    const std::pair<const char*, juce::String> files[] {
        { "manifest.ttl", manifest (binary, presets.size()) },
        { "Korvane.ttl", pluginDescription (adapter, binary) },
        { "presets.ttl", presetsDescription (adapter, presets, banks) } };

    for (const auto& [name, text] : files)
        if (! bundle.getChildFile (name).replaceWithText (text, false, false, "\n"))
        {
            error = "cannot write " + bundle.getChildFile (name).getFullPathName();
            return false;
        }

    return true;
}
}
