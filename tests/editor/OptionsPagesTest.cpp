#include "EditorTestSupport.h"

#include "editor/DefaultResourceCheckBox.h"
#include "editor/DefaultResourcesRadioButtons.h"
#include "editor/MidiControlComponent.h"
#include "editor/OptionsWindow.h"
#include "editor/RadioButtons.h"
#include "plugin/HalcyonEffect.h"
#include "plugin/TestProduct.h"

using namespace EditorTestSupport;

namespace
{
    struct GroupRecorder : RadioButtons::Listener
    {
        void radioButtonsChanged (RadioButtons* group) override { changes.add (group); }
        juce::Array<RadioButtons*> changes;
    };

    /** An effect of the family without a quality setting. */
    struct EffectWithoutQuality : TestProduct
    {
        EffectWithoutQuality() : TestProduct (21) {}
        bool hasQualitySetting() const override            { return false; }
        juce::String getPluginName() const override        { return "Plain"; }
        int getNumHostParameters() const override          { return 21; }
    };

    Parameter* quality (Product& p)   { return p.parameters().getParameterByName ("Quality"); }
}

//==============================================================================
// The tabs.

TEST (OptionsTabs, WithoutAQualitySettingThereAreTwoTabs)
{
    ButtonTestSupport::ignoreXErrors();
    EffectWithoutQuality effect;
    effect.startUp();
    auto* editor = dynamic_cast<HalcyonEffectEditor*> (effect.getEditorComponent());
    ASSERT_NE (editor, nullptr);
    EXPECT_EQ (editor->getOptionsWindow()->getTabs().getTabNames(), (juce::StringArray { "Presets", "Midi Control" }));
    EXPECT_EQ (editor->getQualitySettingsPage(), nullptr);
}

TEST (OptionsTabs, TheProductHasQualityLastAndTurningAPageClearsEvenALearnText)
{
    Product p;
    auto& tabs = p.editor->getOptionsWindow()->getTabs();
    EXPECT_EQ (tabs.getTabNames(), (juce::StringArray { "Presets", "Midi Control", "Quality" }));
    EXPECT_EQ (tabs.getCurrentContentComponent(), p.editor->getPresetsSettingsPage());
    EXPECT_EQ (tabs.getTabBarDepth(), 23);

    p.processor->getMidiControl().setLearnMode (true);
    EXPECT_FALSE (p.statusText().isEmpty());
    tabs.setCurrentTabIndex (2);
    EXPECT_TRUE (p.statusText().isEmpty());
}

//==============================================================================
// The radio-button group's layout.

TEST (RadioButtonsGroup, RowsMarksAndTextsFollowTheLookMeasures)
{
    DefaultLookAndFeel lf;
    juce::Component parent;
    parent.setLookAndFeel (&lf);
    RadioButtons group ("Current Quality", { "Low", "Medium", "High", "Highest" });
    parent.addAndMakeVisible (group);

    const auto titleHeight = (int) std::ceil (lf.getBoldFont().getHeight());
    EXPECT_EQ (group.getHeight(), 4 * 20 + 2 * 2 + titleHeight);

    for (int j = 0; j < 4; ++j)
    {
        auto* button = group.getButton (j);
        EXPECT_EQ (button->getName(), "RadioButton" + juce::String (j));
        EXPECT_EQ (button->getWidth(), 15);
        EXPECT_EQ (button->getPosition(), juce::Point<int> (7, 20 * j + (20 - 14) / 2 + titleHeight + 2)) << j;
    }

    EXPECT_EQ (group.getTextX(), 15 + 6 + 6 + 1);
    const auto widestText = lf.getStandardFont().getStringWidth ("Highest");
    EXPECT_EQ (group.getWidth(), juce::jmax (lf.getBoldFont().getStringWidth ("Current Quality") + 26, widestText + 12 + 6 + 15 + 2));

    group.setSize (400, group.getHeight());
    group.updateSize();
    EXPECT_EQ (group.getWidth(), 400) << "a larger width it was given stays";
    parent.removeChildComponent (&group);
    parent.setLookAndFeel (nullptr);
}

