#include <gtest/gtest.h>

// The fuzz targets' entry functions, compiled into this test from their own
// source, so that the suite replays exactly what the fuzzers run: every seed
// (fuzz/corpus/<target>/) and every input that once crashed a target
// (fuzz/regressions/<target>/) goes through its target's function, which
// checks the rules that hold for any input; the tests below add what each
// seed must come to.
#include "../../fuzz/FuzzTargets.cpp"

#include <algorithm>
#include <functional>
#include <map>

namespace
{
    using namespace KorvaneFuzz;
    using EntryFunction = Outcome (*) (const uint8_t*, size_t);

    juce::File fuzzFolder()
    {
        // This file is tests/fuzzing/FuzzRegressionTest.cpp.
        const juce::String source (__FILE__);
        const auto file = juce::File::isAbsolutePath (source) ? juce::File (source)
                                                              : juce::File::getCurrentWorkingDirectory().getChildFile (source);
        return file.getParentDirectory().getParentDirectory().getParentDirectory().getChildFile ("fuzz");
    }

    struct Input
    {
        juce::String name;      // "corpus/skin/skin.xml"
        bool isSeed = true;
        juce::MemoryBlock bytes;

        const uint8_t* data() const { return static_cast<const uint8_t*> (bytes.getData()); }
        size_t size() const         { return bytes.getSize(); }
    };

    std::vector<Input> inputsOf (const char* target)
    {
        std::vector<Input> inputs;

        for (const auto* kind : { "corpus", "regressions" })
        {
            auto files = fuzzFolder().getChildFile (kind).getChildFile (target)
                                     .findChildFiles (juce::File::findFiles, false, "*");
            files.sort();

            for (const auto& file : files)
            {
                Input input;
                input.name = juce::String (kind) + "/" + target + "/" + file.getFileName();
                input.isSeed = juce::String (kind) == "corpus";
                file.loadFileAsData (input.bytes);
                inputs.push_back (std::move (input));
            }
        }

        return inputs;
    }

    float valueOf (const char* name)
    {
        return sharedProduct().getParameterManager().getParameterByName (name)->getNormalisedValue();
    }

    juce::String controllerOf (int controller)
    {
        auto* parameter = sharedProduct().getMidiControl().getParameterForController (controller);
        return parameter != nullptr ? parameter->getName() : juce::String ("-");
    }

    juce::String groupsOfBank()
    {
        auto& bank = sharedProduct().getBank();
        juce::StringArray groups;

        for (int g = 0; g < bank.getNumGroups(); ++g)
            groups.add (bank.getGroupName (g) + ":" + juce::String (bank.getGroupCount (g)));

        return groups.joinIntoString (", ");
    }

    float slotValue (int slot, const char* name)
    {
        auto& product = sharedProduct();
        return product.getBank().getValue (slot, product.getParameterManager().getParameterByName (name)->getIdentifier());
    }

    juce::MemoryBlock stateOfProduct()
    {
        juce::MemoryBlock block;
        sharedProduct().getStateInformation (block);
        deliverPendingMessages();
        return block;
    }

    /** Saved, restored into the started product and saved again, a state
        comes out the same: exactly for the seeds, which the product wrote
        or could have; once the first save has put its values into the
        product's own terms for the rest. */
    void expectStateSurvivesSavingAndRestoring (const Input& input)
    {
        auto& product = sharedProduct();
        const auto first = stateOfProduct();

        resetSharedProduct();
        product.setStateInformation (first.getData(), (int) first.getSize());
        const auto second = stateOfProduct();

        resetSharedProduct();
        product.setStateInformation (second.getData(), (int) second.getSize());
        const auto third = stateOfProduct();

        EXPECT_EQ (second, third);

        if (input.isSeed)
        {
            EXPECT_EQ (first, second);
        }
    }

    using Expectations = std::map<juce::String, std::function<void (const Outcome&)>>;

