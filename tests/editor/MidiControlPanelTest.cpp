#include "EditorTestSupport.h"

#include "editor/MidiControlComponent.h"
#include "editor/OptionsWindow.h"

using namespace EditorTestSupport;

namespace
{
    Parameter* automatable (Product& p, int index)
    {
        auto* parameter = p.parameters().getParameter (index);
        EXPECT_NE (parameter, nullptr);
        return parameter;
    }

    /** The panel at the size the docked Options panel gives its page. */
    MidiControlComponent& panelOf (Product& p)
    {
        auto& panel = *p.editor->getMidiControlPanel();
        p.editor->getOptionsWindow()->getTabs().setCurrentTabIndex (1);
        return panel;
    }
}

//==============================================================================
// Buttons and their enabled rules.

TEST (MidiPanel, ButtonsCarryTheirTooltipsIconsAndEnabledRules)
{
    Product p;
    auto& panel = panelOf (p);
    auto& midi = p.processor->getMidiControl();
    midi.clearAll();
    pump (30);

    EXPECT_EQ (panel.getDeleteButton().getTooltip(), "Delete selected assignation");
    EXPECT_EQ (panel.getClearAllButton().getTooltip(), "Clear all map");
    EXPECT_EQ (panel.getLoadButton().getTooltip(), "Open map");
    EXPECT_EQ (panel.getSaveButton().getTooltip(), "Save current map");
    EXPECT_EQ (panel.getDeleteButton().getWidth(), 27) << "the small icons";

    EXPECT_FALSE (panel.getDeleteButton().isEnabled());
    EXPECT_FALSE (panel.getClearAllButton().isEnabled());
    EXPECT_TRUE (panel.getLoadButton().isEnabled());
    EXPECT_TRUE (panel.getSaveButton().isEnabled());

    // A learn that assigns a controller enables "Clear All".
    midi.setLearnMode (true);
    midi.learnParameterMoved (automatable (p, 7));
    midi.learnControllerMoved (20);
    EXPECT_TRUE (pumpUntil ([&] { return panel.getClearAllButton().isEnabled(); }));
    EXPECT_EQ (panel.getList().getNumEntries(), 1);
    EXPECT_EQ (panel.getList().getSelectedIndex(), 0) << "the completed pair is selected";
    EXPECT_TRUE (panel.getDeleteButton().isEnabled());
    EXPECT_TRUE (panel.getLearnCheckBox().getToggleState());

    panel.getDeleteButton().triggerClick();
    EXPECT_TRUE (pumpUntil ([&] { return panel.getList().getNumEntries() == 0; }));
    EXPECT_EQ (midi.getParameterForController (20), nullptr);
    EXPECT_FALSE (panel.getClearAllButton().isEnabled());
}

TEST (MidiPanel, TheLayoutStacksCheckBoxListAndDefaultMap)
{
    Product p;
    auto& panel = panelOf (p);
    panel.setSize (600, 200);
    auto& list = panel.getList();
    EXPECT_EQ (panel.getLearnCheckBox().getPosition(), juce::Point<int> (0, 0));
    EXPECT_EQ (list.getY(), panel.getLearnCheckBox().getBottom() + 4);
    EXPECT_EQ (list.getBottom(), panel.getDefaultMapBox().getY() - 4);
    EXPECT_EQ (panel.getDefaultMapBox().getBottom(), 200);
    EXPECT_EQ (panel.getDefaultMapBox().getWidth(), 600);
    EXPECT_EQ (panel.getDeleteButton().getParentComponent()->getX(), list.getRight() + 5);
    EXPECT_EQ (panel.getDeleteButton().getParentComponent()->getY(), list.getY() + 1);
    EXPECT_EQ (panel.getDeleteButton().getParentComponent()->getRight(), 600);
}

//==============================================================================
// The list.

TEST (MidiPanel, FourteenAssignmentsInFiveRowsFillColumnsOfFiveFiveAndFour)
{
    Product p;
    auto& panel = panelOf (p);
    auto& midi = p.processor->getMidiControl();
    midi.clearAll();

    for (int i = 0; i < 14; ++i)
        midi.assignController (30 + i, automatable (p, i), true);

    pump (30);
    auto& list = panel.getList();
    list.setSize (450, MidiControlComponent::ListComponent::headerHeight + 5 * 20 + 10);   // five rows and the scroll bar
    ASSERT_EQ (list.getNumEntries(), 14);
    EXPECT_EQ (list.getRowsPerColumn(), 5);
    EXPECT_EQ (list.getNumColumns(), 3);
    EXPECT_FLOAT_EQ (list.getColumnWidth(), 450.0f / 3.0f + 1.0f);

    // Column by column: 0-4, 5-9, 10-13, in ascending controller order.
    const auto cell = [&] (int row, int column)
    {
        return list.indexAt ({ (int) (column * list.getColumnWidth()) + 10, 19 + 20 * row + 10 });
    };

    EXPECT_EQ (cell (0, 0), 0);
    EXPECT_EQ (cell (4, 0), 4);
    EXPECT_EQ (cell (0, 1), 5);
    EXPECT_EQ (cell (4, 2), 14) << "the empty cell after the last entry";
    EXPECT_EQ (list.getEntry (13).controller, 43);
    EXPECT_EQ (list.indexAt ({ 10, 5 }), -1) << "the header selects nothing";

    list.select (cell (4, 2));
    EXPECT_EQ (list.getSelectedIndex(), -1) << "an empty cell selects nothing";
    EXPECT_FALSE (panel.getDeleteButton().isEnabled());

    // More than three columns scroll.
    for (int i = 14; i < 20; ++i)
        midi.assignController (30 + i, automatable (p, i), true);

    pump (30);
    EXPECT_EQ (list.getNumColumns(), 4);
    EXPECT_DOUBLE_EQ (list.getScrollBar().getMaximumRangeLimit(), 4.0 * list.getColumnWidth());
    EXPECT_DOUBLE_EQ (list.getScrollBar().getCurrentRangeSize(), 3.0 * list.getColumnWidth());
    list.select (19);
    EXPECT_GT (list.getScrollBar().getCurrentRangeStart(), 0.0) << "the selected entry's column is scrolled in";
}

