#include "PluginLoading.h"

#include "ClapPluginFormat.h"

#include <stdexcept>

namespace
{
    [[noreturn]] void fail (const juce::String& message)
    {
        throw std::runtime_error (message.toStdString());
    }

    bool looksLikeUri (const juce::String& text)
    {
        return text.matchesWildcard ("http://*", true) || text.matchesWildcard ("https://*", true)
            || text.matchesWildcard ("urn:*", true);
    }
}

PluginLoader::PluginLoader() = default;

PluginLoader::~PluginLoader()
{
    // JUCE's LV2 format frees its lilv world on destruction; letting it go
    // while the message manager still runs keeps its shut-down orderly.
    lv2.reset();
}

LoadedPlugin PluginLoader::load (const juce::String& path, double sampleRate, int blockSize)
{
    juce::String identifier;
    auto& format = formatForPath (path, identifier);

    juce::OwnedArray<juce::PluginDescription> found;
    format.findAllTypesForFile (found, identifier);

    if (found.isEmpty())
        fail ("no " + format.getName() + " plug-in found in " + path);

    LoadedPlugin loaded;
    loaded.description = *found[0];
    loaded.formatName = format.getName();

    juce::String error;
    loaded.instance = format.createInstanceFromDescription (loaded.description, sampleRate, blockSize, error);

    if (loaded.instance == nullptr)
        fail ("could not create the plug-in from " + path + (error.isNotEmpty() ? ": " + error : juce::String()));

    return loaded;
}

juce::AudioPluginFormat& PluginLoader::formatForPath (const juce::String& path, juce::String& identifier)
{
    if (looksLikeUri (path))
    {
        if (lv2 == nullptr)
            lv2 = std::make_unique<juce::LV2PluginFormat>();

        identifier = path;
        return *lv2;
    }

    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (path);

    if (! file.exists())
        fail ("no such file: " + path);

    const auto extension = file.getFileExtension().toLowerCase();
    identifier = file.getFullPathName();

    if (extension == ".vst3" && file.isDirectory())
    {
        if (vst3 == nullptr)
            vst3 = std::make_unique<juce::VST3PluginFormat>();

        return *vst3;
    }

    if (extension == ".lv2" && file.isDirectory())
    {
        if (lv2 == nullptr)
            lv2 = std::make_unique<juce::LV2PluginFormat>();

        // Make the bundle known to LV2 first, then ask for its plug-in.
        lv2->searchPathsForPlugins (juce::FileSearchPath (file.getParentDirectory().getFullPathName()), false, false);
        identifier = findLv2Uri (file);
        return *lv2;
    }

    if (extension == ".clap" && file.existsAsFile())
    {
        if (clap == nullptr)
            clap = std::make_unique<ClapPluginFormat>();

        return *clap;
    }

    if (extension == ".so" && file.existsAsFile())
    {
        if (! file.hasReadAccess())
            fail ("cannot read " + path);

        if (vst == nullptr)
            vst = std::make_unique<juce::VSTPluginFormat>();

        return *vst;
    }

    fail ("not a plug-in this host loads (expected a VST 2.4 .so, a .vst3 bundle, an .lv2 bundle or a .clap file): " + path);
}

juce::String PluginLoader::findLv2Uri (const juce::File& bundle)
{
    const auto manifest = bundle.getChildFile ("manifest.ttl");

    if (! manifest.existsAsFile())
        fail ("no manifest.ttl in the LV2 bundle " + bundle.getFullPathName());

    // The manifest names each plug-in as "<uri> a lv2:Plugin". A relative
    // URI is relative to the bundle.
    const auto text = manifest.loadFileAsString();
    int position = 0;

    while ((position = text.indexOf (position, "<")) >= 0)
    {
        const auto end = text.indexOf (position, ">");

        if (end < 0)
            break;

        const auto uri = text.substring (position + 1, end);
        const auto rest = text.substring (end + 1).trimStart();

        if (rest.startsWith ("a lv2:Plugin") || rest.startsWith ("a\tlv2:Plugin"))
        {
            if (looksLikeUri (uri) || uri.startsWith ("file:"))
                return uri;

            return juce::URL (bundle.getChildFile (uri)).toString (false);
        }

        position = end + 1;
    }

    fail ("the LV2 bundle " + bundle.getFullPathName() + " names no plug-in");
}
