#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

/*  CLAP plug-ins for the host tool, on the CLAP 1.1 headers: a .clap file's
    plug-ins become juce::AudioPluginInstances like the other formats', so
    every command (inspect, render, compare, bench, validate, editor) works
    on them. A reading of the ABI of our own, independent of the plug-in's:
    it is also tried on other makers' plug-ins.

    The host side of CLAP it gives a plug-in: thread-check (the message
    thread is the main thread, the thread in processBlock the audio thread),
    params (flush requests are met by the next block, or on the main thread
    while the plug-in is inactive), latency, gui (X11 embedding; a resize
    request resizes the editor), timer-support (JUCE timers on the message
    thread), state and request_callback.
*/
class ClapPluginFormat : public juce::AudioPluginFormat
{
public:
    ClapPluginFormat();
    ~ClapPluginFormat() override;

    static constexpr const char* formatName = "CLAP";

    juce::String getName() const override { return formatName; }
    void findAllTypesForFile (juce::OwnedArray<juce::PluginDescription>& results, const juce::String& fileOrIdentifier) override;
    bool fileMightContainThisPluginType (const juce::String& fileOrIdentifier) override;
    juce::String getNameOfPluginFromIdentifier (const juce::String& fileOrIdentifier) override { return fileOrIdentifier; }
    bool pluginNeedsRescanning (const juce::PluginDescription&) override { return false; }
    bool doesPluginStillExist (const juce::PluginDescription& description) override;
    bool canScanForPlugins() const override { return false; }
    bool isTrivialToScan() const override { return false; }
    juce::StringArray searchPathsForPlugins (const juce::FileSearchPath&, bool, bool) override { return {}; }
    juce::FileSearchPath getDefaultLocationsToSearch() override { return {}; }
    bool requiresUnblockedMessageThreadDuringCreation (const juce::PluginDescription&) const override { return false; }

    /** Hands a state to one of this format's instances, as setStateInformation
        does, and tells whether the plug-in took it (its state extension's
        answer); false for an instance of another format. */
    static bool loadState (juce::AudioPluginInstance& instance, const void* data, size_t size);

private:
    void createPluginInstance (const juce::PluginDescription&, double initialSampleRate, int initialBufferSize,
                               PluginCreationCallback) override;
};
