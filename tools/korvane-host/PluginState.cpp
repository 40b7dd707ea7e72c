#include "PluginState.h"

#include "ClapPluginFormat.h"

#include <cstring>
#include <iostream>
#include <limits>
#include <stdexcept>

namespace
{
    [[noreturn]] void fail (const juce::String& message)
    {
        throw std::runtime_error (message.toStdString());
    }

    bool startsWith (const juce::MemoryBlock& block, const char* magic)
    {
        return block.getSize() >= 4 && std::memcmp (block.getData(), magic, 4) == 0;
    }

    juce::MemoryBlock hostState (juce::AudioPluginInstance& instance)
    {
        juce::MemoryBlock state;
        instance.getStateInformation (state);
        return state;
    }

    juce::String formatOf (const juce::AudioPluginInstance& instance)
    {
        return instance.getPluginDescription().pluginFormatName;
    }

    // JUCE's VST3 host keeps the component's and the controller's states as
    // base64 text in an XML document of its own.
    std::unique_ptr<juce::XmlElement> vst3HostDocument (const juce::MemoryBlock& block)
    {
        auto xml = juce::AudioProcessor::getXmlFromBinary (block.getData(), (int) block.getSize());
        return xml != nullptr && xml->hasTagName ("VST3PluginState") ? std::move (xml) : nullptr;
    }

    /** The plug-in's own chunk, as a host keeps it in a project. */
    juce::MemoryBlock ownChunk (juce::AudioPluginInstance& instance, const juce::MemoryBlock& hostForm)
    {
        const auto format = formatOf (instance);
        juce::MemoryBlock chunk;

        if (format == "VST")
        {
            juce::VSTPluginFormat::getChunkData (&instance, chunk, false);
        }
        else if (format == "VST3")
        {
            if (auto xml = vst3HostDocument (hostForm))
                if (auto* component = xml->getChildByName ("IComponent"))
                    chunk.fromBase64Encoding (component->getAllSubText());
        }
        else
        {
            chunk = hostForm;
        }

        return chunk;
    }

    juce::String fourCharacters (int code)
    {
        juce::String text;

        for (int shift = 24; shift >= 0; shift -= 8)
            text += (juce::juce_wchar) ((code >> shift) & 0xff);

        return text;
    }

    bool loadVstPreset (juce::AudioPluginInstance& instance, const juce::MemoryBlock& preset)
    {
        struct Visitor : juce::ExtensionsVisitor
        {
            explicit Visitor (const juce::MemoryBlock& p) : presetFile (p) {}
            void visitVST3Client (const VST3Client& client) override   { loaded = client.setPreset (presetFile); }

            const juce::MemoryBlock& presetFile;
            bool loaded = false;
        };

        Visitor visitor (preset);
        instance.getExtensions (visitor);
        return visitor.loaded;
    }

    /** The chunk inside a state another format's host saved: a VST 2.4 bank
        or program file's, a VST3 document's component state. Many plug-ins
        built for several formats (JUCE's among them) read the same chunk in
        each. Empty when the bytes are neither. */
    juce::MemoryBlock chunkInsideAnotherFormatsState (const juce::MemoryBlock& bytes)
    {
        const auto* raw = static_cast<const char*> (bytes.getData());

        // "CcnK", then "FBCh" (a bank, its chunk from byte 160) or "FPCh" (a
        // program, from byte 60), the chunk's size big-endian just before it.
        if (startsWith (bytes, "CcnK") && bytes.getSize() >= 12)
        {
            const auto at = std::memcmp (raw + 8, "FBCh", 4) == 0 ? 160 : std::memcmp (raw + 8, "FPCh", 4) == 0 ? 60 : 0;

            if (at > 0 && bytes.getSize() >= (size_t) at)
            {
                const auto size = (size_t) juce::ByteOrder::bigEndianInt (raw + at - 4);

                if ((size_t) at + size <= bytes.getSize())
                    return { raw + at, size };
            }

            return {};
        }

        juce::MemoryBlock component;

        if (auto xml = vst3HostDocument (bytes))
            if (auto* child = xml->getChildByName ("IComponent"))
                component.fromBase64Encoding (child->getAllSubText());

        return component;
    }