    /** Runs every input of the target through its function; then the input's
        own expectation, when there is one, or else the rule for input the
        reader rejects: nothing changes. */
    void replay (const char* target, EntryFunction entry, const Expectations& expectations,
                 const std::function<void (const Input&, const Outcome&)>& forEveryInput = {})
    {
        const auto inputs = inputsOf (target);
        ASSERT_FALSE (inputs.empty()) << "no seeds for " << target << " in " << fuzzFolder().getFullPathName();

        int seeds = 0;

        for (const auto& input : inputs)
        {
            SCOPED_TRACE (input.name.toStdString());
            seeds += input.isSeed ? 1 : 0;

            const auto outcome = entry (input.data(), input.size());
            const auto fileName = input.name.fromLastOccurrenceOf ("/", false, false);

            if (auto found = expectations.find (fileName); found != expectations.end() && input.isSeed)
                found->second (outcome);

            if (forEveryInput)
                forEveryInput (input, outcome);
        }

        EXPECT_GT (seeds, 0);

        for (const auto& [name, check] : expectations)
        {
            juce::ignoreUnused (check);
            EXPECT_TRUE (std::any_of (inputs.begin(), inputs.end(), [&] (const Input& i) { return i.isSeed && i.name.endsWith ("/" + name); }))
                << "the seed " << name << " of " << target << " is missing";
        }
    }

    void expectRejectedAndUnchanged (const Outcome& outcome, bool ignoreRecentFolder = false)
    {
        EXPECT_FALSE (outcome.accepted);
        EXPECT_TRUE (sharedProductIsAsStarted (ignoreRecentFolder));
    }

    class FuzzRegression : public ::testing::Test
    {
    public:
        static void TearDownTestSuite() { releaseSharedInstances(); }
    };
}

//==============================================================================
TEST_F (FuzzRegression, StateChunks)
{
    const auto rejected = [] (const Outcome& o) { expectRejectedAndUnchanged (o); };
    const auto fresh = [] (const Outcome& o)
    {
        EXPECT_TRUE (o.accepted);
        EXPECT_EQ (o.count, 21);
        EXPECT_EQ (groupsOfBank(), "Keys:2, Not used:126");
        EXPECT_EQ (sharedProduct().getCurrentPresetIndex(), 0);
        EXPECT_FLOAT_EQ (valueOf ("Treble Bandwidth"), 0.6f);
    };

    replay ("state_chunk", fuzzStateChunk,
            { { "fresh.chunk", fresh },
              { "length-beyond-block.chunk", fresh },
              { "bad-magic.chunk", rejected },
              { "header-only.chunk", rejected },
              { "truncated.chunk", rejected },
              { "zero-length.chunk", rejected },
              { "negative-length.chunk", rejected },
              { "other-product.chunk", rejected },
              // What the strict reader refuses whole: never half a bank.
              { "cut-in-closing-tag.chunk", rejected },
              { "mismatched-end-tag.chunk", rejected },
              { "deep-nesting.chunk", rejected },
              { "dtd-entities.chunk", rejected },
              { "long-attribute.chunk", fresh },
              { "used.chunk", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_FLOAT_EQ (valueOf ("Preamp Gain"), 0.75f);
                    EXPECT_FLOAT_EQ (valueOf ("Tone"), 0.125f);
                    EXPECT_FLOAT_EQ (valueOf ("Output Volume"), 0.3f);
                    EXPECT_FLOAT_EQ (valueOf ("High Cut On/Off"), 0.0f);
                    EXPECT_EQ (sharedProduct().getQualityLevel(), 2);
                    EXPECT_EQ (controllerOf (1), "Preamp Gain");
                    EXPECT_EQ (controllerOf (7), "Output Volume");
                    EXPECT_EQ (controllerOf (74), "Tone");
                    EXPECT_EQ (sharedProduct().getCurrentPresetIndex(), 1);
                    EXPECT_EQ (sharedProduct().getBank().getName (1), "Crunch & \"Grit\" <2>");
                    EXPECT_EQ (groupsOfBank(), juce::CharPointer_UTF8 ("Keys:2, Acid lines \xc3\xa9:2, Not used:124"));
                } },
              { "older.chunk", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (sharedProduct().getCurrentPresetIndex(), 1);
                    EXPECT_EQ (sharedProduct().getBank().getName (1), "Second");
                    EXPECT_EQ (sharedProduct().getBank().getBankName(), "Old bank");
                    EXPECT_FLOAT_EQ (valueOf ("Preamp Gain"), 0.75f) << "the current preset is applied";
                    EXPECT_FLOAT_EQ (valueOf ("High Cut On/Off"), 0.0f);
                    EXPECT_FLOAT_EQ (slotValue (0, "High Cut On/Off"), 1.0f) << "presets without rev load with the high cut on";
                    EXPECT_EQ (sharedProduct().getQualityLevel(), 1);
                    EXPECT_EQ (controllerOf (11), "FX");
                } },
              { "letter-case.chunk", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_FLOAT_EQ (valueOf ("Tone"), 0.2f) << "parameter names are matched exactly";
                    EXPECT_EQ (sharedProduct().getQualityLevel(), 3);
                    EXPECT_EQ (sharedProduct().getCurrentPresetIndex(), 2);
                    EXPECT_EQ (sharedProduct().getBank().getBankName(), "Lower");
                    EXPECT_EQ (sharedProduct().getBank().getName (0), "lower");
                    EXPECT_EQ (controllerOf (20), "Low Cut");
                } },
              { "odd-values.chunk", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_FLOAT_EQ (valueOf ("Preamp Gain"), 0.0f);
                    EXPECT_FLOAT_EQ (valueOf ("Low Cut"), 0.0f);
                    EXPECT_FLOAT_EQ (valueOf ("High Cut"), 1.0f);
                    EXPECT_FLOAT_EQ (valueOf ("Tone"), 1.0f);
                    EXPECT_FLOAT_EQ (valueOf ("FX"), 0.0f);
                    EXPECT_FLOAT_EQ (valueOf ("Quality"), 1.0f) << "an unknown quality name changes nothing";
                    EXPECT_EQ (sharedProduct().getCurrentPresetIndex(), 0) << "200 and -1 are no slots";
                    EXPECT_EQ (sharedProduct().getMidiControl().getAssignmentCount(), 0);
                } } },
            [] (const Input& input, const Outcome& outcome)
            {
                if (outcome.accepted)
                    expectStateSurvivesSavingAndRestoring (input);
                else
                    EXPECT_TRUE (sharedProductIsAsStarted());
            });
}

