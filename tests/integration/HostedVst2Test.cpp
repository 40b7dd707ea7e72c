#include <gtest/gtest.h>

#include <juce_audio_processors/juce_audio_processors.h>

#include <cstring>

namespace Vst2
{
#include <pluginterfaces/vst2.x/aeffectx.h>
}

// The built VST 2.4 plug-in, loaded through JUCE's own VST hosting code the
// way a host loads it. The build tells where it is.
namespace
{
    juce::String builtVst2()
    {
        return KORVANE_VST2_PATH;
    }

    struct LoadedPlugin
    {
        juce::PluginDescription description;
        std::unique_ptr<juce::AudioPluginInstance> instance;
    };

    LoadedPlugin load (juce::AudioPluginFormat& format, const juce::String& path)
    {
        LoadedPlugin loaded;
        juce::OwnedArray<juce::PluginDescription> found;
        format.findAllTypesForFile (found, path);

        if (found.size() != 1)
            return loaded;

        loaded.description = *found[0];
        juce::String error;
        loaded.instance = format.createInstanceFromDescription (loaded.description, 44100.0, 512, error);
        return loaded;
    }

    Vst2::AEffect& effectOf (juce::AudioPluginInstance& instance)
    {
        return *static_cast<Vst2::AEffect*> (instance.getPlatformSpecificData());
    }

    juce::String askString (Vst2::AEffect& effect, int opcode, int index)
    {
        char text[256] = {};
        effect.dispatcher (&effect, opcode, index, 0, text, 0.0f);
        return juce::String::fromUTF8 (text);
    }

    juce::pointer_sized_int canDo (Vst2::AEffect& effect, const char* what)
    {
        return effect.dispatcher (&effect, Vst2::effCanDo, 0, 0, const_cast<char*> (what), 0.0f);
    }

    struct AutomationCounter : public juce::AudioProcessorParameter::Listener
    {
        int changes = 0;
        void parameterValueChanged (int, float) override { ++changes; }
        void parameterGestureChanged (int, bool) override {}
    };

    const char* const expectedNames[] = {
        "Preamp Gain", "Low Cut", "High Cut", "Tube Bias", "Tone", "Brightness",
        "Bass Frequency", "Bass Gain", "Bass Bandwidth", "Middle Frequency", "Middle Gain",
        "Middle Bandwidth", "Treble Frequency", "Treble Gain", "Treble Bandwidth",
        "Presence Frequency", "Presence Gain", "Presence Bandwidth", "FX", "Output Volume",
        "High Cut On/Off" };
}

class HostedVst2 : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto path = builtVst2();
        ASSERT_TRUE (juce::File (path).existsAsFile()) << "no built plug-in at '" << path << "'";
        plugin = load (format, path);
        ASSERT_NE (plugin.instance, nullptr);
    }

    juce::VSTPluginFormat format;
    LoadedPlugin plugin;
};

