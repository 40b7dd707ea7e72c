#include <gtest/gtest.h>

#include "PresetTestSupport.h"
#include "TestSettingsFolder.h"
#include "editor/BasePluginEditor.h"
#include "midi/MidiControl.h"
#include "plugin/SettingsFileLocation.h"
#include "plugin/XmlNames.h"

#include <cstdlib>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    using SettingsFolder = TestSettingsFolder;

    juce::String settings (const juce::String& body, const juce::String& application = "Korvane")
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><UserSettings application=\"" + application + "\">" + body + "</UserSettings>";
    }

    const juce::String readOnlyNotice = "Settings not saved: Korvane.ini is read-only.";

    /** A folder of a test's own, removed again (whatever mode the test left it in). */
    struct ScratchFolder
    {
        ScratchFolder()  { folder.createDirectory(); }
        ~ScratchFolder() { ::chmod (folder.getFullPathName().toRawUTF8(), 0755); folder.deleteRecursively(); }

        juce::File file (const juce::String& name = "Korvane.ini") const  { return folder.getChildFile (name); }
        /** Every entry, hidden ones too: a writer's leftovers would show. */
        int numEntries() const { return folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories); }

        juce::File folder = juce::File::createTempFile ("korvane-scratch");
    };

    /** XDG_CONFIG_HOME set (or unset) while it lives. */
    struct ScopedConfigHome
    {
        explicit ScopedConfigHome (const std::optional<juce::String>& value)
        {
            if (const auto* old = std::getenv ("XDG_CONFIG_HOME"))
                previous = juce::String::fromUTF8 (old);

            set (value);
        }

        ~ScopedConfigHome() { set (previous); }

        static void set (const std::optional<juce::String>& value)
        {
            if (value.has_value())
                ::setenv ("XDG_CONFIG_HOME", value->toRawUTF8(), 1);
            else
                ::unsetenv ("XDG_CONFIG_HOME");
        }

        std::optional<juce::String> previous;
    };

    bool runsAsRoot()                        { return ::geteuid() == 0; }
    void setMode (const juce::File& file, int mode) { ASSERT_EQ (::chmod (file.getFullPathName().toRawUTF8(), (mode_t) mode), 0); }

    int modeOf (const juce::File& file)
    {
        struct stat info {};
        return ::stat (file.getFullPathName().toRawUTF8(), &info) == 0 ? (int) (info.st_mode & 07777) : -1;
    }

    /** The mode a new file gets here: 0644 less the umask. */
    int newFileMode()
    {
        const auto mask = ::umask (0);
        ::umask (mask);
        return 0644 & ~(int) mask;
    }

    juce::MemoryBlock bytesOf (const juce::File& file)
    {
        juce::MemoryBlock bytes;
        file.loadFileAsData (bytes);
        return bytes;
    }

    void makeLink (const juce::String& target, const juce::File& link)
    {
        ASSERT_EQ (::symlink (target.toRawUTF8(), link.getFullPathName().toRawUTF8()), 0);
    }

    juce::String statusTextOf (Korvane& processor)
    {
        auto* editor = processor.getEditorComponent();
        return editor != nullptr && editor->getStatusBar() != nullptr ? editor->getStatusBar()->getText() : "(no editor)";
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

//==============================================================================
// Where the file is read and written.

TEST (UserSettingsLocation, AWritablePluginFolderKeepsTheFileBesideTheLibraryAndTheOverrideWins)
{
    ScratchFolder plugin, userFolder, overrideFolder;
    userFolder.file().replaceWithText (settings ({}));   // not looked at while the plug-in's folder can be written

    const auto chosen = SettingsFileLocation::choose (plugin.folder, true, userFolder.folder, "Korvane.ini");
    EXPECT_EQ (chosen.getFileToRead(), plugin.file());
    EXPECT_EQ (chosen.getFileToWrite(), plugin.file());

    // The folder is tried by creating a file in it, which goes again.
    const auto found = SettingsFileLocation::find (plugin.folder.getFullPathName(), "Korvane", {});
    EXPECT_EQ (found.getFileToRead(), plugin.file());
    EXPECT_EQ (found.getFileToWrite(), plugin.file());
    EXPECT_EQ (plugin.numEntries(), 0);
    EXPECT_FALSE (found.isFileToWriteReadOnly());

    const auto overridden = SettingsFileLocation::find (plugin.folder.getFullPathName(), "Korvane", overrideFolder.folder);
    EXPECT_EQ (overridden.getFileToRead(), overrideFolder.file());
    EXPECT_EQ (overridden.getFileToWrite(), overrideFolder.file());

    // An instance that never learnt where its library is: the user's folder.
    const ScopedConfigHome configHome (userFolder.folder.getFullPathName());
    const auto withoutLibrary = SettingsFileLocation::find ({}, "Korvane", {});
    EXPECT_EQ (withoutLibrary.getFileToRead(), userFolder.folder.getChildFile ("Korvane").getChildFile ("Korvane.ini"));
    EXPECT_EQ (withoutLibrary.getFileToWrite(), withoutLibrary.getFileToRead());
}

TEST (UserSettingsLocation, AReadOnlyPluginFolderReadsTheUsersFileElseTheShippedDefaults)
{
    ScratchFolder plugin, config;
    const auto userFolder = config.folder.getChildFile ("Korvane");   // not made yet
    const auto usersFile = userFolder.getChildFile ("Korvane.ini");
    plugin.file().replaceWithText (settings ("<QualitySettings default=\"high\"/>"));

    const auto withoutUsersFile = SettingsFileLocation::choose (plugin.folder, false, userFolder, "Korvane.ini");
    EXPECT_EQ (withoutUsersFile.getFileToRead(), plugin.file()) << "the defaults shipped for every user";
    EXPECT_EQ (withoutUsersFile.getFileToWrite(), usersFile);

    ASSERT_TRUE (userFolder.createDirectory().wasOk());
    usersFile.replaceWithText (settings ({}));
    const auto withUsersFile = SettingsFileLocation::choose (plugin.folder, false, userFolder, "Korvane.ini");
    EXPECT_EQ (withUsersFile.getFileToRead(), usersFile);
    EXPECT_EQ (withUsersFile.getFileToWrite(), usersFile);

    // A user cannot create files in a folder whose mode forbids it; root
    // can, and then keeps the file beside the library.
    setMode (plugin.folder, 0555);
    EXPECT_EQ (SettingsFileLocation::canCreateFilesIn (plugin.folder), runsAsRoot());
    EXPECT_FALSE (SettingsFileLocation::canCreateFilesIn (plugin.folder.getChildFile ("missing")));
    EXPECT_EQ (plugin.numEntries(), 1);

    const ScopedConfigHome configHome (config.folder.getFullPathName());
    const auto found = SettingsFileLocation::find (plugin.folder.getFullPathName(), "Korvane", {});
    EXPECT_EQ (found.getFileToRead(), runsAsRoot() ? plugin.file() : usersFile);
    EXPECT_EQ (found.getFileToWrite(), runsAsRoot() ? plugin.file() : usersFile);

    usersFile.deleteFile();
    const auto foundWithoutUsersFile = SettingsFileLocation::find (plugin.folder.getFullPathName(), "Korvane", {});
    EXPECT_EQ (foundWithoutUsersFile.getFileToRead(), plugin.file());
    EXPECT_EQ (foundWithoutUsersFile.getFileToWrite(), runsAsRoot() ? plugin.file() : usersFile);
}

TEST (UserSettingsLocation, TheUsersFolderIsInAnAbsoluteXdgConfigHomeElseInDotConfig)
{
    ScratchFolder config;
    const auto dotConfig = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (".config").getChildFile ("Korvane");

    {
        const ScopedConfigHome configHome (config.folder.getFullPathName());
        EXPECT_EQ (SettingsFileLocation::userFolderFor ("Korvane"), config.folder.getChildFile ("Korvane"));
    }

    for (const auto* value : { "", "relative/config", "~/config" })
    {
        const ScopedConfigHome configHome { juce::String (value) };
        EXPECT_EQ (SettingsFileLocation::userFolderFor ("Korvane"), dotConfig) << value;
    }

    const ScopedConfigHome unset (std::nullopt);
    EXPECT_EQ (SettingsFileLocation::userFolderFor ("Korvane"), dotConfig);
}

//==============================================================================
// How the file is written.

TEST (UserSettingsFile, ALinkStaysALinkAndEveryFileKeepsItsMode)
{
    SettingsFolder settingsFolder;
    ScratchFolder elsewhere, reference;
    const auto target = elsewhere.file ("mine.ini");
    target.replaceWithText (settings ("<QualitySettings default=\"high\"/>"));
    setMode (target, 0640);
    makeLink (target.getFullPathName(), settingsFolder.file());

    {
        auto processor = startedKorvane();
        EXPECT_EQ (processor->getQualityLevel(), 2) << "read through the link";
        processor->setInterfaceSize (150);

        // The bytes JUCE's own writer gives the same document.
        XmlNames::writeFile (*processor->createUserSettingsXml(), reference.file());
    }

    EXPECT_TRUE (settingsFolder.file().isSymbolicLink());
    EXPECT_EQ (settingsFolder.file().getLinkedTarget(), target);
    EXPECT_EQ (modeOf (target), 0640);
    EXPECT_EQ (bytesOf (target), bytesOf (reference.file()));
    EXPECT_EQ (elsewhere.numEntries(), 1) << "no temporary file left behind";
    EXPECT_EQ (settingsFolder.folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);

    // A relative link to a file not made yet: the file is made where it points.
    ASSERT_TRUE (settingsFolder.file().deleteFile());
    makeLink ("../" + elsewhere.folder.getFileName() + "/new.ini", settingsFolder.file());
    startedKorvane().reset();
    EXPECT_TRUE (settingsFolder.file().isSymbolicLink());
    EXPECT_EQ (modeOf (elsewhere.file ("new.ini")), newFileMode());
    ASSERT_NE (juce::parseXML (elsewhere.file ("new.ini")), nullptr);

    // A plain file keeps its mode as well.
    ASSERT_TRUE (settingsFolder.file().deleteFile());
    settingsFolder.write (settings ({}));
    setMode (settingsFolder.file(), 0600);
    startedKorvane()->setInterfaceSize (125);
    EXPECT_FALSE (settingsFolder.file().isSymbolicLink());
    EXPECT_EQ (modeOf (settingsFolder.file()), 0600);
    EXPECT_EQ (juce::parseXML (settingsFolder.file())->getChildByName ("InterfaceSettings")->getStringAttribute ("size"), "125");
}

TEST (UserSettingsFile, AReadOnlyFileIsLeftAsItIsAndTheNextEditorSaysSo)
{
    SettingsFolder settingsFolder;
    ScratchFolder elsewhere;
    settingsFolder.write (settings ("<QualitySettings default=\"high\"/>"));
    setMode (settingsFolder.file(), 0444);   // root included: the mode decides
    const auto before = bytesOf (settingsFolder.file());

    {
        auto processor = startedKorvane();
        EXPECT_EQ (processor->getQualityLevel(), 2) << "still read";
        EXPECT_TRUE (processor->getUserSettingsLocation().isFileToWriteReadOnly());
        EXPECT_EQ (statusTextOf (*processor), readOnlyNotice);
        EXPECT_EQ (processor->getEditorComponent()->getStatusBar()->getPriority(), BasePluginEditor::settingsNoticePriority);
        EXPECT_FALSE (processor->getEditorComponent()->getStatusBar()->hasTimeout());
        processor->setInterfaceSize (150);   // a choice that cannot be kept
    }

    EXPECT_EQ (bytesOf (settingsFolder.file()), before);
    EXPECT_EQ (modeOf (settingsFolder.file()), 0444);
    EXPECT_EQ (settingsFolder.folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);

    // The same behind a link.
    const auto target = elsewhere.file ("mine.ini");
    ASSERT_TRUE (settingsFolder.file().moveFileTo (target));
    makeLink (target.getFullPathName(), settingsFolder.file());
    {
        auto processor = startedKorvane();
        EXPECT_EQ (statusTextOf (*processor), readOnlyNotice);
        processor->setInterfaceSize (150);
    }
    EXPECT_EQ (bytesOf (target), before);
    EXPECT_TRUE (settingsFolder.file().isSymbolicLink());

    // Made writable again: no notice, and the file is written.
    setMode (target, 0644);
    {
        auto processor = startedKorvane();
        EXPECT_TRUE (statusTextOf (*processor).isEmpty()) << statusTextOf (*processor);
        processor->setInterfaceSize (150);
    }
    EXPECT_EQ (juce::parseXML (target)->getChildByName ("InterfaceSettings")->getStringAttribute ("size"), "150");
}

TEST (UserSettingsFile, ADamagedFileGivesTheDefaultsAndIsReplacedOnClosing)
{
    SettingsFolder settingsFolder;

    for (const auto& damaged : { settings ("<QualitySettings default=\"high\"/>").dropLastCharacters (3),
                                 juce::String ("<<< not xml"), juce::String() })
    {
        settingsFolder.write (damaged);
        {
            auto processor = startedKorvane();
            EXPECT_EQ (processor->getQualityLevel(), 0);
            EXPECT_TRUE (processor->isPresetStoringOnDemand());
            EXPECT_TRUE (statusTextOf (*processor).isEmpty());
        }

        auto root = juce::parseXML (settingsFolder.file());
        ASSERT_NE (root, nullptr);
        EXPECT_EQ (root->getTagName(), "UserSettings");
        EXPECT_EQ (root->getChildByName ("QualitySettings")->getStringAttribute ("default"), "low");
    }
}

TEST (UserSettingsFile, AFileThatCannotBeReplacedStaysWholeAndNothingEscapes)
{
    SettingsFolder settingsFolder;
    settingsFolder.write (settings ("<QualitySettings default=\"high\"/>"));
    const auto before = bytesOf (settingsFolder.file());

    // A folder a user may not write, holding a writable file: the rename
    // fails and the file stays whole. Root may write there.
    setMode (settingsFolder.folder, 0555);
    {
        auto processor = startedKorvane();
        EXPECT_TRUE (statusTextOf (*processor).isEmpty()) << "the file itself is not read-only";
        processor->setInterfaceSize (150);
    }
    setMode (settingsFolder.folder, 0755);

    if (runsAsRoot())
        EXPECT_EQ (juce::parseXML (settingsFolder.file())->getChildByName ("InterfaceSettings")->getStringAttribute ("size"), "150");
    else
        EXPECT_EQ (bytesOf (settingsFolder.file()), before);

    EXPECT_EQ (settingsFolder.folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);

    // A folder where the file should be, and an override "folder" that is a file.
    ASSERT_TRUE (settingsFolder.file().deleteFile());
    ASSERT_TRUE (settingsFolder.file().createDirectory().wasOk());
    startedKorvane().reset();
    EXPECT_TRUE (settingsFolder.file().isDirectory());

    ScratchFolder other;
    other.file ("plain").replaceWithText ("not a folder");
    BasePlugin::setUserSettingsFolderOverride (other.file ("plain"));
    startedKorvane().reset();
    BasePlugin::setUserSettingsFolderOverride (settingsFolder.folder);
    EXPECT_EQ (other.file ("plain").loadFileAsString(), "not a folder");
}