TEST_F (FuzzRegression, StateDocuments)
{
    replay ("state_xml", fuzzStateXml,
            { { "fresh.xml", [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_EQ (groupsOfBank(), "Keys:2, Not used:126"); } },
              { "used.xml", [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_FLOAT_EQ (valueOf ("Preamp Gain"), 0.75f); } },
              { "older.xml", [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_EQ (sharedProduct().getCurrentPresetIndex(), 1); } },
              { "other-product.xml", [] (const Outcome& o) { expectRejectedAndUnchanged (o); } },
              { "cut-in-closing-tag.xml", [] (const Outcome& o) { expectRejectedAndUnchanged (o); } },
              { "mismatched-end-tag.xml", [] (const Outcome& o) { expectRejectedAndUnchanged (o); } },
              { "deep-nesting.xml", [] (const Outcome& o) { expectRejectedAndUnchanged (o); } },
              { "dtd-entities.xml", [] (const Outcome& o) { expectRejectedAndUnchanged (o); } } },
            [] (const Input& input, const Outcome& outcome)
            {
                if (outcome.accepted)
                    expectStateSurvivesSavingAndRestoring (input);
                else
                    EXPECT_TRUE (sharedProductIsAsStarted());
            });
}

TEST_F (FuzzRegression, ProgramChunks)
{
    const auto rejected = [] (const Outcome& o) { expectRejectedAndUnchanged (o); };
    const auto unchanged = [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_EQ (o.count, 21); EXPECT_TRUE (sharedProductIsAsStarted()); };

    replay ("program_chunk", fuzzProgramChunk,
            { { "fresh.chunk", unchanged },
              { "length-beyond-block.chunk", unchanged },
              { "other-product.chunk", rejected },
              { "bank-instead.chunk", rejected },
              { "rev0-without-high-cut.chunk", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (sharedProduct().getBank().getName (0), "Before revision 1");
                    EXPECT_FLOAT_EQ (valueOf ("Preamp Gain"), 0.5f);
                    EXPECT_FLOAT_EQ (valueOf ("High Cut"), 0.2f);
                    EXPECT_FLOAT_EQ (valueOf ("High Cut On/Off"), 1.0f);
                } },
              { "older-tag.chunk", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (sharedProduct().getBank().getName (0), "Older");
                    EXPECT_FLOAT_EQ (valueOf ("Tone"), 0.3f);
                    EXPECT_FLOAT_EQ (valueOf ("Brightness"), 1.0f);
                } },
              { "odd-values.chunk", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (sharedProduct().getBank().getName (0), "unnamed");
                    EXPECT_FLOAT_EQ (slotValue (0, "Tone"), -1.0f) << "the last param of a name wins";
                    EXPECT_FLOAT_EQ (valueOf ("Tone"), 0.0f);
                    EXPECT_FLOAT_EQ (slotValue (0, "Middle Gain"), 0.0f);
                    EXPECT_FLOAT_EQ (valueOf ("High Cut On/Off"), 1.0f);
                } } });
}