TEST_F (HostedVst2, TheHostSeesTheProductsIdentity)
{
    const auto& d = plugin.description;
    EXPECT_EQ (d.name, "Korvane");
    EXPECT_TRUE (d.version.startsWith ("1.3.1")) << d.version;
    EXPECT_FALSE (d.isInstrument);
    EXPECT_EQ (d.numInputChannels, 2);
    EXPECT_EQ (d.numOutputChannels, 2);
    EXPECT_EQ (d.uniqueId, ('K' << 24) | ('v' << 16) | ('P' << 8) | '7');

    auto& effect = effectOf (*plugin.instance);
    EXPECT_EQ (effect.uniqueID, d.uniqueId);
    EXPECT_EQ (effect.version, 0x10301);
    EXPECT_EQ (effect.numInputs, 2);
    EXPECT_EQ (effect.numOutputs, 2);
    EXPECT_EQ (effect.numParams, 21);
    EXPECT_EQ (effect.initialDelay, 0);
    EXPECT_EQ (effect.numPrograms, 1);   // JUCE's wrapper never reports 0 programs
    EXPECT_NE (effect.flags & Vst2::effFlagsHasEditor, 0);
    EXPECT_NE (effect.flags & Vst2::effFlagsCanReplacing, 0);
    EXPECT_NE (effect.flags & Vst2::effFlagsProgramChunks, 0);
    EXPECT_EQ (effect.flags & Vst2::effFlagsIsSynth, 0);
    EXPECT_EQ (effect.flags & Vst2::effFlagsNoSoundInStop, 0);
    EXPECT_EQ (effect.flags & Vst2::effFlagsCanDoubleReplacing, 0);

    EXPECT_EQ (askString (effect, Vst2::effGetEffectName, 0), "Korvane");
    EXPECT_EQ (askString (effect, Vst2::effGetProductString, 0), "Korvane");
    EXPECT_EQ (effect.dispatcher (&effect, Vst2::effGetPlugCategory, 0, 0, nullptr, 0.0f), Vst2::kPlugCategEffect);
    EXPECT_EQ (effect.dispatcher (&effect, Vst2::effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);

    EXPECT_EQ (canDo (effect, "receiveVstEvents"), 1);
    EXPECT_EQ (canDo (effect, "receiveVstMidiEvent"), 1);
    EXPECT_EQ (canDo (effect, "receiveVstMidiEvents"), 1);
    EXPECT_EQ (canDo (effect, "sendVstEvents"), -1);
    EXPECT_EQ (canDo (effect, "sendVstMidiEvent"), -1);
    EXPECT_EQ (canDo (effect, "sendVstMidiEvents"), -1);
    EXPECT_EQ (canDo (effect, "receiveVstTimeInfo"), 1);
    EXPECT_EQ (canDo (effect, "conformsToWindowRules"), 1);
    EXPECT_EQ (canDo (effect, "openCloseAnyThread"), -1);
    EXPECT_EQ (canDo (effect, "somethingNobodyAsks"), 0);

    // Both pairs are stereo pairs: the flag sits on the first pin of each.
    for (auto opcode : { Vst2::effGetInputProperties, Vst2::effGetOutputProperties })
    {
        Vst2::VstPinProperties pin {};
        ASSERT_EQ (effect.dispatcher (&effect, opcode, 0, 0, &pin, 0.0f), 1);
        EXPECT_NE (pin.flags & Vst2::kVstPinIsActive, 0);
        EXPECT_NE (pin.flags & Vst2::kVstPinIsStereo, 0);
        // JUCE's wrapper names pins after bus and channel.
        EXPECT_TRUE (juce::String (pin.label).endsWith (" L")) << pin.label;
        ASSERT_EQ (effect.dispatcher (&effect, opcode, 1, 0, &pin, 0.0f), 1);
        EXPECT_NE (pin.flags & Vst2::kVstPinIsActive, 0);
        EXPECT_EQ (effect.dispatcher (&effect, opcode, 2, 0, &pin, 0.0f), 0);
    }
}

TEST_F (HostedVst2, TwentyOneParametersWithTheirNamesAndTexts)
{
    auto& instance = *plugin.instance;
    const auto& parameters = instance.getParameters();
    ASSERT_EQ (parameters.size(), 21);

    for (int i = 0; i < 21; ++i)
        EXPECT_EQ (parameters[i]->getName (64), expectedNames[i]) << i;

    EXPECT_FLOAT_EQ (parameters[14]->getValue(), 0.6f);
    EXPECT_FLOAT_EQ (parameters[20]->getValue(), 1.0f);

    auto& effect = effectOf (instance);
    EXPECT_EQ (askString (effect, Vst2::effGetParamName, 20), "High Cut On/Off");
    EXPECT_EQ (askString (effect, Vst2::effGetParamName, 21), "");
    EXPECT_EQ (askString (effect, Vst2::effGetParamDisplay, 21), "");
    EXPECT_FLOAT_EQ (effect.getParameter (&effect, 21), 0.0f);
    effect.setParameter (&effect, 21, 0.5f);
    EXPECT_FLOAT_EQ (effect.getParameter (&effect, 21), 0.0f);

    parameters[5]->setValue (0.25f);
    EXPECT_FLOAT_EQ (parameters[5]->getValue(), 0.25f);
    EXPECT_EQ (askString (effect, Vst2::effGetParamDisplay, 5), "2.5");   // Brightness on its 0 … 10 scale
    EXPECT_EQ (askString (effect, Vst2::effGetParamLabel, 5), "");
}

TEST_F (HostedVst2, TheHostsOwnWritesDoNotComeBackAsAutomation)
{
    auto& instance = *plugin.instance;
    AutomationCounter counter;

    for (auto* parameter : instance.getParameters())
        parameter->addListener (&counter);

    for (int i = 0; i < 21; ++i)
        instance.getParameters()[i]->setValue (0.125f * (float) (i % 8));

    EXPECT_EQ (counter.changes, 0);
    EXPECT_FLOAT_EQ (instance.getParameters()[7]->getValue(), 0.875f);

    for (auto* parameter : instance.getParameters())
        parameter->removeListener (&counter);
}

TEST_F (HostedVst2, ChangesMadeInsideThePluginReachTheHost)
{
    // A program change selects a factory preset inside the plug-in: its
    // values come back to the host as automation.
    auto& instance = *plugin.instance;
    AutomationCounter counter;

    for (auto* parameter : instance.getParameters())
        parameter->addListener (&counter);

    instance.prepareToPlay (44100.0, 512);
    juce::AudioBuffer<float> buffer (2, 512);
    buffer.clear();
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::programChange (1, 23), 0);
    instance.processBlock (buffer, midi);
    instance.releaseResources();

    EXPECT_GT (counter.changes, 0);
    EXPECT_NEAR (instance.getParameters()[0]->getValue(), 0.04f, 1e-6f);

    for (auto* parameter : instance.getParameters())
        parameter->removeListener (&counter);
}

