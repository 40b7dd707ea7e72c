#include "InspectCommand.h"

#include "CommandOptions.h"
#include "Commands.h"

#include <iostream>
#include <stdexcept>

namespace
{
    juce::String fourCharacters (int code)
    {
        juce::String text;

        for (int shift = 24; shift >= 0; shift -= 8)
            text += (juce::juce_wchar) ((code >> shift) & 0xff);

        return text;
    }
}

juce::var describePlugin (const LoadedPlugin& plugin)
{
    const auto& d = plugin.description;
    auto& instance = *plugin.instance;

    auto* root = new juce::DynamicObject();
    root->setProperty ("format", plugin.formatName);
    root->setProperty ("name", d.name);
    root->setProperty ("vendor", d.manufacturerName);
    root->setProperty ("version", d.version);
    root->setProperty ("identifier", d.createIdentifierString());
    root->setProperty ("uniqueId", d.uniqueId);
    root->setProperty ("uniqueIdText", fourCharacters (d.uniqueId));
    root->setProperty ("file", d.fileOrIdentifier);
    root->setProperty ("category", d.category);
    root->setProperty ("isInstrument", d.isInstrument);
    root->setProperty ("latencySamples", instance.getLatencySamples());
    root->setProperty ("tailSeconds", instance.getTailLengthSeconds());
    root->setProperty ("inputChannels", instance.getTotalNumInputChannels());
    root->setProperty ("outputChannels", instance.getTotalNumOutputChannels());
    root->setProperty ("acceptsMidi", instance.acceptsMidi());
    root->setProperty ("producesMidi", instance.producesMidi());
    root->setProperty ("hasEditor", instance.hasEditor());
    root->setProperty ("programs", instance.getNumPrograms());

    juce::Array<juce::var> parameters;

    for (auto* parameter : instance.getParameters())
    {
        auto* entry = new juce::DynamicObject();
        entry->setProperty ("index", parameter->getParameterIndex());
        entry->setProperty ("name", parameter->getName (256));
        entry->setProperty ("value", parameter->getValue());
        entry->setProperty ("text", parameter->getCurrentValueAsText());
        entry->setProperty ("label", parameter->getLabel());
        entry->setProperty ("automatable", parameter->isAutomatable());
        parameters.add (juce::var (entry));
    }

    root->setProperty ("parameters", parameters);
    return juce::var (root);
}

int runInspect (const juce::StringArray& words)
{
    const CommandOptions options (words, {});

    if (options.getPositional().size() != 1)
        throw std::invalid_argument ("inspect takes exactly one plug-in path");

    PluginLoader loader;
    auto plugin = loader.load (options.getPositional()[0], 44100.0, 512);
    std::cout << juce::JSON::toString (describePlugin (plugin)) << std::endl;
    plugin.instance.reset();
    return 0;
}
