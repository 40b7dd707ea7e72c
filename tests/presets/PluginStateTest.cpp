#include <gtest/gtest.h>

#include "PresetTestSupport.h"
#include "midi/MidiControl.h"
#include "presets/StateChunk.h"

namespace
{
    juce::MemoryBlock stateOf (Korvane& processor)
    {
        juce::MemoryBlock block;
        processor.getStateInformation (block);
        return block;
    }

    void restore (Korvane& processor, const juce::MemoryBlock& block)
    {
        processor.setStateInformation (block.getData(), (int) block.getSize());
    }

    void restoreText (Korvane& processor, const juce::String& xml)
    {
        juce::MemoryBlock block;
        StateChunk::pack (*juce::parseXML (xml), block);
        restore (processor, block);
    }

    Parameter& parameterNamed (Korvane& processor, const char* name)
    {
        return *processor.getParameterManager().getParameterByName (name);
    }
}

TEST (PluginState, TheChunkHasItsFixedLayout)
{
    auto processor = startedKorvane();
    const auto block = stateOf (*processor);
    const auto* bytes = static_cast<const juce::uint8*> (block.getData());

    ASSERT_GT (block.getSize(), 10u);
    EXPECT_EQ (bytes[0], 0x56);
    EXPECT_EQ (bytes[1], 0x43);
    EXPECT_EQ (bytes[2], 0x32);
    EXPECT_EQ (bytes[3], 0x21);

    const auto length = (int) juce::ByteOrder::littleEndianInt (bytes + 4);
    EXPECT_EQ ((int) block.getSize(), length + 10);
    EXPECT_EQ (bytes[8 + length], 0);

    const auto text = juce::String::fromUTF8 ((const char*) bytes + 8, length);
    EXPECT_TRUE (text.startsWith ("<PluginState application=\"Korvane\">")) << text.substring (0, 80);
    EXPECT_FALSE (text.containsChar ('\n'));

    // UniqueData first, then the live values, the presets, the map.
    const auto root = StateChunk::unpack (block.getData(), (int) block.getSize());
    ASSERT_NE (root, nullptr);
    ASSERT_EQ (root->getNumChildElements(), 4);
    EXPECT_EQ (root->getChildElement (0)->getTagName(), "UniqueData");
    EXPECT_EQ (root->getChildElement (0)->getStringAttribute ("quality"), "low");
    EXPECT_EQ (root->getChildElement (1)->getTagName(), "ParametersState");
    EXPECT_EQ (root->getChildElement (2)->getTagName(), "PresetsState");
    EXPECT_EQ (root->getChildElement (3)->getTagName(), "MidiControlMap");

    const auto* parameters = root->getChildElement (1);
    ASSERT_EQ (parameters->getNumChildElements(), 21);
    EXPECT_EQ (parameters->getChildElement (0)->getStringAttribute ("name"), "Preamp Gain");
    EXPECT_EQ (parameters->getChildElement (0)->getStringAttribute ("value"), "0.584999979");
    EXPECT_EQ (parameters->getChildElement (1)->getStringAttribute ("value"), "1");
    EXPECT_EQ (root->getChildElement (2)->getStringAttribute ("currentPreset"), "0");
    EXPECT_EQ (root->getChildElement (2)->getChildElement (0)->getTagName(), "PresetBank");

    // The program chunk is the current slot as stored.
    juce::MemoryBlock program;
    processor->getCurrentProgramStateInformation (program);
    const auto preset = StateChunk::unpack (program.getData(), (int) program.getSize());
    ASSERT_NE (preset, nullptr);
    EXPECT_EQ (preset->getTagName(), "Preset");
    EXPECT_EQ (preset->getStringAttribute ("name"), "Honky Tonk");
    EXPECT_EQ (preset->getStringAttribute ("rev"), "1");
}

