#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <memory>

/*  A plug-in's state kept in a file. A user has it in one of two forms:

    - what render --state-out writes: the state as JUCE's hosting classes
      keep it (for VST 2.4 a bank file, "CcnK"; for VST3 an XML document
      holding the component's and the controller's states; for LV2 a Turtle
      document; for CLAP the plug-in's own state stream);
    - the plug-in's own chunk as a host keeps it in a project: VST 2.4's
      effGetChunk data, VST3's component state (or a .vstpreset file),
      CLAP's state stream.

    Both are read, and the chunk inside another format's state is handed to
    the plug-in as its own (a VST3 project's state to the VST 2.4 build):
    many plug-ins built for several formats read the same chunk in each.
    Anything the plug-in does not take is refused, never silently replaced
    by its defaults.
*/
namespace PluginState
{
    using InstanceFactory = std::function<std::unique_ptr<juce::AudioPluginInstance>()>;

    /** Loads the file's state into the instance. Throws std::runtime_error
        with a message a user can act on when the file is missing, empty or
        unreadable, or when the plug-in takes nothing of it.

        A plug-in does not answer whether it took a state, so a state that
        leaves the instance as it was is tried again on a second instance
        from the factory, moved away from its defaults first: only there can
        a state equal to a fresh instance's (in other bytes) be told from one
        the plug-in ignored. */
    void load (juce::AudioPluginInstance& instance, const juce::File& file, const InstanceFactory& makeInstance);

    /** Writes the state in the first form (getStateInformation). Throws
        std::runtime_error when the file cannot be written. */
    void save (juce::AudioPluginInstance& instance, const juce::File& file);
}
