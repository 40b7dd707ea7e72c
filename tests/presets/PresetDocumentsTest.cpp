#include <gtest/gtest.h>

#include "PresetTestSupport.h"
#include "plugin/EmbeddedResources.h"

namespace
{
    const float honkyTonk[] = { 0.585f, 1, 1, 0, 1, 1, 0.5f, 0.425f, 0, 0.645f, 0.69f, 0.505f,
                                0.365f, 0.63f, 0.6f, 0.5f, 0.5f, 0, 1, 0.4f, 1 };
    const float defaults[] = { 0, 0.5f, 0.5f, 1, 1, 0, 0.5f, 0.5f, 0, 0.5f, 0.5f, 0,
                               0.5f, 0.5f, 0.6f, 0.5f, 0.5f, 0, 1, 0.5f, 1 };

    juce::String presetsText (int count, const juce::String& application = "Korvane")
    {
        juce::String text;

        for (int i = 0; i < count; ++i)
            text << "<Preset application=\"" << application << "\" name=\"P" << i << "\" rev=\"1\">"
                 << "<param name=\"Tone\" value=\"0.25\"/></Preset>";

        return text;
    }
}

TEST (PresetDocuments, StoredValuesAreWrittenWithAtMostSixDecimals)
{
    EXPECT_EQ (BasePluginOldStyle::formatPresetValue (0.123456789f), "0.123457");
    EXPECT_EQ (BasePluginOldStyle::formatPresetValue (0.5f), "0.5");
    EXPECT_EQ (BasePluginOldStyle::formatPresetValue (1.0f), "1");
    EXPECT_EQ (BasePluginOldStyle::formatPresetValue (0.0f), "0");
    EXPECT_EQ (BasePluginOldStyle::formatPresetValue (0.585f), "0.585");
    EXPECT_EQ (BasePluginOldStyle::formatPresetValue (1.0f / 3.0f), "0.333333");

    auto processor = startedKorvane();
    auto& bank = processor->getBank();
    bank.setValue (5, 4, 0.123456789f);
    const auto xml = processor->createPresetXml (5);
    processor->loadPresetFromXml (*xml, 9);
    EXPECT_FLOAT_EQ (bank.getValue (9, 4), 0.123457f);
}

TEST (PresetDocuments, APresetIsWrittenInItsFixedShape)
{
    auto processor = startedKorvane();
    const auto xml = processor->createPresetXml (0);

    EXPECT_EQ (xml->getTagName(), "Preset");
    ASSERT_EQ (xml->getNumAttributes(), 3);
    EXPECT_EQ (xml->getAttributeName (0), "application");
    EXPECT_EQ (xml->getAttributeValue (0), "Korvane");
    EXPECT_EQ (xml->getAttributeName (1), "name");
    EXPECT_EQ (xml->getAttributeValue (1), "Honky Tonk");
    EXPECT_EQ (xml->getAttributeName (2), "rev");
    EXPECT_EQ (xml->getAttributeValue (2), "1");

    ASSERT_EQ (xml->getNumChildElements(), 21);
    EXPECT_EQ (xml->getChildElement (0)->getStringAttribute ("name"), "Preamp Gain");
    EXPECT_EQ (xml->getChildElement (0)->getStringAttribute ("value"), "0.585");
    EXPECT_EQ (xml->getChildElement (20)->getStringAttribute ("name"), "High Cut On/Off");
}

TEST (PresetDocuments, ReadingFollowsRevisionProductAndNames)
{
    auto processor = startedKorvane();
    auto& bank = processor->getBank();

    // Revision 0 (or none) predates the high-cut switch: it comes on.
    bank.setValue (3, 20, 0.0f);
    processor->loadPresetFromXml (*parsed ("<Preset application=\"Korvane\" name=\"Old\"><param name=\"Tone\" value=\"0.2\"/></Preset>"), 3);
    EXPECT_FLOAT_EQ (bank.getValue (3, 20), 1.0f);
    EXPECT_FLOAT_EQ (bank.getValue (3, 4), 0.2f);
    EXPECT_EQ (bank.getName (3), "Old");

    bank.setValue (3, 20, 0.0f);
    processor->loadPresetFromXml (*parsed ("<Preset application=\"Korvane\" rev=\"0\"/>"), 3);
    EXPECT_FLOAT_EQ (bank.getValue (3, 20), 1.0f);
    EXPECT_EQ (bank.getName (3), "unnamed");

    bank.setValue (3, 20, 0.0f);
    processor->loadPresetFromXml (*parsed ("<PRESET APPLICATION=\"korvane\" Name=\"New\" REV=\"1\"><PARAM NAME=\"Tone\" VALUE=\"0.7\"/></PRESET>"), 3);
    EXPECT_FLOAT_EQ (bank.getValue (3, 20), 0.0f);
    EXPECT_FLOAT_EQ (bank.getValue (3, 4), 0.7f);

    // Parameter names are exact; unknown ones and other children are ignored.
    processor->loadPresetFromXml (*parsed ("<Preset application=\"Korvane\" rev=\"1\"><param name=\"tone\" value=\"0.1\"/>"
                                           "<param name=\"Quality\" value=\"1\"/><other name=\"Tone\" value=\"0.1\"/></Preset>"), 3);
    EXPECT_FLOAT_EQ (bank.getValue (3, 4), 0.7f);

    // Another product's preset is not ours; the older tag needs no application.
    processor->loadPresetFromXml (*parsed ("<Preset application=\"Other\" name=\"Foreign\"/>"), 3);
    EXPECT_EQ (bank.getName (3), "unnamed");
    processor->loadPresetFromXml (*parsed ("<KorvanePreset name=\"Vintage\"><param name=\"Tone\" value=\"0.3\"/></KorvanePreset>"), 3);
    EXPECT_EQ (bank.getName (3), "Vintage");
    EXPECT_FLOAT_EQ (bank.getValue (3, 4), 0.3f);
}

