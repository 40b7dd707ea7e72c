#include "FuzzTargets.h"

#include "midi/MidiControl.h"
#include "parameters/FloatParameter.h"
#include "parameters/IntParameter.h"
#include "parameters/ParameterManager.h"
#include "parameters/StringParameter.h"
#include "plugin/EventsMap.h"
#include "plugin/Korvane.h"
#include "plugin/XmlNames.h"
#include "presets/StateChunk.h"
#include "skin/SkinLoader.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace juce
{
    // One step of JUCE's message loop, as its plug-in wrappers take it on
    // Linux: delivers whatever is pending, false when nothing was.
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace KorvaneFuzz
{
namespace
{
    //==============================================================================
    // Rules that hold for any input. A broken one ends the process: libFuzzer
    // keeps the input as a crash, the unit tests fail.

    [[noreturn]] void broken (const char* target, const char* rule)
    {
        std::fprintf (stderr, "\n*** korvane fuzz target %s: %s\n", target, rule);
        std::fflush (stderr);
        std::abort();
    }

    void require (bool holds, const char* target, const char* rule)
    {
        if (! holds)
            broken (target, rule);
    }

    /** The asynchronous notifications an input caused: parameters to the
        editor's controls, the MIDI map to its listeners, the restored-state
        notification. Delivered before an input's function returns, so that
        everything the input sets off happens within its own run. */
    void deliverPendingMessages()
    {
        for (int round = 0; round < 1000; ++round)
            if (! juce::dispatchNextMessageOnSystemQueue (true))
                return;
    }

    int sizeAsInt (size_t size)
    {
        return size > (size_t) INT_MAX ? INT_MAX : (int) size;
    }

    /** The text packed the way the state and program chunks carry it:
        magic, length, the text, a zero byte and a spare one. */
    juce::MemoryBlock packAsChunk (const uint8_t* data, size_t size)
    {
        juce::MemoryOutputStream out;
        out.writeInt ((int) StateChunk::magic);
        out.writeInt (sizeAsInt (size));

        if (size > 0)
            out.write (data, (size_t) sizeAsInt (size));

        out.writeByte (0);
        out.writeByte (0);
        return out.getMemoryBlock();
    }

    juce::String textOf (const uint8_t* data, size_t size)
    {
        return size > 0 ? juce::String::fromUTF8 (reinterpret_cast<const char*> (data), sizeAsInt (size))
                        : juce::String();
    }

    void writeFile (const juce::File& file, const uint8_t* data, size_t size)
    {
        file.deleteFile();
        juce::FileOutputStream out (file);

        if (out.openedOk() && size > 0)
            out.write (data, (size_t) sizeAsInt (size));
    }

    /** A new folder name for temporary files: inside $KORVANE_FUZZ_TEMP
        when that names a folder (tools/fuzz.sh points it into its scratch
        folder), else in the system's temporary folder. */
    juce::File temporaryFolder (const char* prefix)
    {
        const auto base = juce::SystemStats::getEnvironmentVariable ("KORVANE_FUZZ_TEMP", {});

        if (juce::File::isAbsolutePath (base) && juce::File (base).isDirectory())
            return juce::File (base).getNonexistentChildFile (prefix, {}, false);

        return juce::File::createTempFile (prefix);
    }

    //==============================================================================
    /** Everything about the product an input can change, as it was right
        after start-up. */
    struct StartState
    {
        std::vector<Preset> presets;
        std::vector<PresetGroup> groups;
        juce::String bankName;
        int currentPreset = 0;
        juce::OwnedArray<Parameter> parameters;   // copies, in the parameter set's order
        std::array<Parameter*, MidiControl::numControllers> controllers {};
        bool useDefaultMap = false;
        juce::String defaultMapPath;
        bool storingOnDemand = true;
        bool silentChange = false;
        int presetsMode = 0;
        int defaultQuality = 0;
        juce::String userBankFile;
        juce::String recentFolder;

        static bool isPresetParameter (const Parameter& parameter)
        {
            const auto identifier = parameter.getIdentifier();
            return identifier == BasePluginOldStyle::currentPresetNumberIdentifier
                || identifier == BasePluginOldStyle::currentPresetNameIdentifier;
        }

        void take (Korvane& product)
        {
            auto& bank = product.getBank();

            for (int i = 0; i < PresetBank::slotCount; ++i)
                presets.push_back (bank.getPreset (i));

            for (int g = 0; g < bank.getNumGroups(); ++g)
                groups.push_back (bank.getGroup (g));

            bankName = bank.getBankName();
            currentPreset = product.getCurrentPresetIndex();

            auto& set = product.getParameterManager();

            for (int i = 0; i < set.getNumParameters(); ++i)
                parameters.add (set.getParameterAt (i)->clone().release());

            auto& midi = product.getMidiControl();

            for (int c = 0; c < MidiControl::numControllers; ++c)
                controllers[(size_t) c] = midi.getParameterForController (c);

            useDefaultMap = midi.getUseDefaultMap();
            defaultMapPath = midi.getDefaultMapPath();
            storingOnDemand = product.isPresetStoringOnDemand();
            silentChange = product.isSilentPresetChange();
            presetsMode = product.getDefaultPresetsMode();
            defaultQuality = product.getDefaultQualityLevel();
            userBankFile = product.getUserDefinedBankFile();
            recentFolder = product.getRecentlyUsedDirectory();
        }

        void restore (Korvane& product) const
        {
            // With automatic storing, every value set below would also land in
            // the current slot.
            product.setPresetStoringOnDemand (true);

            auto& midi = product.getMidiControl();
            midi.setLearnMode (false);

            if (! mapMatches (midi))
            {
                midi.clearAll();

                for (int c = 0; c < MidiControl::numControllers; ++c)
                    if (auto* parameter = controllers[(size_t) c])
                        midi.assignController (c, parameter, true);
            }

            midi.setUseDefaultMap (useDefaultMap);
            midi.setDefaultMapPath (defaultMapPath);

            auto& bank = product.getBank();

            for (int i = 0; i < PresetBank::slotCount; ++i)
                bank.setPreset (i, presets[(size_t) i]);

            bank.clearGroups();

            for (const auto& group : groups)
                bank.appendGroup (group);

            bank.setBankName (bankName);

            // The two preset parameters follow from the current preset below.
            auto& set = product.getParameterManager();

            for (int i = 0; i < juce::jmin (set.getNumParameters(), parameters.size()); ++i)
                if (auto* parameter = set.getParameterAt (i); parameter != nullptr && ! isPresetParameter (*parameter))
                    parameter->copyValueFrom (*parameters.getUnchecked (i), true);

            product.setCurrentPresetIndex (currentPreset, true);

            product.setSilentPresetChange (silentChange);
            product.setDefaultPresetsMode (presetsMode);
            product.setDefaultQualityLevel (defaultQuality);
            product.setUserDefinedBankFile (userBankFile);
            product.setRecentlyUsedDirectory (juce::File (recentFolder));
            product.setPresetStoringOnDemand (storingOnDemand);
        }

        bool mapMatches (const MidiControl& midi) const
        {
            for (int c = 0; c < MidiControl::numControllers; ++c)
                if (midi.getParameterForController (c) != controllers[(size_t) c])
                    return false;

            return true;
        }

        static bool sameValue (const Parameter& a, const Parameter& b)
        {
            if (a.getText() != b.getText())
                return false;

            // A text parameter's value is its text read as a number.
            return dynamic_cast<const StringParameter*> (&a) != nullptr || a.getValue() == b.getValue();
        }

        bool matches (Korvane& product, bool ignoreRecentFolder) const
        {
            auto& bank = product.getBank();

            for (int i = 0; i < PresetBank::slotCount; ++i)
            {
                const auto preset = bank.getPreset (i);
                const auto& expected = presets[(size_t) i];

                if (preset.name != expected.name || preset.values != expected.values)
                    return false;
            }

            if (bank.getNumGroups() != (int) groups.size() || bank.getBankName() != bankName)
                return false;

            for (int g = 0; g < bank.getNumGroups(); ++g)
            {
                const auto group = bank.getGroup (g);

                if (group.name != groups[(size_t) g].name || group.count != groups[(size_t) g].count)
                    return false;
            }

            auto& set = product.getParameterManager();

            if (set.getNumParameters() != parameters.size())
                return false;

            for (int i = 0; i < parameters.size(); ++i)
                if (! sameValue (*set.getParameterAt (i), *parameters.getUnchecked (i)))
                    return false;

            auto& midi = product.getMidiControl();

            return product.getCurrentPresetIndex() == currentPreset
                && mapMatches (midi)
                && midi.getUseDefaultMap() == useDefaultMap
                && midi.getDefaultMapPath() == defaultMapPath
                && product.isPresetStoringOnDemand() == storingOnDemand
                && product.isSilentPresetChange() == silentChange
                && product.getDefaultPresetsMode() == presetsMode
                && product.getDefaultQualityLevel() == defaultQuality
                && product.getUserDefinedBankFile() == userBankFile
                && (ignoreRecentFolder || product.getRecentlyUsedDirectory() == recentFolder);
        }
    };

    struct ProductUnderTest
    {
        ProductUnderTest()
        {
            std::unique_ptr<juce::AudioProcessor> made (createPluginFilter());

            if (dynamic_cast<Korvane*> (made.get()) == nullptr)
                broken ("product", "createPluginFilter() made no Korvane");

            product.reset (static_cast<Korvane*> (made.release()));
            deliverPendingMessages();
            start.take (*product);
        }

        std::unique_ptr<Korvane> product;
        StartState start;
    };

    //==============================================================================
    /** What the skin is loaded with: the product's parameter set (the
        definitions and the two preset parameters) and event map, and a
        stand-in for the editor, whose first child is its status bar. */
    struct SkinWorld
    {
        SkinWorld()
        {
            parameters.loadFromResource ("parameters.xml");
            parameters.addParameter (new IntParameter (BasePluginOldStyle::currentPresetNumberIdentifier,
                                                       "Current Preset Number", 0, PresetBank::slotCount - 1, 0));
            parameters.addParameter (new StringParameter (BasePluginOldStyle::currentPresetNameIdentifier,
                                                          "Current Preset Name", "Honky Tonk"));
            events.registerBuiltInEvents();

            for (int i = 0; i < parameters.getNumParameters(); ++i)
                startValues.add (parameters.getParameterAt (i)->clone().release());

            editor.setSize (633, 207 + statusBarHeight);
            editor.addAndMakeVisible (statusBar);
            statusBar.setBounds (0, 207, 633, statusBarHeight);
        }

        void restoreValues()
        {
            for (int i = 0; i < startValues.size(); ++i)
                parameters.getParameterAt (i)->copyValueFrom (*startValues.getUnchecked (i), false);
        }

        static constexpr int statusBarHeight = 23;

        ParameterManager parameters;
        EventsMap events;
        juce::OwnedArray<Parameter> startValues;
        juce::Component editor;
        juce::Component statusBar;
        GUIController::Listener listener;
    };

    //==============================================================================
    struct Shared
    {
        Shared()
        {
            scratch.createDirectory();
        }

        ~Shared()
        {
            skin.reset();
            product.reset();
            scratch.deleteRecursively();
        }

        juce::File scratch = temporaryFolder ("korvane-fuzz-files");
        std::unique_ptr<ProductUnderTest> product;
        std::unique_ptr<SkinWorld> skin;
    };

    // Deliberately not a static object: it is deleted by
    // releaseSharedInstances() while JUCE still runs, never by the C++
    // run-time after JUCE has shut down.
    Shared* shared = nullptr;

    Shared& getShared()
    {
        if (shared == nullptr)
            shared = new Shared();

        return *shared;
    }

    ProductUnderTest& productUnderTest()
    {
        auto& s = getShared();

        if (s.product == nullptr)
            s.product = std::make_unique<ProductUnderTest>();

        return *s.product;
    }

    /** The shared product, back as it started. */
    Korvane& preparedProduct()
    {
        resetSharedProduct();
        return *productUnderTest().product;
    }

    juce::File scratchFile (const char* name)
    {
        return getShared().scratch.getChildFile (name);
    }

    bool isValidText (const juce::String& text)
    {
        return juce::CharPointer_UTF8::isValidString (text.toRawUTF8(), (int) text.getNumBytesAsUTF8());
    }

    //==============================================================================
    /** What holds for the product after any input. */
    void checkProductRules (Korvane& product, const char* target)
    {
        auto& bank = product.getBank();
        int held = 0;

        for (int g = 0; g < bank.getNumGroups(); ++g)
        {
            const auto count = bank.getGroupCount (g);
            require (count >= 0, target, "a preset group holds a negative number of presets");
            held += count;
        }

        require (held == PresetBank::slotCount, target, "the preset groups do not hold exactly the 128 slots");
        require (PresetBank::isValidSlot (product.getCurrentPresetIndex()), target, "the current preset is no slot");

        // Every name the product holds goes into the next state chunk, which
        // must read back.
        require (isValidText (bank.getBankName()), target, "the bank's name is no valid text");

        for (int g = 0; g < bank.getNumGroups(); ++g)
            require (isValidText (bank.getGroupName (g)), target, "a group's name is no valid text");

        for (int i = 0; i < PresetBank::slotCount; ++i)
            require (isValidText (bank.getName (i)), target, "a preset's name is no valid text");

        auto& midi = product.getMidiControl();
        juce::Array<Parameter*> driven;

        for (int c = 0; c < MidiControl::numControllers; ++c)
        {
            if (auto* parameter = midi.getParameterForController (c))
            {
                require (! driven.contains (parameter), target, "one parameter is driven by two MIDI controllers");
                require (parameter->isAutomatable(), target, "a MIDI controller drives a parameter that is not automatable");
                driven.add (parameter);
            }
        }

        require (driven.size() == midi.getAssignmentCount(), target, "the MIDI map's assignment count is not its number of assignments");
    }

    /** After a preset, a bank or a program chunk was loaded, the current
        slot is applied: the live values are its stored values, limited to
        0 ... 1. */
    void checkLiveValuesFollowTheCurrentSlot (Korvane& product, const char* target)
    {
        const auto index = product.getCurrentPresetIndex();
        auto& set = product.getParameterManager();

        for (int i = 0; i < product.getNumPresetParameters(); ++i)
        {
            const auto stored = product.getBank().getValue (index, i);
            const auto expected = stored >= 0.0f ? juce::jmin (stored, 1.0f) : 0.0f;

            if (auto* parameter = set.getParameter (i))
                require (parameter->getNormalisedValue() == expected, target,
                         "a live value is not the current preset's stored value");
        }
    }

    /** The number of param children naming a parameter presets store. */
    int countPresetValues (Korvane& product, const juce::XmlElement& preset)
    {
        int count = 0;

        for (auto* child : preset.getChildIterator())
            if (XmlNames::hasTag (*child, "param"))
                if (auto* parameter = product.getParameterManager().getParameterByName (XmlNames::attributeText (*child, "name")))
                    if (parameter->getIdentifier() >= 0 && parameter->getIdentifier() < product.getNumPresetParameters())
                        ++count;

        return count;
    }

    /** The current slot written as a preset file writes it and read back:
        the same name and the same (rounded) values. */
    void checkCurrentPresetSurvivesWriting (Korvane& product, const char* target)
    {
        const auto index = product.getCurrentPresetIndex();
        const auto stored = product.getBank().getPreset (index);
        const auto written = product.createPresetXml (index)->toString (XmlNames::fileFormat());
        const auto reread = XmlNames::parseText (written);
        require (reread != nullptr, target, "a preset as written does not parse");

        Preset copy ({}, stored.getCount(), -1);
        product.loadPresetFromXml (*reread, copy);
        require (copy.name == stored.name, target, "a preset's name changes when it is written and read");

        for (size_t i = 0; i < stored.values.size(); ++i)
        {
            const auto expected = (float) BasePluginOldStyle::formatPresetValue (stored.values[i]).getDoubleValue();
            require (copy.values[i] == expected || (std::isnan (copy.values[i]) && std::isnan (expected)), target,
                     "a preset's value changes when it is written and read");
        }
    }

    /** A state chunk restored; input that is no state of this product must
        leave everything as it was. */
    Outcome afterStateRestore (Korvane& product, const void* chunk, int size, const char* target)
    {
        deliverPendingMessages();
        checkProductRules (product, target);

        Outcome outcome;
        const auto root = StateChunk::unpack (chunk, size);
        outcome.accepted = root != nullptr && product.isStateXml (*root);

        if (! outcome.accepted)
        {
            require (sharedProductIsAsStarted(), target, "a chunk that is no state of this product changed the product");
            return outcome;
        }

        for (auto* section : root->getChildIterator())
            if (XmlNames::hasTag (*section, "ParametersState"))
                for (auto* param : section->getChildIterator())
                    if (XmlNames::hasTag (*param, "param")
                        && product.getParameterManager().getParameterByName (XmlNames::attributeText (*param, "name")) != nullptr)
                        ++outcome.count;

        return outcome;
    }

    Outcome afterProgramRestore (Korvane& product, const void* chunk, int size, const char* target)
    {
        deliverPendingMessages();
        checkProductRules (product, target);
        checkLiveValuesFollowTheCurrentSlot (product, target);

        Outcome outcome;
        const auto root = StateChunk::unpack (chunk, size);
        outcome.accepted = root != nullptr && product.isPresetXml (*root);

        if (outcome.accepted)
        {
            outcome.count = countPresetValues (product, *root);
            checkCurrentPresetSurvivesWriting (product, target);
        }
        else
        {
            require (sharedProductIsAsStarted(), target, "a program chunk that is no preset of this product changed the product");
        }

        return outcome;
    }
}

//==============================================================================
Korvane& sharedProduct()
{
    return *productUnderTest().product;
}

void resetSharedProduct()
{
    auto& underTest = productUnderTest();
    underTest.start.restore (*underTest.product);
    deliverPendingMessages();
}

bool sharedProductIsAsStarted (bool ignoreRecentFolder)
{
    auto& underTest = productUnderTest();
    return underTest.start.matches (*underTest.product, ignoreRecentFolder);
}

void releaseSharedInstances()
{
    if (shared == nullptr)
        return;

    // The product writes its user settings as it goes: the ones it started with.
    if (shared->product != nullptr)
        resetSharedProduct();

    delete shared;
    shared = nullptr;
    deliverPendingMessages();
}

void setUpForFuzzing()
{
    struct FuzzProcess
    {
        FuzzProcess()
        {
            settings.createDirectory();
            BasePlugin::setUserSettingsFolderOverride (settings);
        }

        juce::ScopedJuceInitialiser_GUI juceRunning;
        juce::File settings = temporaryFolder ("korvane-fuzz-settings");
    };

    // JUCE runs until the process ends and is never shut down: its static
    // objects go at exit in an order no code of ours can follow, so neither
    // it nor the shared instances (still reachable) are torn down then. The
    // exit only removes the temporary folders.
    static FuzzProcess* process = nullptr;

    if (process != nullptr)
        return;

    process = new FuzzProcess();

    std::atexit ([]
    {
        if (shared != nullptr)
            shared->scratch.deleteRecursively();

        process->settings.deleteRecursively();
    });
}

//==============================================================================
Outcome fuzzStateChunk (const uint8_t* data, size_t size)
{
    auto& product = preparedProduct();
    product.setStateInformation (data, sizeAsInt (size));
    return afterStateRestore (product, data, sizeAsInt (size), "state_chunk");
}

Outcome fuzzProgramChunk (const uint8_t* data, size_t size)
{
    auto& product = preparedProduct();
    product.setCurrentProgramStateInformation (data, sizeAsInt (size));
    return afterProgramRestore (product, data, sizeAsInt (size), "program_chunk");
}

Outcome fuzzStateXml (const uint8_t* data, size_t size)
{
    auto& product = preparedProduct();
    const auto chunk = packAsChunk (data, size);
    product.setStateInformation (chunk.getData(), (int) chunk.getSize());
    return afterStateRestore (product, chunk.getData(), (int) chunk.getSize(), "state_xml");
}

Outcome fuzzPresetDocument (const uint8_t* data, size_t size)
{
    constexpr auto target = "preset";
    auto& product = preparedProduct();

    // As a host's program chunk...
    const auto chunk = packAsChunk (data, size);
    product.setCurrentProgramStateInformation (chunk.getData(), (int) chunk.getSize());
    auto outcome = afterProgramRestore (product, chunk.getData(), (int) chunk.getSize(), target);

    // ...and as a preset file chosen in the preset browser.
    resetSharedProduct();
    const auto file = scratchFile ("fuzz.kvprs");
    writeFile (file, data, size);
    product.loadPresetFile (file, product.getCurrentPresetIndex());
    deliverPendingMessages();
    checkProductRules (product, target);
    checkLiveValuesFollowTheCurrentSlot (product, target);

    const auto root = XmlNames::parseFile (file);

    if (root != nullptr && product.isPresetXml (*root))
    {
        outcome.accepted = true;
        outcome.count = countPresetValues (product, *root);
        checkCurrentPresetSurvivesWriting (product, target);
    }
    else
    {
        require (sharedProductIsAsStarted (true), target, "a file that is no preset of this product changed the product");
    }

    return outcome;
}

Outcome fuzzBankDocument (const uint8_t* data, size_t size)
{
    constexpr auto target = "bank";
    auto& product = preparedProduct();
    const auto file = scratchFile ("fuzz.kvprsb");
    writeFile (file, data, size);
    product.loadBankFile (file);
    deliverPendingMessages();
    checkProductRules (product, target);
    checkLiveValuesFollowTheCurrentSlot (product, target);

    Outcome outcome;
    const auto root = XmlNames::parseFile (file);
    outcome.accepted = root != nullptr && product.isPresetBankXml (*root);

    if (! outcome.accepted)
    {
        require (sharedProductIsAsStarted (true), target, "a file that is no bank changed the product");
        return outcome;
    }

    // Every group element makes a group, and a "Not used" group follows
    // when the presets did not fill the bank.
    int groupElements = 0;

    for (auto* group : root->getChildIterator())
    {
        if (! product.isPresetGroupXml (*group))
            continue;

        ++groupElements;

        for (auto* preset : group->getChildIterator())
            if (product.isPresetXml (*preset))
                ++outcome.count;
    }

    outcome.count = juce::jmin (outcome.count, PresetBank::slotCount);
    const auto expectedGroups = groupElements + (outcome.count < PresetBank::slotCount ? 1 : 0);
    require (product.getBank().getNumGroups() == expectedGroups, target, "a bank loads into another number of groups than it has");
    return outcome;
}

Outcome fuzzMidiMapDocument (const uint8_t* data, size_t size)
{
    constexpr auto target = "midi_map";
    auto& product = preparedProduct();
    auto& midi = product.getMidiControl();
    const auto file = scratchFile ("fuzz.kvccmap");
    writeFile (file, data, size);
    midi.loadMapFile (file);
    deliverPendingMessages();
    checkProductRules (product, target);

    Outcome outcome;
    const auto root = XmlNames::parseFile (file);
    outcome.accepted = root != nullptr && midi.isCompatibleMap (*root);

    if (! outcome.accepted)
    {
        // Unreadable: the map stays as it was; incompatible: it is emptied,
        // and the product starts with an empty one.
        require (sharedProductIsAsStarted(), target, "a file that is no map of this product changed the product");
        return outcome;
    }

    outcome.count = midi.getAssignmentCount();

    // Saved and loaded again, the map is the same.
    std::array<Parameter*, MidiControl::numControllers> loaded {};

    for (int c = 0; c < MidiControl::numControllers; ++c)
        loaded[(size_t) c] = midi.getParameterForController (c);

    const auto reread = XmlNames::parseText (midi.createMapXml()->toString (XmlNames::fileFormat()));
    require (reread != nullptr, target, "a MIDI map as written does not parse");
    midi.loadMapXml (*reread);
    deliverPendingMessages();

    for (int c = 0; c < MidiControl::numControllers; ++c)
        require (midi.getParameterForController (c) == loaded[(size_t) c], target,
                 "a MIDI map changes when it is written and read");

    return outcome;
}

Outcome fuzzUserSettingsDocument (const uint8_t* data, size_t size)
{
    constexpr auto target = "user_settings";
    auto& product = preparedProduct();
    const auto file = product.getUserSettingsFile();
    writeFile (file, data, size);
    product.loadUserSettingsFile();
    deliverPendingMessages();
    checkProductRules (product, target);

    Outcome outcome;
    const auto root = XmlNames::parseFile (file);
    outcome.accepted = root != nullptr && product.isUserSettingsXml (*root);
    file.deleteFile();

    if (! outcome.accepted)
    {
        require (sharedProductIsAsStarted(), target, "a file that is no settings file of this product changed the settings");
        return outcome;
    }

    // What an instance writes at its end, a new one reads as the same.
    const auto written = product.createUserSettingsXml()->toString (XmlNames::fileFormat());
    const auto reread = XmlNames::parseText (written);
    require (reread != nullptr, target, "the settings as written do not parse");

    resetSharedProduct();
    product.loadUserSettingsXml (*reread);
    deliverPendingMessages();
    require (product.createUserSettingsXml()->toString (XmlNames::fileFormat()) == written, target,
             "the settings written do not read back as the same settings");

    for (auto* section : root->getChildIterator())
        outcome.count += section->getNumChildElements() + section->getNumAttributes();

    return outcome;
}

Outcome fuzzSkinDocument (const uint8_t* data, size_t size)
{
    constexpr auto target = "skin";
    auto& s = getShared();

    if (s.skin == nullptr)
        s.skin = std::make_unique<SkinWorld>();

    auto& world = *s.skin;
    world.restoreValues();

    Outcome outcome;
    const auto text = textOf (data, size);

    {
        SkinContext context (world.parameters, world.events, world.editor, &world.listener);
        const auto loaded = SkinLoader::loadFromText (text, context);
        outcome.accepted = loaded == SkinLoader::Outcome::built;
        outcome.count = context.getNumControls();

        // One control per top-level element of a kind the loader builds,
        // each a child of the editor above its status bar.
        int expected = 0;

        if (const auto root = outcome.accepted ? XmlNames::parseText (text) : nullptr)
        {
            using Kind = SkinLoader::ElementKind;

            for (auto* element : root->getChildIterator())
            {
                switch (SkinLoader::classifyElement (element->getTagName(), false))
                {
                    case Kind::knob: case Kind::switchControl: case Kind::animation: case Kind::button:
                    case Kind::toggleButton: case Kind::multiStateButton: case Kind::display:
                    case Kind::displayFloat: case Kind::rocker: case Kind::panel:
                        ++expected;
                        break;

                    case Kind::unknown: case Kind::numericDisplay: case Kind::patternNumberDisplay:
                    case Kind::noteDisplay: case Kind::musicKeyboard: case Kind::pitchBender:
                    case Kind::modWheel: case Kind::parameterModulator:
                        break;
                }
            }
        }

        require (outcome.count == expected, target, "the skin built another number of controls than it has elements for");
        require (world.editor.getNumChildComponents() == 1 + outcome.count, target, "a control of the skin is not a child of the editor");
        require (world.editor.getChildComponent (0) == &world.statusBar, target, "a control went beneath the status bar");

        // The controls take their parameters' values and are painted once.
        world.parameters.announceAll();
        deliverPendingMessages();
        const auto snapshot = world.editor.createComponentSnapshot (world.editor.getLocalBounds(), true, 1.0f);
        require (snapshot.isValid(), target, "the editor could not be painted");
    }

    deliverPendingMessages();
    require (world.editor.getNumChildComponents() == 1, target, "controls stay in the editor after their skin is gone");
    return outcome;
}

Outcome fuzzParameterDefinitions (const uint8_t* data, size_t size)
{
    constexpr auto target = "parameters";
    Outcome outcome;
    ParameterManager set;

    if (const auto root = XmlNames::parseText (textOf (data, size)))
    {
        set.loadFromXml (*root);
        outcome.accepted = XmlNames::hasTag (*root, "PluginParameters");
    }

    outcome.count = set.getNumParameters();

    for (int i = 0; i < set.getNumParameters(); ++i)
    {
        auto* parameter = set.getParameterAt (i);
        require (parameter != nullptr, target, "the parameter set has a hole");
        require (parameter->getName().isNotEmpty() && parameter->getIdentifier() != -1, target,
                 "a definition without a name or an index made a parameter");
        require (set.getParameter (parameter->getIdentifier()) == parameter, target,
                 "a parameter is not found by its identifier");
        require (set.getParameterByName (parameter->getName()) == parameter, target,
                 "a parameter is not found by its name");

        // The initial value lies in the range, for a range that is one.
        if (auto* real = dynamic_cast<FloatParameter*> (parameter); real != nullptr && real->getMinimum() <= real->getMaximum())
            require (real->getValue() >= real->getMinimum() && real->getValue() <= real->getMaximum(), target,
                     "a float parameter starts outside its range");

        if (auto* whole = dynamic_cast<IntParameter*> (parameter); whole != nullptr && whole->getMinimum() <= whole->getMaximum())
            require (whole->getIntValue() >= whole->getMinimum() && whole->getIntValue() <= whole->getMaximum(), target,
                     "an integer parameter starts outside its range");

        // Every value form, as the host, the presets, MIDI and the editor use them.
        juce::ignoreUnused (parameter->getValue(), parameter->getNormalisedValue(), parameter->getIntValue(),
                            parameter->getBoolValue(), parameter->getText());

        auto copy = parameter->clone();
        require (copy != nullptr && copy->getName() == parameter->getName(), target, "a parameter's copy is not a copy");
        copy->setText (parameter->getText(), false);

        for (const auto value : { 0.0f, 0.25f, 0.5f, 1.0f })
        {
            copy->setNormalisedValue (value, false);
            juce::ignoreUnused (copy->getText(), copy->getIntValue(), copy->getNormalisedValue());
        }

        copy->setValue (parameter->getValue(), false);
        copy->setIntValue (parameter->getIntValue(), false);
        copy->setBoolValue (! parameter->getBoolValue(), false);
        copy->copyValueFrom (*parameter, false);

        for (int j = 0; j < set.getNumParameters(); ++j)
            copy->copyValueFrom (*set.getParameterAt (j), false);
    }

    return outcome;
}
}