    /** Gives the bytes to the plug-in in the way their form asks; throws when
        the format itself refuses them. */
    void handOver (juce::AudioPluginInstance& instance, const juce::MemoryBlock& bytes, const juce::String& name)
    {
        const auto format = formatOf (instance);

        if (format == "VST")
        {
            if (startsWith (bytes, "CcnK"))
            {
                // The plug-in's ID stands big-endian at byte 16 of a bank or program file.
                if (bytes.getSize() >= 20)
                {
                    const auto id = (int) juce::ByteOrder::bigEndianInt (static_cast<const char*> (bytes.getData()) + 16);
                    const auto ours = instance.getPluginDescription().uniqueId;

                    if (id != ours)
                        fail (name + " is a VST 2.4 bank or program file of another plug-in (ID '" + fourCharacters (id)
                              + "', this one is '" + fourCharacters (ours) + "')");
                }

                if (! juce::VSTPluginFormat::loadFromFXBFile (&instance, bytes.getData(), bytes.getSize()))
                    fail (name + " is a VST 2.4 bank or program file that cannot be read (damaged or cut short)");

                return;
            }

            const auto inside = chunkInsideAnotherFormatsState (bytes);
            const auto& chunk = inside.isEmpty() ? bytes : inside;

            if (! juce::VSTPluginFormat::setChunkData (&instance, chunk.getData(), (int) chunk.getSize(), false))
                fail (name + " is not a VST 2.4 bank or program file, and this plug-in takes no chunk of its own "
                      "(it keeps its state in its parameters)");

            return;
        }

        if (format == "VST3")
        {
            if (vst3HostDocument (bytes) != nullptr)
            {
                instance.setStateInformation (bytes.getData(), (int) bytes.getSize());
                return;
            }

            if (startsWith (bytes, "VST3"))
            {
                if (! loadVstPreset (instance, bytes))
                    fail (name + " is a .vstpreset file this plug-in does not read (another plug-in's, or damaged)");

                return;
            }

            // The component's state alone: the host's document around it,
            // which gives it to the component and then to the controller.
            const auto inside = chunkInsideAnotherFormatsState (bytes);
            juce::XmlElement document ("VST3PluginState");
            document.createNewChildElement ("IComponent")->addTextElement ((inside.isEmpty() ? bytes : inside).toBase64Encoding());
            juce::MemoryBlock wrapped;
            juce::AudioProcessor::copyXmlToBinary (document, wrapped);
            instance.setStateInformation (wrapped.getData(), (int) wrapped.getSize());
            return;
        }

        if (format == ClapPluginFormat::formatName)
        {
            const auto inside = chunkInsideAnotherFormatsState (bytes);
            const auto& chunk = inside.isEmpty() ? bytes : inside;

            if (! ClapPluginFormat::loadState (instance, chunk.getData(), chunk.getSize()))
                fail ("the plug-in refused the state in " + name);

            return;
        }

        // LV2 states are Turtle documents, and a host's (JUCE's, jalv's) are
        // the plug-in's own: there is only the one form. Each names the
        // plug-in it applies to; nothing else goes to the parser, which
        // crashes on some damaged documents.
        if (format == "LV2")
        {
            const auto uri = instance.getPluginDescription().fileOrIdentifier;

            if (std::memchr (bytes.getData(), 0, bytes.getSize()) != nullptr
                || ! bytes.toString().contains ("<" + uri + ">"))
                fail (name + " is not an LV2 state of this plug-in (a Turtle document that names <" + uri + ">)");
        }

        instance.setStateInformation (bytes.getData(), (int) bytes.getSize());
    }

    /** Whether the bytes move an instance that was moved away from its
        defaults: false when the plug-in ignores them. */
    bool movesAnInstanceAwayFromItsDefaults (const PluginState::InstanceFactory& makeInstance,
                                             const juce::MemoryBlock& bytes, const juce::String& name)
    {
        auto probe = makeInstance != nullptr ? makeInstance() : nullptr;

        if (probe == nullptr)
            return true;

        const auto fresh = hostState (*probe);

        for (auto* parameter : probe->getParameters())
            if (parameter->isAutomatable())
                parameter->setValue (parameter->getValue() < 0.5f ? 1.0f : 0.0f);

        // Some formats hand parameter changes to the plug-in with its audio.
        probe->setRateAndBufferSizeDetails (44100.0, 512);
        probe->prepareToPlay (44100.0, 512);
        juce::AudioBuffer<float> silence (juce::jmax (1, probe->getTotalNumInputChannels(), probe->getTotalNumOutputChannels()), 512);
        silence.clear();
        juce::MidiBuffer noMidi;
        probe->processBlock (silence, noMidi);
        probe->releaseResources();

        const auto moved = hostState (*probe);

        if (moved == fresh)
        {
            std::cerr << "korvane-host: warning: cannot tell whether the plug-in took the state in " << name
                      << " (it leaves the plug-in as a fresh one is)\n";
            return true;
        }

        try
        {
            handOver (*probe, bytes, name);
        }
        catch (const std::runtime_error&)
        {
            return false;
        }

        return hostState (*probe) != moved;
    }
}

void PluginState::load (juce::AudioPluginInstance& instance, const juce::File& file, const InstanceFactory& makeInstance)
{
    const auto name = file.getFullPathName();
    juce::MemoryBlock bytes;

    if (file.isDirectory())
        fail (name + " is a directory, not a state file");

    if (! file.existsAsFile())
        fail ("no such state file: " + name);

    if (! file.hasReadAccess() || ! file.loadFileAsData (bytes))
        fail ("cannot read the state file " + name);

    if (bytes.isEmpty())
        fail ("the state file " + name + " is empty");

    if (bytes.getSize() > (size_t) std::numeric_limits<int>::max())
        fail ("the state file " + name + " is too large for a plug-in's state");

    const auto before = hostState (instance);
    const auto chunkBefore = ownChunk (instance, before);
    handOver (instance, bytes, name);

    // The state the instance already had, in either form, leaves it as it was.
    if (hostState (instance) != before || bytes == before || bytes == chunkBefore)
        return;

    if (! movesAnInstanceAwayFromItsDefaults (makeInstance, bytes, name))
        fail ("the plug-in did not take the state in " + name + ": it is neither a state saved by korvane-host "
              "(render --state-out) nor a chunk of this plug-in's own");
}

void PluginState::save (juce::AudioPluginInstance& instance, const juce::File& file)
{
    const auto state = hostState (instance);

    if (! file.replaceWithData (state.getData(), state.getSize()))
        fail ("cannot write the state file " + file.getFullPathName());
}
