#include "EditorTestSupport.h"

#include "editor/OldStylePresetBrowserWindow.h"
#include "presets/BasePluginOldStyle.h"

using namespace EditorTestSupport;

namespace
{
    using Browser = OldStylePresetsBrowser;

    struct BrowserProduct : Product
    {
        BrowserProduct()
        {
            fire (EventsMap::browsePresetsEvent);
            pump (30);
        }

        OldStylePresetBrowserWindow& window()   { return *editor->getPresetBrowserWindow(); }
        Browser& browser()                      { return window().getBrowser(); }
        PresetBank& bank()                      { return processor->getBank(); }
        Browser::GroupListColumn& groups()      { return *browser().getGroupColumn(); }
        Browser::PresetListColumn& presets()    { return *browser().getPresetColumn(); }

        int groupNamed (const juce::String& name)
        {
            for (int g = 0; g < bank().getNumGroups(); ++g)
                if (bank().getGroupName (g) == name)
                    return g;

            ADD_FAILURE() << "no group " << name;
            return -1;
        }

        juce::StringArray presetNames (int group)
        {
            juce::StringArray names;
            for (int i = 0; i < bank().getGroupCount (group); ++i)
                names.add (bank().getName (bank().presetIndexInBank (group, i)));
            return names;
        }
    };

    /** A drag with the real pointer, in steps as a hand makes it. */
    void dragWithThePointer (ShownProduct& p, juce::Point<int> from, juce::Point<int> to)
    {
        p.host.press (from);
        for (int step = 1; step <= 20; ++step)
        {
            p.host.dragTo (from + (to - from) * step / 20);
            pump (10);
        }
        pump (100);
        p.host.release (to);
    }
}

//==============================================================================
// Following the current preset.

TEST (PresetBrowser, ItShowsTheCurrentPresetsGroupAndRow)
{
    BrowserProduct p;
    ASSERT_NE (p.browser().getGroupColumn(), nullptr);
    ASSERT_NE (p.browser().getPresetColumn(), nullptr);
    EXPECT_EQ (p.browser().getNumColumns(), 2);
    EXPECT_EQ (p.groups().getWidth(), 241);

    const auto current = p.processor->getCurrentPresetIndex();
    const auto group = p.bank().groupOfPreset (current);
    EXPECT_EQ (p.presets().group, group);
    EXPECT_TRUE (p.presets().getList().isRowSelected (current - p.bank().firstPresetOfGroup (group)));
    EXPECT_TRUE (p.groups().getList().isRowSelected (group));

    // A preset chosen elsewhere (another group) is followed.
    const auto other = p.bank().firstPresetOfGroup (p.groupNamed ("Guitar")) + 1;
    p.processor->selectPreset (other);
    EXPECT_TRUE (pumpUntil ([&] { return p.browser().getPresetColumn() != nullptr
                                         && p.presets().group == p.groupNamed ("Guitar")
                                         && p.presets().getList().isRowSelected (1); }));
    EXPECT_EQ (p.presets().rowText (1), p.bank().getName (other));
}

TEST (PresetBrowser, FollowingAChangeSelectsNoPresetOfItsOwn)
{
    // The current preset may move on the audio thread (a program change)
    // while the browser is still showing an older one: showing must never
    // select that older preset back.
    BrowserProduct p;
    const auto current = p.processor->getCurrentPresetIndex();
    const auto guitar = p.groupNamed ("Guitar");
    p.browser().showPreset (guitar, 2);
    EXPECT_EQ (p.processor->getCurrentPresetIndex(), current);
    EXPECT_TRUE (p.presets().getList().isRowSelected (2));
    EXPECT_EQ (p.presets().group, guitar);
}

TEST (PresetBrowser, ClickingAPresetSelectsIt)
{
    BrowserProduct p;
    const auto group = p.presets().group;
    p.presets().getList().selectRow (3);
    EXPECT_EQ (p.processor->getCurrentPresetIndex(), p.bank().presetIndexInBank (group, 3));
}

//==============================================================================
// The buttons.