TEST (PluginState, ARoundTripRestoresEverything)
{
    auto source = startedKorvane();
    source->selectPreset (30);
    setLive (*source, 4, 0.123f);                           // a tweak, not stored (on demand)
    source->renamePreset (30, "Renamed & <escaped>");
    source->movePreset (2, 5, 0, 0);
    source->addGroup (1);
    source->getMidiControl().assignController (74, &parameterNamed (*source, "Tone"), false);
    parameterNamed (*source, "Quality").setNormalisedValue (HalcyonEffect::qualityValueForLevel (2), true);

    const auto block = stateOf (*source);

    auto target = startedKorvane();
    restore (*target, block);

    for (int i = 0; i < 22; ++i)
        EXPECT_EQ (liveValue (*target, i), liveValue (*source, i)) << i;

    EXPECT_FLOAT_EQ (liveValue (*target, 4), 0.123f);
    EXPECT_EQ (target->getCurrentPresetIndex(), 30);
    EXPECT_EQ (target->getParameterManager().getText (110001), "Renamed & <escaped>");
    EXPECT_EQ (target->getParameterManager().getParameter (110000)->getIntValue(), 30);
    EXPECT_EQ (target->getQualityLevel(), 2);
    EXPECT_EQ (target->getMidiControl().getParameterForController (74), &parameterNamed (*target, "Tone"));
    EXPECT_EQ (target->getMidiControl().getAssignmentCount(), 1);

    auto& a = source->getBank();
    auto& b = target->getBank();
    ASSERT_EQ (b.getNumGroups(), a.getNumGroups());

    for (int g = 0; g < a.getNumGroups(); ++g)
    {
        EXPECT_EQ (b.getGroupName (g), a.getGroupName (g));
        EXPECT_EQ (b.getGroupCount (g), a.getGroupCount (g));
    }

    for (int i = 0; i < PresetBank::slotCount; ++i)
    {
        EXPECT_EQ (b.getName (i), a.getName (i));

        for (int k = 0; k < 21; ++k)
            EXPECT_EQ (b.getValue (i, k), a.getValue (i, k)) << i << " " << k;
    }

    // On demand: the tweak lives in the live values, the slot keeps its own.
    EXPECT_NE (b.getValue (30, 4), 0.123f);
}

TEST (PluginState, BadChunksRestoreNothing)
{
    auto processor = startedKorvane();
    setLive (*processor, 4, 0.25f);
    const auto good = stateOf (*processor);
    setLive (*processor, 4, 0.75f);

    auto unchanged = [&] { return liveValue (*processor, 4) == 0.75f && processor->getCurrentPresetIndex() == 0; };

    const juce::uint8 shortBlock[] = { 0x56, 0x43, 0x32, 0x21, 5, 0, 0, 0 };
    processor->setStateInformation (shortBlock, (int) sizeof (shortBlock));
    EXPECT_TRUE (unchanged());

    auto corrupt = good;
    static_cast<juce::uint8*> (corrupt.getData())[0] = 0x57;
    restore (*processor, corrupt);
    EXPECT_TRUE (unchanged());

    for (const int length : { 0, -5 })
    {
        auto wrongLength = good;
        const auto encoded = juce::ByteOrder::swapIfBigEndian ((juce::uint32) length);
        memcpy (static_cast<char*> (wrongLength.getData()) + 4, &encoded, 4);
        restore (*processor, wrongLength);
        EXPECT_TRUE (unchanged()) << length;
    }

    juce::MemoryBlock notXml;
    notXml.append ("VC2!", 4);
    const juce::uint32 nine = juce::ByteOrder::swapIfBigEndian ((juce::uint32) 9);
    notXml.append (&nine, 4);
    notXml.append ("not xml..\0\0", 11);
    restore (*processor, notXml);
    EXPECT_TRUE (unchanged());

    restoreText (*processor, "<PluginState application=\"Other\"><ParametersState><param name=\"Tone\" value=\"0.1\"/></ParametersState></PluginState>");
    EXPECT_TRUE (unchanged());

    processor->setStateInformation (nullptr, 0);
    EXPECT_TRUE (unchanged());

    // A length beyond the block reads what is there.
    auto longLength = good;
    const auto text = juce::String::fromUTF8 (static_cast<const char*> (good.getData()) + 8, (int) good.getSize() - 10);
    const auto huge = juce::ByteOrder::swapIfBigEndian ((juce::uint32) 1 << 30);
    memcpy (static_cast<char*> (longLength.getData()) + 4, &huge, 4);
    longLength.setSize (longLength.getSize() - 2);   // no terminator either
    restore (*processor, longLength);
    EXPECT_FLOAT_EQ (liveValue (*processor, 4), 0.25f);
    EXPECT_TRUE (text.endsWith ("</PluginState>"));
}