TEST_F (FuzzRegression, PresetFiles)
{
    const auto sameAsSlot0 = [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_TRUE (sharedProductIsAsStarted (true)); };

    replay ("preset", fuzzPresetDocument,
            { { "default.kvprs", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (o.count, 21);
                    EXPECT_EQ (sharedProduct().getBank().getName (0), "empty");
                    EXPECT_FLOAT_EQ (valueOf ("Tube Bias"), 1.0f);
                    EXPECT_FLOAT_EQ (valueOf ("Treble Bandwidth"), 0.6f);
                } },
              { "honky-tonk.kvprs", sameAsSlot0 },
              { "utf16.kvprs", sameAsSlot0 },
              { "other-product.kvprs", [] (const Outcome& o) { expectRejectedAndUnchanged (o, true); } },
              { "older-tag.kvp", [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_FLOAT_EQ (valueOf ("Tone"), 0.3f); } },
              // No document type declaration is read: nothing is taken.
              { "doctype-entities-comments.kvprs", [] (const Outcome& o) { expectRejectedAndUnchanged (o, true); } },
              { "entities-comments-cdata.kvprs", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (sharedProduct().getBank().getName (0), juce::CharPointer_UTF8 ("&<\xe2\x98\xba" "A"));
                    EXPECT_FLOAT_EQ (valueOf ("Tone"), 0.125f);
                } } });
}

TEST_F (FuzzRegression, BankFiles)
{
    replay ("bank", fuzzBankDocument,
            { { "small-bank.kvprsb", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (groupsOfBank(), "Keys:2, Acid lines:2, Electronic Drums:0, Not used:124");
                    EXPECT_EQ (sharedProduct().getBank().getName (4), "Preset 4");
                } },
              { "older-tags.kvb", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (groupsOfBank(), "One:2, Two:1, Not used:125");
                    EXPECT_EQ (sharedProduct().getBank().getName (2), "unnamed");
                    EXPECT_FLOAT_EQ (valueOf ("Tone"), 0.1f);
                } },
              { "mixed.kvprsb", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (groupsOfBank(), "group 1:1, Named:0, group 3:0, Not used:127");
                    EXPECT_EQ (sharedProduct().getBank().getBankName(), "Preset Bank");
                    EXPECT_EQ (sharedProduct().getBank().getName (0), "unnamed");
                } },
              { "overfull.kvprsb", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (o.count, 128);
                    EXPECT_EQ (groupsOfBank(), "Full:100, Cut:28, Empty after:0");
                    EXPECT_EQ (sharedProduct().getBank().getName (127), "27");
                } },
              { "preset-instead.kvprsb", [] (const Outcome& o) { expectRejectedAndUnchanged (o, true); } },
              { "deep-nesting.kvprsb", [] (const Outcome& o) { expectRejectedAndUnchanged (o, true); } } },
            [] (const Input&, const Outcome& outcome)
            {
                if (! outcome.accepted)
                    return;

                // Saved and loaded again, the bank is the same.
                auto& product = sharedProduct();
                const auto saved = product.createBankXml()->toString (XmlNames::fileFormat());
                resetSharedProduct();
                const auto reread = XmlNames::parseText (saved);
                ASSERT_NE (reread, nullptr);
                product.loadBankFromXml (*reread);
                EXPECT_EQ (product.createBankXml()->toString (XmlNames::fileFormat()), saved);
            });
}