TEST (PresetBrowserButtons, GroupButtonsFollowTheGroupSelection)
{
    BrowserProduct p;
    auto& w = p.window();
    auto& list = p.groups().getList();

    list.selectRow (p.groupNamed ("Keys"));
    EXPECT_TRUE (w.getAddGroupButton().isEnabled());
    EXPECT_FALSE (w.getRemoveGroupButton().isEnabled()) << "a group with presets";

    list.selectRangeOfRows (0, 1);
    EXPECT_EQ (list.getNumSelectedRows(), 2);
    p.browser().columnsChanged();
    EXPECT_FALSE (w.getAddGroupButton().isEnabled());
    EXPECT_FALSE (w.getRemoveGroupButton().isEnabled());

    // "Add Group" puts an empty "New Group" in the selected group's place.
    const auto keys = p.groupNamed ("Keys");
    p.groups().selectOnly (keys);
    const auto before = p.bank().getNumGroups();
    w.getAddGroupButton().triggerClick();
    pump (30);
    ASSERT_EQ (p.bank().getNumGroups(), before + 1);
    EXPECT_EQ (p.bank().getGroupName (keys), "New Group");
    EXPECT_EQ (p.bank().getGroupName (keys + 1), "Keys");

    p.groups().selectOnly (keys);
    EXPECT_TRUE (w.getAddGroupButton().isEnabled());
    EXPECT_TRUE (w.getRemoveGroupButton().isEnabled()) << "an empty group";

    w.getRemoveGroupButton().triggerClick();
    pump (30);
    EXPECT_EQ (p.bank().getNumGroups(), before);
    EXPECT_EQ (p.bank().getGroupName (keys), "Keys");
}

TEST (PresetBrowserButtons, TooltipsIconsAndRepeat)
{
    BrowserProduct p;
    auto& w = p.window();
    EXPECT_EQ (w.getAddGroupButton().getTooltip(), "Add group");
    EXPECT_EQ (w.getRemoveGroupButton().getTooltip(), "Remove empty group");
    EXPECT_EQ (w.getDownButton().getTooltip(), "Select next preset");
    EXPECT_EQ (w.getSaveBankButton().getTooltip(), "Save current preset bank");
    EXPECT_EQ (w.getUpButton().getWidth(), 27);
    EXPECT_EQ (w.getLoadPresetButton().getButtonText(), "Load");
    EXPECT_EQ (w.getTitle(), "Preset Browser");
}

TEST (PresetBrowserButtons, HoldingDownRepeatsAndStopsAtTheLastSlot)
{
    ShownProduct p;
    REQUIRE_DESKTOP_INPUT();
    p.fire (EventsMap::browsePresetsEvent);
    pump (50);
    p.processor->selectPreset (122);
    pump (30);

    auto& down = p.editor->getPresetBrowserWindow()->getDownButton();
    p.host.press (p.host.getLocalPoint (&down, down.getLocalBounds().getCentre()));
    pump (600);
    EXPECT_LE (p.processor->getCurrentPresetIndex(), 123) << "no repeat before 1000 ms";
    pump (2000);
    p.host.release (p.host.getLocalPoint (&down, down.getLocalBounds().getCentre()));
    pump (100);
    EXPECT_EQ (p.processor->getCurrentPresetIndex(), 127) << "repeats every 100 ms, and stops at the last slot";
}

TEST (PresetBrowserButtons, SavingAPresetForcesItsExtension)
{
    BrowserProduct p;
    juce::TemporaryFile folderFile;
    const auto folder = folderFile.getFile();
    folder.createDirectory();

    p.window().savePresetAs (folder.getChildFile ("lead"));
    EXPECT_TRUE (folder.getChildFile ("lead.kvprs").existsAsFile());
    folder.getChildFile ("lead.kvprs").deleteFile();

    p.window().savePresetAs (folder.getChildFile ("lead.txt"));
    EXPECT_TRUE (folder.getChildFile ("lead.kvprs").existsAsFile());
    EXPECT_FALSE (folder.getChildFile ("lead.txt").exists());
    EXPECT_EQ (juce::File (p.processor->getRecentlyUsedDirectory()), folder);

    p.window().saveBankAs (folder.getChildFile ("all.xml"));
    EXPECT_TRUE (folder.getChildFile ("all.kvprsb").existsAsFile());
    folder.deleteRecursively();
}

//==============================================================================
// Renaming and moving.

TEST (PresetBrowserEditing, RenamingAGroupToAnEmptyNameIsAllowed)
{
    BrowserProduct p;
    const auto misc = p.groupNamed ("Misc");
    p.groups().renameItem (misc, {});
    EXPECT_EQ (p.bank().getGroupName (misc), "");

    p.presets().renameItem (0, "First");
    EXPECT_EQ (p.bank().getName (p.bank().presetIndexInBank (p.presets().group, 0)), "First");
}