TEST (RadioButtonsGroup, SelectionShowsOneMarkAndNotifiesOnlyWhenAsked)
{
    RadioButtons group ("Preset storing", { "Automatic", "On demand" });
    GroupRecorder recorder;
    group.addListener (&recorder);

    group.setSelectedIndex (1, false);
    EXPECT_TRUE (group.getButton (1)->getToggleState());
    EXPECT_FALSE (group.getButton (0)->getToggleState());
    EXPECT_TRUE (recorder.changes.isEmpty());

    group.setSelectedIndex (5, true);
    EXPECT_EQ (group.getSelectedIndex(), -1) << "an index outside the options selects none";
    EXPECT_FALSE (group.getButton (1)->getToggleState());
    EXPECT_EQ (recorder.changes.size(), 1);

    group.getButton (0)->triggerClick();
    ButtonTestSupport::pump (30);
    EXPECT_EQ (group.getSelectedIndex(), 0);
    EXPECT_EQ (recorder.changes.size(), 2);
}

//==============================================================================
// Path fields.

TEST (PathFields, ALongPathEndsInTheMarkerAndFieldsFollowTheirOption)
{
    DefaultLookAndFeel lf;
    juce::Component parent;
    parent.setLookAndFeel (&lf);

    PathComponent field;
    parent.addAndMakeVisible (field);
    field.setSize (300, 22);
    field.setPath ("/home/user/banks/short.kvprsb", false);
    EXPECT_FALSE (field.isPathClipped());
    field.setPath ("/home/user/music/projects/2026/very/deep/folder/structure/with/many/levels/bank.kvprsb", false);
    EXPECT_TRUE (field.isPathClipped());
    EXPECT_EQ (field.getBrowseButton().getRight(), 300);

    // The marker is drawn at the right end of the box.
    const auto image = field.createComponentSnapshot (field.getLocalBounds(), false);
    const auto box = field.getPathBox();
    const auto markerWidth = lf.getStandardFont().getStringWidth (PathComponent::clippedMarker);
    int darkInMarker = 0;
    for (int x = box.getRight() - 4 - markerWidth; x < box.getRight() - 4; ++x)
        for (int y = 0; y < 22; ++y)
            darkInMarker += image.getPixelAt (x, y).getBrightness() < 0.4f ? 1 : 0;
    EXPECT_GT (darkInMarker, 5);

    DefaultResourcesRadioButtons presets ("Default presets", { "Factory presets", "Clear presets", "User defined" });
    parent.addAndMakeVisible (presets);
    presets.setSelectedIndex (0, false);
    EXPECT_FALSE (presets.getPathField().isEnabled());
    EXPECT_FALSE (presets.getPathField().getBrowseButton().isEnabled());
    presets.setSelectedIndex (2, false);
    EXPECT_TRUE (presets.getPathField().isEnabled());
    EXPECT_EQ (presets.getPathField().getY(), presets.getRowY (2));

    DefaultResourceCheckBox map ("Default map");
    parent.addAndMakeVisible (map);
    map.setPath ({});
    EXPECT_FALSE (map.isChecked());
    EXPECT_FALSE (map.getPathField().isEnabled());
    map.setPath ("/home/user/maps/keys.kvccmap");
    EXPECT_TRUE (map.isChecked());
    EXPECT_TRUE (map.getPathField().isEnabled());

    parent.removeAllChildren();
    parent.setLookAndFeel (nullptr);
}

TEST (PathFields, PathsCompareWithoutCaseAndTellTheirListeners)
{
    struct Recorder : PathComponent::Listener
    {
        void pathChanged (PathComponent*) override { ++changes; }
        int changes = 0;
    } recorder;

    PathComponent field;
    field.addListener (&recorder);
    field.setPath ("/a/Bank.kvprsb", true);
    field.setPath ("/A/bank.KVPRSB", true);
    EXPECT_EQ (field.getPath(), "/a/Bank.kvprsb");
    EXPECT_EQ (recorder.changes, 1);
    field.setPath ("/b.kvprsb", false);
    EXPECT_EQ (recorder.changes, 1);
}