TEST_F (HostedVst2, ProcessesAudioInPlace)
{
    auto& instance = *plugin.instance;
    instance.prepareToPlay (44100.0, 512);

    juce::AudioBuffer<float> buffer (2, 512);
    for (int i = 0; i < 512; ++i)
    {
        buffer.setSample (0, i, std::sin ((float) i * 0.05f) * 0.5f);
        buffer.setSample (1, i, std::cos ((float) i * 0.05f) * 0.5f);
    }

    juce::MidiBuffer midi;
    instance.processBlock (buffer, midi);

    for (int i = 0; i < 512; ++i)
        ASSERT_TRUE (std::isfinite (buffer.getSample (0, i)) && std::isfinite (buffer.getSample (1, i)));

    instance.releaseResources();
}

TEST (HostedVst3, TheSameProcessorInTheVst3Bundle)
{
    // The bundle is built beside the VST 2.4 library.
    const auto vst2 = juce::File (builtVst2());
    const auto path = vst2.getParentDirectory().getSiblingFile ("VST3").getChildFile ("Korvane.vst3").getFullPathName();
    ASSERT_TRUE (juce::File (path).isDirectory()) << "no built bundle at '" << path << "'";

    juce::VST3PluginFormat format;
    auto plugin = load (format, path);
    ASSERT_NE (plugin.instance, nullptr);

    EXPECT_EQ (plugin.description.name, "Korvane");
    EXPECT_TRUE (plugin.description.version.startsWith ("1.3.1"));
    EXPECT_EQ (plugin.instance->getMainBusNumInputChannels(), 2);
    EXPECT_EQ (plugin.instance->getMainBusNumOutputChannels(), 2);

    // JUCE's VST3 wrapper adds a bypass parameter and, since VST3 carries
    // MIDI controllers as parameters, one per controller and channel: ours
    // come first, in host-index order.
    const auto& parameters = plugin.instance->getParameters();
    ASSERT_GT (parameters.size(), 21);

    for (int i = 0; i < 21; ++i)
        EXPECT_EQ (parameters[i]->getName (64), expectedNames[i]) << i;

    EXPECT_EQ (parameters[21]->getName (64), "Bypass");

    parameters[5]->setValue (0.25f);
    EXPECT_EQ (parameters[5]->getCurrentValueAsText(), "2.5");
}