TEST (PresetBrowserEditing, TwoPresetsDroppedOnAGroupAreAppendedInOrder)
{
    BrowserProduct p;
    const auto keys = p.groupNamed ("Keys");
    const auto misc = p.groupNamed ("Misc");
    p.browser().showPreset (keys, 0);
    const auto keysBefore = p.presetNames (keys);
    const auto miscBefore = p.presetNames (misc);

    auto& list = p.presets().getList();
    list.selectRow (1);
    list.selectRow (2, false, false);
    ASSERT_EQ (list.getNumSelectedRows(), 2);

    auto* source = &p.presets();
    int row = -1;
    const auto rowCentre = p.groups().getList().getRowPosition (misc, true).getCentre() + p.groups().getList().getPosition();
    EXPECT_EQ (p.groups().dropModeAt (source, rowCentre, row), (int) ColumnBrowser::ListColumn::dropIntoRowMode);
    EXPECT_EQ (row, misc);

    p.groups().dropIntoRow (source, misc);

    auto expectedMisc = miscBefore;
    expectedMisc.add (keysBefore[1]);
    expectedMisc.add (keysBefore[2]);
    EXPECT_EQ (p.presetNames (misc), expectedMisc);
    EXPECT_EQ (p.presetNames (keys).size(), keysBefore.size() - 2);
}

TEST (PresetBrowserEditing, TheCurrentPresetMovedBeforeTheFirstRowStaysCurrentAndSelected)
{
    BrowserProduct p;
    const auto keys = p.groupNamed ("Keys");
    p.browser().showPreset (keys, 0);
    p.presets().getList().selectRow (2);
    const auto current = p.processor->getCurrentPresetIndex();
    const auto name = p.bank().getName (current);

    auto& column = p.presets();
    int row = -1;
    const auto topOfFirstRow = column.getList().getPosition() + juce::Point<int> (40, 2);
    EXPECT_EQ (column.dropModeAt (&column, topOfFirstRow, row), (int) ColumnBrowser::ListColumn::dropBeforeRowMode);
    EXPECT_EQ (row, 0);

    column.insertBefore (&column, 0);
    EXPECT_EQ (p.bank().getName (p.bank().presetIndexInBank (keys, 0)), name);
    EXPECT_EQ (p.bank().getName (p.processor->getCurrentPresetIndex()), name) << "still the current preset";
    EXPECT_EQ (p.processor->getCurrentPresetIndex(), p.bank().presetIndexInBank (keys, 0));
    EXPECT_TRUE (p.presets().getList().isRowSelected (0));
    EXPECT_EQ (p.presets().getList().getNumSelectedRows(), 1);
}

TEST (PresetBrowserEditing, AGroupDroppedOnAPresetColumnDoesNothing)
{
    BrowserProduct p;
    auto& groups = p.groups();
    auto& presets = p.presets();
    int row = -1;

    for (int y : { 2, 10, 18, 100 })
        EXPECT_EQ (presets.dropModeAt (&groups, presets.getList().getPosition() + juce::Point<int> (40, y), row),
                   (int) ColumnBrowser::ListColumn::noDrop) << y;

    // A group onto another group's row edge moves it.
    const auto before = p.bank().getGroupName (1);
    groups.selectOnly (1);
    EXPECT_EQ (groups.dropModeAt (&groups, groups.getList().getPosition() + juce::Point<int> (40, 2), row),
               (int) ColumnBrowser::ListColumn::dropBeforeRowMode);
    groups.insertBefore (&groups, 0);
    EXPECT_EQ (p.bank().getGroupName (0), before);
}

