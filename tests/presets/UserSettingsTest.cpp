#include <gtest/gtest.h>

#include "PresetTestSupport.h"
#include "TestSettingsFolder.h"
#include "midi/MidiControl.h"

namespace
{
    using SettingsFolder = TestSettingsFolder;

    juce::String settings (const juce::String& body, const juce::String& application = "Korvane")
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><UserSettings application=\"" + application + "\">" + body + "</UserSettings>";
    }
}

TEST (UserSettings, WithoutAFileTheDefaultsHoldAndClosingWritesThem)
{
    SettingsFolder settingsFolder;

    {
        auto processor = startedKorvane();
        EXPECT_EQ (processor->getUserSettingsFile(), settingsFolder.file());
        EXPECT_EQ (processor->getBank().getBankName(), "Korvane default bank");
        EXPECT_TRUE (processor->isPresetStoringOnDemand());
        EXPECT_FALSE (processor->isSilentPresetChange());
        EXPECT_EQ (processor->getQualityLevel(), 0);
        EXPECT_FALSE (processor->getMidiControl().getUseDefaultMap());
        processor->setPresetStoringOnDemand (false);
    }

    auto root = juce::parseXML (settingsFolder.file());
    ASSERT_NE (root, nullptr);
    EXPECT_EQ (root->getTagName(), "UserSettings");
    EXPECT_EQ (root->getStringAttribute ("application"), "Korvane");
    const char* order[] = { "PluginDirectories", "ResourcesSettings", "PresetSettings", "QualitySettings", "InterfaceSettings" };
    ASSERT_EQ (root->getNumChildElements(), 5);

    for (int i = 0; i < 5; ++i)
        EXPECT_EQ (root->getChildElement (i)->getTagName(), order[i]);

    EXPECT_EQ (root->getChildByName ("PluginDirectories")->getChildByName ("RecentlyUsed")->getStringAttribute ("dir"),
               juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName());
    const auto* resources = root->getChildByName ("ResourcesSettings");
    EXPECT_EQ (resources->getChildByName ("Presets")->getStringAttribute ("default"), "factoryPresets");
    EXPECT_FALSE (resources->getChildByName ("Presets")->hasAttribute ("file"));
    EXPECT_EQ (resources->getChildByName ("MidiCCMap")->getStringAttribute ("default"), "noMapping");
    EXPECT_EQ (root->getChildByName ("PresetSettings")->getStringAttribute ("storing"), "automatic");
    EXPECT_EQ (root->getChildByName ("PresetSettings")->getStringAttribute ("changing"), "normal");
    EXPECT_EQ (root->getChildByName ("QualitySettings")->getStringAttribute ("default"), "low");
    EXPECT_EQ (root->getChildByName ("InterfaceSettings")->getStringAttribute ("size"), "automatic");
}

TEST (UserSettings, TheInterfaceSizeIsKeptAndAnOlderFileReadsAsAutomatic)
{
    SettingsFolder settingsFolder;

    {
        auto processor = startedKorvane();
        EXPECT_EQ (processor->getInterfaceSize(), BasePlugin::automaticInterfaceSize);
        processor->setInterfaceSize (150);
        processor->setInterfaceSize (260);   // not a size: ignored
        EXPECT_EQ (processor->getInterfaceSize(), 150);
    }

    auto root = juce::parseXML (settingsFolder.file());
    ASSERT_NE (root, nullptr);
    EXPECT_EQ (root->getChildByName ("InterfaceSettings")->getStringAttribute ("size"), "150");
    EXPECT_EQ (startedKorvane()->getInterfaceSize(), 150);

    // A file written before the interface size had one: automatic.
    settingsFolder.write (settings ("<QualitySettings default=\"high\"/>"));
    EXPECT_EQ (startedKorvane()->getInterfaceSize(), BasePlugin::automaticInterfaceSize);

    for (const auto* text : { "125", "automatic", "Automatic", "99", "201", "1.5", "", "150%" })
    {
        settingsFolder.write (settings ("<InterfaceSettings size=\"" + juce::String (text) + "\"/>"));
        const auto expected = juce::String (text) == "125" ? 125 : BasePlugin::automaticInterfaceSize;
        EXPECT_EQ (startedKorvane()->getInterfaceSize(), expected) << text;
    }
}