TEST (MidiPanel, SelectingAnEntryDuringLearnShowsTheFourthLearnText)
{
    ShownProduct p;
    REQUIRE_DESKTOP_INPUT();
    auto& midi = p.processor->getMidiControl();
    midi.clearAll();
    midi.assignController (21, p.parameters().getParameterByName ("Tone"), true);
    p.fire (EventsMap::optionsEvent);
    auto& panel = panelOf (p);
    pump (50);

    p.fire (EventsMap::toggleMidiLearnEvent);
    EXPECT_EQ (p.statusText(), "Waiting for a controller or parameter movement...");

    auto& list = panel.getList();
    const auto inList = juce::Point<int> (30, MidiControlComponent::ListComponent::headerHeight + 10);
    p.host.click (p.host.getLocalPoint (&list, inList));

    EXPECT_EQ (list.getSelectedIndex(), 0);
    EXPECT_TRUE (pumpUntil ([&] { return p.statusText() == "CC# 21 is assigned to parameter 'Tone'."; }))
        << p.statusText();
}

//==============================================================================
// Clearing, files and the learn switch.

TEST (MidiPanel, CancellingClearAllKeepsTheMapAndConfirmingEmptiesIt)
{
    Product p;
    auto& panel = panelOf (p);
    auto& midi = p.processor->getMidiControl();
    midi.assignController (22, automatable (p, 3), true);
    pump (30);
    const auto count = midi.getAssignmentCount();
    ASSERT_GT (count, 0);

    panel.getClearAllButton().triggerClick();
    pump (30);
    auto* question = panel.getQuestion();
    ASSERT_NE (question, nullptr);
    EXPECT_EQ (question->getMessage(), "Do you really want to clear all assignations?");
    EXPECT_EQ (question->getTitle(), "Korvane");
    EXPECT_TRUE (question->isOverlayShown());

    question->getButton (1)->triggerClick();   // "No"
    pump (30);
    EXPECT_EQ (midi.getAssignmentCount(), count);
    EXPECT_FALSE (question->isOverlayShown());

    panel.getClearAllButton().triggerClick();
    pump (30);
    panel.getQuestion()->getButton (0)->triggerClick();   // "Yes"
    EXPECT_TRUE (pumpUntil ([&] { return panel.getList().getNumEntries() == 0; }));
    EXPECT_EQ (midi.getAssignmentCount(), 0);
}

TEST (MidiPanel, SavingForcesTheMapExtensionAndLoadingReadsItBack)
{
    Product p;
    auto& panel = panelOf (p);
    EXPECT_EQ (panel.getMapFileExtension(), ".kvccmap");
    EXPECT_TRUE (panel.getMapFileWildcard().startsWith ("*.kvccmap")) << panel.getMapFileWildcard();

    juce::TemporaryFile folder;
    folder.getFile().createDirectory();
    const auto chosen = folder.getFile().getChildFile ("map.txt");
    auto& midi = p.processor->getMidiControl();
    midi.clearAll();
    midi.assignController (64, automatable (p, 5), true);

    panel.saveMapAs (chosen);
    EXPECT_FALSE (chosen.exists());
    const auto written = folder.getFile().getChildFile ("map.kvccmap");
    EXPECT_TRUE (written.existsAsFile());
    EXPECT_EQ (panel.fileToSave (folder.getFile().getChildFile ("keys")).getFileName(), "keys.kvccmap");

    midi.clearAll();
    midi.loadMapFile (written);
    EXPECT_EQ (midi.getParameterForController (64), automatable (p, 5));
    folder.getFile().deleteRecursively();
}

TEST (MidiPanel, TheLearnBoxAndTheDefaultMapFollowAndWriteTheMap)
{
    Product p;
    auto& panel = panelOf (p);
    auto& midi = p.processor->getMidiControl();

    midi.setLearnMode (true);
    EXPECT_TRUE (panel.getLearnCheckBox().getToggleState());
    midi.setLearnMode (false);
    EXPECT_FALSE (panel.getLearnCheckBox().getToggleState());

    // The user ticks the box: learn goes on.
    panel.getLearnCheckBox().getButton().triggerClick();
    pump (30);
    EXPECT_TRUE (midi.isLearnMode());
    panel.getLearnCheckBox().getButton().triggerClick();
    pump (30);
    EXPECT_FALSE (midi.isLearnMode());

    auto& defaultMap = panel.getDefaultMapBox();
    defaultMap.getPathField().setPath ("/home/user/maps/keys.kvccmap", false);
    defaultMap.getCheckBox().getButton().triggerClick();
    pump (30);
    EXPECT_TRUE (midi.getUseDefaultMap());
    EXPECT_EQ (midi.getDefaultMapPath(), "/home/user/maps/keys.kvccmap");
    EXPECT_EQ (p.statusText(), "Default Map settings will be affected when plugin is loaded.");
    EXPECT_TRUE (defaultMap.getPathField().isEnabled());
}