TEST (PresetDocuments, BanksFillSlotsInOrderAndTheRestIsNotUsed)
{
    auto processor = startedKorvane();
    auto& bank = processor->getBank();

    processor->loadBankFromXml (*parsed ("<PresetBank name=\"Three\">"
                                         "<PresetGroup name=\"A\">" + presetsText (10) + "</PresetGroup>"
                                         "<PresetGroup name=\"B\">" + presetsText (10) + presetsText (2, "Other") + "</PresetGroup>"
                                         "<Preset application=\"Korvane\"/>"
                                         "<PresetGroup>" + presetsText (10) + "</PresetGroup></PresetBank>"));
    EXPECT_EQ (bank.getBankName(), "Three");
    ASSERT_EQ (bank.getNumGroups(), 4);
    EXPECT_EQ (bank.getGroupName (2), "group 3");
    EXPECT_EQ (bank.getGroupCount (1), 10);
    EXPECT_EQ (bank.getGroupName (3), "Not used");
    EXPECT_EQ (bank.getGroupCount (3), 98);
    EXPECT_EQ (bank.getName (29), "P9");
    EXPECT_EQ (bank.getName (30), "Preset 30");
    EXPECT_EQ (bank.getName (127), "Preset 127");

    for (int i = 0; i < 21; ++i)
        EXPECT_FLOAT_EQ (bank.getValue (127, i), defaults[i]) << i;

    EXPECT_EQ (bank.firstPresetOfGroup (3), 30);
    EXPECT_EQ (bank.lastPresetOfGroup (3), 127);
    EXPECT_EQ (bank.groupOfPreset (15), 1);
    EXPECT_EQ (bank.presetIndexInBank (1, 9), 19);
    EXPECT_EQ (bank.presetIndexInBank (1, 10), -1);
    EXPECT_EQ (bank.firstPresetOfGroup (4), -1);

    // 130 presets: the first 128 fit, the group after them stays, empty.
    processor->loadBankFromXml (*parsed ("<KorvanePresetBank><KorvanePresetGroup name=\"Big\">" + presetsText (130)
                                         + "</KorvanePresetGroup><PresetGroup name=\"Late\">" + presetsText (1) + "</PresetGroup></KorvanePresetBank>"));
    EXPECT_EQ (bank.getBankName(), "Preset Bank");
    ASSERT_EQ (bank.getNumGroups(), 2);
    EXPECT_EQ (bank.getGroupCount (0), 128);
    EXPECT_EQ (bank.getGroupName (1), "Late");
    EXPECT_EQ (bank.getGroupCount (1), 0);
    EXPECT_EQ (bank.lastPresetOfGroup (1), 127);

    // A root that is no bank changes nothing.
    processor->loadBankFromXml (*parsed ("<Preset application=\"Korvane\"/>"));
    EXPECT_EQ (bank.getGroupName (0), "Big");
}