//==============================================================================
// The "Presets" and "Quality" pages.

TEST (PresetsPage, ChoosingAutomaticStoresTheLiveSettingsAtOnce)
{
    Product p;
    p.processor->setPresetStoringOnDemand (true);
    auto* page = p.editor->getPresetsSettingsPage();
    ASSERT_NE (page, nullptr);

    auto* tone = p.parameters().getParameterByName ("Tone");
    const auto index = p.processor->getCurrentPresetIndex();
    const auto stored = p.processor->getBank().getPreset (index).values[(size_t) tone->getIdentifier()];
    const auto live = stored < 0.5f ? 0.8f : 0.2f;
    tone->setNormalisedValue (live, true);

    auto& storing = page->getStoringGroup();
    storing.setSelectedIndex (1, true);   // "On demand" again stores nothing
    EXPECT_FLOAT_EQ (p.processor->getBank().getPreset (index).values[(size_t) tone->getIdentifier()], stored);

    storing.setSelectedIndex (0, true);
    EXPECT_FALSE (p.processor->isPresetStoringOnDemand());
    EXPECT_FLOAT_EQ (p.processor->getBank().getPreset (index).values[(size_t) tone->getIdentifier()], live);
}

TEST (PresetsPage, ChangingTypeAndDefaultPresetsWriteTheirSettingsWithoutANotice)
{
    Product p;
    auto* page = p.editor->getPresetsSettingsPage();
    EXPECT_TRUE (page->getChangingGroup().isVisible());
    EXPECT_EQ (page->getStoringGroup().getSelectedIndex(), p.processor->isPresetStoringOnDemand() ? 1 : 0);

    page->getChangingGroup().setSelectedIndex (1, true);
    EXPECT_TRUE (p.processor->isSilentPresetChange());

    auto& presets = page->getDefaultPresetsGroup();
    presets.getPathField().setPath ("/home/user/my.kvprsb", false);
    presets.setSelectedIndex (2, true);
    EXPECT_EQ (p.processor->getDefaultPresetsMode(), 2);
    EXPECT_EQ (p.processor->getUserDefinedBankFile(), "/home/user/my.kvprsb");
    EXPECT_TRUE (p.statusText().isEmpty()) << "the product shows no notice for it";
    EXPECT_EQ (presets.getPathField().getChooserPattern(), p.processor->bankFileWildcard());

    // Side by side, each half the width minus 3.
    page->setSize (617, 220);
    EXPECT_EQ (page->getStoringGroup().getWidth(), (617 - 16) / 2 - 3);
    EXPECT_EQ (page->getChangingGroup().getRight(), 617 - 8);
    EXPECT_EQ (presets.getY(), page->getStoringGroup().getBottom() + 10);
}

TEST (QualityPage, LevelsSetTheQualityParameterAndTheDefault)
{
    Product p;
    auto* page = p.editor->getQualitySettingsPage();
    ASSERT_NE (page, nullptr);
    EXPECT_EQ (page->getCurrentQualityGroup().getSelectedIndex(), p.processor->getQualityLevel());
    EXPECT_TRUE (page->getRestartLabel().isVisible());
    EXPECT_EQ (page->getRestartLabel().getText(),
               "After changing this setting you need to restart your project (Stop/Start) to update plug-in's latency.");

    page->getCurrentQualityGroup().setSelectedIndex (3, true);
    EXPECT_EQ (quality (p)->getNormalisedValue(), 1.0f) << "3 x 0.33333334 is exactly 1 in single precision";

    page->getCurrentQualityGroup().setSelectedIndex (1, true);
    EXPECT_EQ (quality (p)->getNormalisedValue(), 0.33333334f);
    EXPECT_EQ (p.processor->getQualityLevel(), 1);
    EXPECT_TRUE (p.statusText().isEmpty()) << "the current quality needs no notice";

    page->getDefaultQualityGroup().setSelectedIndex (2, true);
    EXPECT_EQ (p.processor->getDefaultQualityLevel(), 2);
    EXPECT_EQ (p.statusText(), "Default Quality settings will be affected when plugin is loaded.");
}