TEST_F (FuzzRegression, MidiMapFiles)
{
    const auto rejected = [] (const Outcome& o) { expectRejectedAndUnchanged (o); };

    replay ("midi_map", fuzzMidiMapDocument,
            { { "saved.kvccmap", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (o.count, 3);
                    EXPECT_EQ (controllerOf (1), "Preamp Gain");
                    EXPECT_EQ (controllerOf (7), "Output Volume");
                    EXPECT_EQ (controllerOf (74), "Tone");
                } },
              { "application-attribute.kvc", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (controllerOf (64), "High Cut On/Off");
                    EXPECT_EQ (controllerOf (2), "Tone");
                } },
              { "odd-entries.kvccmap", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (o.count, 2);
                    EXPECT_EQ (controllerOf (0), "Low Cut") << "a missing CC reads as 0";
                    EXPECT_EQ (controllerOf (13), "FX");
                    EXPECT_EQ (controllerOf (12), "-") << "Tone moved to 13 and lost it to FX";
                    EXPECT_EQ (controllerOf (3), "-") << "Quality is not automatable";
                } },
              { "other-product.kvccmap", rejected },
              { "truncated.kvccmap", rejected },
              { "no-name.kvccmap", rejected } });
}

TEST_F (FuzzRegression, UserSettingsFiles)
{
    replay ("user_settings", fuzzUserSettingsDocument,
            { { "fresh.ini", [] (const Outcome& o)
                {
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (sharedProduct().getRecentlyUsedDirectory(), "/tmp");
                    EXPECT_TRUE (sharedProductIsAsStarted (true));
                } },
              { "user-choices.ini", [] (const Outcome& o)
                {
                    auto& product = sharedProduct();
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (product.getDefaultPresetsMode(), BasePluginOldStyle::userDefinedPresets);
                    EXPECT_EQ (product.getUserDefinedBankFile(), "/nonexistent/bank.kvprsb");
                    EXPECT_TRUE (product.getMidiControl().getUseDefaultMap());
                    EXPECT_EQ (product.getMidiControl().getDefaultMapPath(), "/nonexistent/map.kvccmap");
                    EXPECT_FALSE (product.isPresetStoringOnDemand());
                    EXPECT_TRUE (product.isSilentPresetChange());
                    EXPECT_EQ (product.getDefaultQualityLevel(), 3);
                } },
              { "letter-case.ini", [] (const Outcome& o)
                {
                    auto& product = sharedProduct();
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (product.getDefaultPresetsMode(), BasePluginOldStyle::clearedPresets);
                    EXPECT_FALSE (product.getMidiControl().getUseDefaultMap()) << "NoMapping is no choice: nothing changed";
                    EXPECT_TRUE (product.isPresetStoringOnDemand());
                    EXPECT_EQ (product.getDefaultQualityLevel(), 1);
                } },
              { "missing-folder.ini", [] (const Outcome& o)
                {
                    auto& product = sharedProduct();
                    EXPECT_TRUE (o.accepted);
                    EXPECT_EQ (product.getRecentlyUsedDirectory(), productUnderTest().start.recentFolder);
                    EXPECT_EQ (product.getDefaultPresetsMode(), BasePluginOldStyle::userDefinedPresets);
                    EXPECT_EQ (product.getUserDefinedBankFile(), "");
                    EXPECT_TRUE (product.isPresetStoringOnDemand());
                } },
              { "other-product.ini", [] (const Outcome& o) { expectRejectedAndUnchanged (o); } },
              { "deep-nesting.ini", [] (const Outcome& o) { expectRejectedAndUnchanged (o); } },
              { "dtd.ini", [] (const Outcome& o) { expectRejectedAndUnchanged (o); } } });
}

TEST_F (FuzzRegression, SkinDocuments)
{
    replay ("skin", fuzzSkinDocument,
            { { "skin.xml", [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_EQ (o.count, 28); } },
              { "panels.xml", [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_EQ (o.count, 1); } },
              { "displays.xml", [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_EQ (o.count, 3); } },
              { "buttons.xml", [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_EQ (o.count, 8); } },
              { "fallbacks.xml", [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_EQ (o.count, 5); } },
              { "wrong-root.xml", [] (const Outcome& o) { EXPECT_FALSE (o.accepted); EXPECT_EQ (o.count, 0); } } });
}

TEST_F (FuzzRegression, ParameterDefinitions)
{
    replay ("parameters", fuzzParameterDefinitions,
            { { "parameters.xml", [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_EQ (o.count, 22); } },
              { "all-kinds.xml", [] (const Outcome& o) { EXPECT_TRUE (o.accepted); EXPECT_EQ (o.count, 13); } },
              { "wrong-root.xml", [] (const Outcome& o) { EXPECT_FALSE (o.accepted); EXPECT_EQ (o.count, 0); } } });
}