TEST (UserSettings, EveryChoiceIsReadWithItsComparisonRule)
{
    SettingsFolder settingsFolder;
    juce::TemporaryFile map (".kvccmap");
    map.getFile().replaceWithText ("<MidiControlMap name=\"Korvane\"><assign CC=\"11\" param=\"FX\"/></MidiControlMap>");
    const auto folder = settingsFolder.folder.getFullPathName();

    settingsFolder.write (settings ("<PluginDirectories><RecentlyUsed dir=\"" + folder + "\"/></PluginDirectories>"
                                    "<resourcessettings><Presets default=\"ClearPresets\"/>"
                                    "<MidiCCMap default=\"userDefinedMidiCCMap\" file=\"" + map.getFile().getFullPathName() + "\"/></resourcessettings>"
                                    "<PresetSettings storing=\"AUTOMATIC\" changing=\"silent\"/>"
                                    "<QualitySettings default=\"High\"/>"));
    {
        auto processor = startedKorvane();
        EXPECT_EQ (processor->getRecentlyUsedDirectory(), folder);
        EXPECT_EQ (processor->getBank().getGroupName (0), "Not used");
        EXPECT_EQ (processor->getBank().getName (0), "Preset 0");
        EXPECT_FALSE (processor->isPresetStoringOnDemand());
        EXPECT_TRUE (processor->isSilentPresetChange());
        EXPECT_EQ (processor->getQualityLevel(), 2);
        EXPECT_EQ (processor->getMidiControl().getAssignmentCount(), 1);

        // Automatic storing from the start: knob changes reach the slot.
        setLive (*processor, 3, 0.375f);
        EXPECT_FLOAT_EQ (processor->getBank().getValue (0, 3), 0.375f);
    }

    // "NoMapping" is not "noMapping"; a deleted folder is not taken; an
    // unknown quality leaves the default.
    settingsFolder.write (settings ("<PluginDirectories><RecentlyUsed dir=\"/no/such/folder\"/></PluginDirectories>"
                                    "<ResourcesSettings><MidiCCMap default=\"NoMapping\"/></ResourcesSettings>"
                                    "<QualitySettings default=\"best\"/>"));
    {
        Korvane processor;
        processor.getMidiControl().setUseDefaultMap (true);
        processor.startUp();
        EXPECT_TRUE (processor.getMidiControl().getUseDefaultMap());
        EXPECT_EQ (processor.getRecentlyUsedDirectory(), juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName());
        EXPECT_EQ (processor.getQualityLevel(), 0);
    }
}

TEST (UserSettings, UserBanksAndOtherProductsFiles)
{
    SettingsFolder settingsFolder;
    juce::TemporaryFile bank (".kvprsb");
    bank.getFile().replaceWithText ("<PresetBank name=\"Mine\"><PresetGroup name=\"G\"><Preset application=\"Korvane\" name=\"One\" rev=\"1\"/></PresetGroup></PresetBank>");

    settingsFolder.write (settings ("<ResourcesSettings><Presets default=\"userDefinedPresets\" file=\"" + bank.getFile().getFullPathName() + "\"/></ResourcesSettings>"));
    {
        auto processor = startedKorvane();
        EXPECT_EQ (processor->getBank().getBankName(), "Mine");
        EXPECT_EQ (processor->getUserDefinedBankFile(), bank.getFile().getFullPathName());
    }

    // Written back with the file; then the file disappears: factory bank.
    EXPECT_EQ (juce::parseXML (settingsFolder.file())->getChildByName ("ResourcesSettings")
                   ->getChildByName ("Presets")->getStringAttribute ("file"), bank.getFile().getFullPathName());
    bank.getFile().deleteFile();
    {
        auto processor = startedKorvane();
        EXPECT_EQ (processor->getBank().getBankName(), "Korvane default bank");
    }

    // Another product's settings, and a file that is no XML, change nothing.
    for (const auto& text : { settings ("<PresetSettings storing=\"automatic\"/>", "Other"), juce::String ("not xml") })
    {
        settingsFolder.write (text);
        auto processor = startedKorvane();
        EXPECT_TRUE (processor->isPresetStoringOnDemand());
    }
}