TEST (PresetDocuments, TheFactoryBankHasItsGroupsAndSurvivesARoundTrip)
{
    auto processor = startedKorvane();
    auto& bank = processor->getBank();

    EXPECT_EQ (bank.getBankName(), "Korvane default bank");
    const std::pair<const char*, int> groups[] = { { "Keys", 6 }, { "Acid lines", 9 }, { "Electronic Drums", 8 },
                                                   { "Guitar", 38 }, { "Misc", 4 }, { "Not used", 63 } };
    ASSERT_EQ (bank.getNumGroups(), 6);

    for (int g = 0; g < 6; ++g)
    {
        EXPECT_EQ (bank.getGroupName (g), groups[g].first);
        EXPECT_EQ (bank.getGroupCount (g), groups[g].second);
    }

    EXPECT_EQ (bank.getName (0), "Honky Tonk");

    for (int i = 0; i < 21; ++i)
    {
        EXPECT_FLOAT_EQ (bank.getValue (0, i), honkyTonk[i]) << i;
        EXPECT_FLOAT_EQ (bank.getValue (65, i), defaults[i]) << i;
        EXPECT_FLOAT_EQ (bank.getDefaultValues().values[(size_t) i], defaults[i]) << i;
    }

    EXPECT_EQ (bank.getName (65), "Preset 65");
    EXPECT_EQ (bank.getName (127), "Preset 127");

    juce::StringArray designed;
    for (int i = 0; i < 65; ++i)
        designed.addIfNotAlreadyThere (bank.getName (i));
    EXPECT_EQ (designed.size(), 65) << "factory preset names repeat";

    juce::TemporaryFile saved (".kvprsb");
    processor->saveBankFile (saved.getFile());
    EXPECT_TRUE (saved.getFile().loadFileAsString().startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));

    auto reloaded = startedKorvane();
    reloaded->clearPresets();
    reloaded->loadBankFile (saved.getFile());
    auto& other = reloaded->getBank();

    EXPECT_EQ (other.getBankName(), bank.getBankName());
    ASSERT_EQ (other.getNumGroups(), bank.getNumGroups());

    for (int g = 0; g < bank.getNumGroups(); ++g)
    {
        EXPECT_EQ (other.getGroupName (g), bank.getGroupName (g));
        EXPECT_EQ (other.getGroupCount (g), bank.getGroupCount (g));
    }

    for (int i = 0; i < PresetBank::slotCount; ++i)
    {
        EXPECT_EQ (other.getName (i), bank.getName (i));

        for (int k = 0; k < 21; ++k)
            EXPECT_EQ (other.getValue (i, k), bank.getValue (i, k)) << i << " " << k;
    }
}

TEST (PresetDocuments, TheEmbeddedDocumentsKeepTheirFileConventions)
{
    for (const auto* name : { "default.kvprsb", "default.kvprs" })
    {
        const auto text = loadResourceString (name);
        ASSERT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n")) << name;
        EXPECT_FALSE (text.replace ("\r\n", "").containsChar ('\n')) << name << ": every line ends in CRLF";
        EXPECT_FALSE (text.containsChar ('\t')) << name;

        auto root = juce::parseXML (text);
        ASSERT_NE (root, nullptr);
        int presets = 0;

        std::function<void (const juce::XmlElement&)> visit = [&] (const juce::XmlElement& element)
        {
            if (element.hasTagName ("Preset"))
            {
                ++presets;
                EXPECT_EQ (element.getStringAttribute ("application"), "Korvane");
                EXPECT_EQ (element.getStringAttribute ("rev"), "1");
                EXPECT_EQ (element.getNumChildElements(), 21);

                for (auto* param : element.getChildIterator())
                {
                    const auto value = param->getStringAttribute ("value");
                    EXPECT_LE (value.fromFirstOccurrenceOf (".", false, false).length(), 3) << value;
                    EXPECT_GE (value.getDoubleValue(), 0.0);
                    EXPECT_LE (value.getDoubleValue(), 1.0);
                }
            }

            for (auto* child : element.getChildIterator())
                visit (*child);
        };

        visit (*root);
        EXPECT_EQ (presets, juce::String (name) == "default.kvprsb" ? 128 : 1) << name;
    }

    auto processor = startedKorvane();
    EXPECT_EQ (processor->presetFileExtension(), ".kvprs");
    EXPECT_EQ (processor->bankFileExtension(), ".kvprsb");
    EXPECT_EQ (processor->ccmapFileExtension(), ".kvccmap");
    EXPECT_EQ (processor->presetFileWildcard(), "*.kvprs; *.kvp");
    EXPECT_EQ (processor->bankFileWildcard(), "*.kvprsb; *.kvb");
    EXPECT_EQ (processor->ccmapFileWildcard(), "*.kvccmap; *.kvc");
}

TEST (PresetDocuments, PresetFilesLoadIntoASlotAndReapplyTheCurrentOne)
{
    auto processor = startedKorvane();
    auto& bank = processor->getBank();
    juce::TemporaryFile file (".kvprs");

    processor->savePresetFile (file.getFile(), 0);
    EXPECT_EQ (processor->getRecentlyUsedDirectory(), file.getFile().getParentDirectory().getFullPathName());
    processor->loadPresetFile (file.getFile(), 40);
    EXPECT_EQ (bank.getName (40), "Honky Tonk");
    EXPECT_FLOAT_EQ (bank.getValue (40, 0), 0.585f);

    // Another product's preset leaves the current slot as it is, and puts its
    // stored values back on the knobs.
    setLive (*processor, 0, 0.9f);
    file.getFile().replaceWithText ("<?xml version=\"1.0\"?><Preset application=\"Other\" name=\"X\"/>");
    processor->loadPresetFile (file.getFile(), 0);
    EXPECT_EQ (bank.getName (0), "Honky Tonk");
    EXPECT_FLOAT_EQ (liveValue (*processor, 0), 0.585f);

    // A file that does not parse changes nothing.
    setLive (*processor, 0, 0.9f);
    file.getFile().replaceWithText ("this is no XML document");
    processor->loadPresetFile (file.getFile(), 0);
    processor->loadBankFile (juce::File ("/no/such/bank.kvprsb"));
    EXPECT_FLOAT_EQ (liveValue (*processor, 0), 0.9f);
    EXPECT_EQ (bank.getBankName(), "Korvane default bank");
}