TEST (PresetBrowserEditing, ARealDragOfAPresetOntoAGroupMovesIt)
{
    ShownProduct p;
    REQUIRE_DESKTOP_INPUT();
    p.fire (EventsMap::browsePresetsEvent);
    pump (50);

    auto& window = *p.editor->getPresetBrowserWindow();
    auto& browser = window.getBrowser();
    auto& bank = p.processor->getBank();
    int misc = -1, keys = -1;
    for (int g = 0; g < bank.getNumGroups(); ++g)
    {
        misc = bank.getGroupName (g) == "Misc" ? g : misc;
        keys = bank.getGroupName (g) == "Keys" ? g : keys;
    }

    browser.showPreset (keys, 0);
    pump (30);
    const auto moved = bank.getName (bank.presetIndexInBank (keys, 4));
    const auto miscCount = bank.getGroupCount (misc);

    auto& presetList = browser.getPresetColumn()->getList();
    auto& groupList = browser.getGroupColumn()->getList();
    const auto from = p.host.getLocalPoint (&presetList, presetList.getRowPosition (4, true).getCentre());
    const auto to = p.host.getLocalPoint (&groupList, groupList.getRowPosition (misc, true).getCentre());

    dragWithThePointer (p, from, to);

    // Let JUCE's fading drag image finish before the window goes.
    EXPECT_TRUE (pumpUntil ([] { return ! juce::Desktop::getInstance().getAnimator().isAnimating(); }, 3000));
    pump (50);

    EXPECT_EQ (bank.getGroupCount (misc), miscCount + 1);
    EXPECT_EQ (bank.getName (bank.presetIndexInBank (misc, miscCount)), moved);
}

TEST (PresetBrowserEditing, TheCurrentPresetDraggedOntoAGroupIsSelectedThere)
{
    ShownProduct p;
    REQUIRE_DESKTOP_INPUT();
    p.fire (EventsMap::browsePresetsEvent);
    pump (50);

    auto& browser = p.editor->getPresetBrowserWindow()->getBrowser();
    auto& bank = p.processor->getBank();
    int misc = -1;
    for (int g = 0; g < bank.getNumGroups(); ++g)
        misc = bank.getGroupName (g) == "Misc" ? g : misc;

    const auto current = p.processor->getCurrentPresetIndex();
    const auto name = bank.getName (current);
    const auto keys = bank.groupOfPreset (current);
    const auto row = current - bank.firstPresetOfGroup (keys);
    const auto miscCount = bank.getGroupCount (misc);
    ASSERT_NE (keys, misc);

    auto& presetList = browser.getPresetColumn()->getList();
    auto& groupList = browser.getGroupColumn()->getList();
    ASSERT_TRUE (presetList.isRowSelected (row));
    const auto from = p.host.getLocalPoint (&presetList, presetList.getRowPosition (row, true).getCentre());
    const auto to = p.host.getLocalPoint (&groupList, groupList.getRowPosition (misc, true).getCentre());

    dragWithThePointer (p, from, to);

    // Moved to the end of Misc, still the current preset, and selected
    // there: the preset column shows Misc with the moved preset's row.
    ASSERT_EQ (bank.getGroupCount (misc), miscCount + 1);
    EXPECT_EQ (bank.getName (p.processor->getCurrentPresetIndex()), name);
    EXPECT_EQ (p.processor->getCurrentPresetIndex(), bank.presetIndexInBank (misc, miscCount));
    EXPECT_TRUE (pumpUntil ([&]
    {
        auto* presets = browser.getPresetColumn();
        return presets != nullptr && presets->group == misc && presets->getList().getNumSelectedRows() == 1
            && presets->getList().isRowSelected (miscCount) && groupList.isRowSelected (misc);
    })) << "the moved preset is not selected in its new group";

    // Let JUCE's fading drag image finish before the window goes.
    EXPECT_TRUE (pumpUntil ([] { return ! juce::Desktop::getInstance().getAnimator().isAnimating(); }, 3000));
}

TEST (PresetBrowserEditing, ADoubleClickOpensTheRowsEditorAndACommitRenames)
{
    ShownProduct p;
    REQUIRE_DESKTOP_INPUT();
    p.fire (EventsMap::browsePresetsEvent);
    pump (50);

    auto& browser = p.editor->getPresetBrowserWindow()->getBrowser();
    auto& list = browser.getPresetColumn()->getList();
    const auto group = browser.getPresetColumn()->group;
    const auto where = p.host.getLocalPoint (&list, list.getRowPosition (1, true).getCentre());
    p.host.click (where);
    p.host.click (where);
    pump (50);

    auto* item = dynamic_cast<ColumnBrowser::ListColumn::ItemComponent*> (list.getComponentForRowNumber (1));
    ASSERT_NE (item, nullptr);
    auto* editor = item->getLabel().getEditor();
    ASSERT_NE (editor, nullptr) << "the double-click opened the row's text editor";
    EXPECT_TRUE (editor->isVisible());

    pump (30);
    editor->setText ("Renamed Tine", true);
    editor->finishEditing();
    pump (30);

    auto& bank = p.processor->getBank();
    EXPECT_EQ (bank.getName (bank.presetIndexInBank (group, 1)), "Renamed Tine");
}