TEST (PluginState, PartialOlderAndOddStates)
{
    auto processor = startedKorvane();

    // A missing parameter keeps its value; names are exact; values that are
    // no number read as 0; an index beyond the bank keeps the current one.
    setLive (*processor, 5, 0.5f);
    setLive (*processor, 6, 0.5f);
    restoreText (*processor, "<pluginstate APPLICATION=\"korvane\"><parametersstate>"
                             "<param name=\"Tone\" value=\"0.3\"/><param name=\"brightness\" value=\"0.9\"/>"
                             "<param name=\"Bass Frequency\" value=\"abc\"/></parametersstate>"
                             "<PresetsState currentPreset=\"200\"/>"
                             "<uniquedata quality=\"Medium\"/></pluginstate>");
    EXPECT_FLOAT_EQ (liveValue (*processor, 4), 0.3f);
    EXPECT_FLOAT_EQ (liveValue (*processor, 5), 0.5f);
    EXPECT_FLOAT_EQ (liveValue (*processor, 6), 0.0f);
    EXPECT_EQ (processor->getCurrentPresetIndex(), 0);
    EXPECT_EQ (processor->getQualityLevel(), 1);

    restoreText (*processor, "<PluginState application=\"Korvane\"><UniqueData quality=\"med\"/></PluginState>");
    EXPECT_EQ (processor->getQualityLevel(), 1);

    // The older chunk: no live values, slot 0 (no currentPreset) applied.
    setLive (*processor, 0, 0.9f);
    restoreText (*processor, "<KorvanePluginState><UniqueData quality=\"highest\"/>"
                             "<KorvanePresetBank name=\"Old\"><KorvanePresetGroup name=\"G\">"
                             "<KorvanePreset name=\"Vintage\"><param name=\"Preamp Gain\" value=\"0.25\"/></KorvanePreset>"
                             "</KorvanePresetGroup></KorvanePresetBank>"
                             "<MidiCCMap name=\"Korvane\"><assign CC=\"3\" param=\"Tone\"/></MidiCCMap></KorvanePluginState>");
    EXPECT_EQ (processor->getBank().getBankName(), "Old");
    EXPECT_EQ (processor->getCurrentPresetIndex(), 0);
    EXPECT_FLOAT_EQ (liveValue (*processor, 0), 0.25f);
    EXPECT_FLOAT_EQ (liveValue (*processor, 20), 1.0f);   // revision 0: high cut on
    EXPECT_EQ (processor->getQualityLevel(), 3);
    EXPECT_EQ (processor->getMidiControl().getAssignmentCount(), 1);

    // A program chunk of another product leaves the slot, but re-applies it.
    setLive (*processor, 0, 0.9f);
    juce::MemoryBlock program;
    StateChunk::pack (*juce::parseXML ("<Preset application=\"Other\" name=\"X\"/>"), program);
    processor->setCurrentProgramStateInformation (program.getData(), (int) program.getSize());
    EXPECT_EQ (processor->getBank().getName (0), "Vintage");
    EXPECT_FLOAT_EQ (liveValue (*processor, 0), 0.25f);

    // A restored map switches learn off.
    processor->getMidiControl().setLearnMode (true);
    restore (*processor, stateOf (*processor));
    EXPECT_FALSE (processor->getMidiControl().isLearnMode());
}
