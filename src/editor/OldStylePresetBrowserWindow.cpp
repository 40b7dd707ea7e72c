#include "editor/OldStylePresetBrowserWindow.h"

#include "editor/DefaultLookAndFeel.h"
#include "presets/BasePluginOldStyle.h"

namespace
{
    constexpr int buttonColumnGap = 5;
    constexpr int firstRepeatMs = 1000;
    constexpr int repeatMs = 100;
}

OldStylePresetBrowserWindow::OldStylePresetBrowserWindow (BasePluginOldStyle& owner)
    : WindowComponent ("PresetBrowserWindow"), processor (owner), browser (*this, owner)
{
    setTitle ("Preset Browser");
    addAndMakeVisible (browser);
    addAndMakeVisible (buttonColumn);
    addAndMakeVisible (bottomRow);

    const std::pair<juce::ImageButton*, const char*> imageButtons[] = {
        { &addGroupButton, "Add group" }, { &removeGroupButton, "Remove empty group" },
        { &copyButton, "Copy current preset" }, { &pasteButton, "Paste copied preset" },
        { &upButton, "Select previous preset" }, { &downButton, "Select next preset" } };

    for (auto& [button, tip] : imageButtons)
    {
        button->setTooltip (tip);
        button->addListener (this);
        buttonColumn.addAndMakeVisible (button);
    }

    upButton.setRepeatSpeed (firstRepeatMs, repeatMs);
    downButton.setRepeatSpeed (firstRepeatMs, repeatMs);

    const std::pair<TextButtonEx*, const char*> textButtons[] = {
        { &loadPresetButton, "Load preset" }, { &savePresetButton, "Save current preset" },
        { &loadBankButton, "Load preset bank" }, { &saveBankButton, "Save current preset bank" } };

    for (auto& [button, tip] : textButtons)
    {
        button->setTooltip (tip);
        button->addListener (this);
    }

    for (auto* label : { &presetLabel, &bankLabel })
        label->setJustificationType (juce::Justification::centredRight);

    bottomRow.addAndMakeVisible (presetLabel);
    bottomRow.addAndMakeVisible (loadPresetButton);
    bottomRow.addAndMakeVisible (savePresetButton);
    bottomRow.addAndMakeVisible (bankLabel);
    bottomRow.addAndMakeVisible (loadBankButton);
    bottomRow.addAndMakeVisible (saveBankButton);

    lookAndFeelChanged();
    updateButtons();
}

OldStylePresetBrowserWindow::~OldStylePresetBrowserWindow()
{
    for (auto* button : { &addGroupButton, &removeGroupButton, &copyButton, &pasteButton, &upButton, &downButton })
        button->removeListener (this);

    for (auto* button : { &loadPresetButton, &savePresetButton, &loadBankButton, &saveBankButton })
        button->removeListener (this);
}

void OldStylePresetBrowserWindow::lookAndFeelChanged()
{
    WindowComponent::lookAndFeelChanged();

    if (auto* lf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
    {
        const std::pair<IconButton*, int> icons[] = { { &addGroupButton, 9 }, { &removeGroupButton, 10 },
                                                              { &copyButton, 1 }, { &pasteButton, 3 },
                                                              { &upButton, 6 }, { &downButton, 5 } };
        for (auto& [button, iconIndex] : icons)
            lf->setIconImages (*button, iconIndex, true);
    }

    const auto font = DefaultLookAndFeel::interfaceFont (13.0f);

    for (auto* label : { &presetLabel, &bankLabel })
    {
        label->setFont (font);
        label->setColour (juce::Label::textColourId, juce::Colours::black);
        const auto labelBorder = label->getBorderSize();
        label->setSize (font.getStringWidth (label->getText()) + labelBorder.getLeftAndRight(), 20);
    }

    resized();
}

void OldStylePresetBrowserWindow::resized()
{
    WindowComponent::resized();

    auto area = contentArea();
    buttonColumn.setTopLeftPosition (area.getPosition());
    bottomRow.setTopLeftPosition (area.getRight() - bottomRow.getWidth(), area.getBottom() - bottomRow.getHeight());
    area.removeFromLeft (buttonColumn.getWidth() + buttonColumnGap);
    area.removeFromBottom (bottomRow.getHeight());
    browser.setBounds (area);
}

int OldStylePresetBrowserWindow::getSelectedGroup() const
{
    auto* groups = browser.getGroupColumn();
    return groups != nullptr && groups->getList().getNumSelectedRows() > 0 ? groups->getList().getSelectedRow (0) : -1;
}

void OldStylePresetBrowserWindow::updateButtons()
{
    auto* groups = browser.getGroupColumn();
    const bool oneGroup = groups != nullptr && groups->getList().getNumSelectedRows() == 1;
    addGroupButton.setEnabled (oneGroup);
    removeGroupButton.setEnabled (oneGroup && processor.getBank().getGroupCount (getSelectedGroup()) == 0);
}

juce::File OldStylePresetBrowserWindow::withExtension (const juce::File& chosen, const juce::String& extension)
{
    return chosen.hasFileExtension (extension) ? chosen : chosen.withFileExtension (extension);
}

void OldStylePresetBrowserWindow::savePresetAs (const juce::File& chosen)
{
    const auto file = withExtension (chosen, processor.presetFileExtension());
    processor.savePresetFile (file, processor.getCurrentPresetIndex());
    processor.setRecentlyUsedDirectory (file.getParentDirectory());
}

void OldStylePresetBrowserWindow::saveBankAs (const juce::File& chosen)
{
    processor.saveBankFile (withExtension (chosen, processor.bankFileExtension()));
}

void OldStylePresetBrowserWindow::choose (const juce::String& chooserTitle, const juce::String& pattern, bool save,
                                          std::function<void (const juce::File&)> action)
{
    chooser = std::make_unique<juce::FileChooser> (chooserTitle, juce::File (processor.getRecentlyUsedDirectory()), pattern);
    const auto chooserFlags = juce::FileBrowserComponent::canSelectFiles
                     | (save ? juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::warnAboutOverwriting
                             : juce::FileBrowserComponent::openMode);

    juce::Component::SafePointer<OldStylePresetBrowserWindow> safeThis (this);
    chooser->launchAsync (chooserFlags, [safeThis, action] (const juce::FileChooser& fc)
    {
        if (safeThis != nullptr && fc.getResult() != juce::File())
            action (fc.getResult());
    });
}

void OldStylePresetBrowserWindow::buttonClicked (juce::Button* button)
{
    if (button == &addGroupButton)
    {
        processor.addGroup (getSelectedGroup());
        browser.refreshAll();
    }
    else if (button == &removeGroupButton)
    {
        const auto group = getSelectedGroup();

        if (processor.getBank().isValidGroup (group) && processor.getBank().getGroupCount (group) == 0)
            processor.removeEmptyGroup (group);

        browser.refreshAll();
    }
    else if (button == &copyButton)   processor.copyCurrentPreset();
    else if (button == &pasteButton)  processor.pasteCopiedPreset();
    else if (button == &upButton)     processor.selectPreviousPreset();
    else if (button == &downButton)   processor.selectNextPreset();
    else if (button == &loadPresetButton)
    {
        choose ("Load single preset", processor.presetFileWildcard(), false, [this] (const juce::File& file)
        {
            processor.loadPresetFile (file, processor.getCurrentPresetIndex());
            processor.setRecentlyUsedDirectory (file.getParentDirectory());
        });
    }
    else if (button == &savePresetButton)
    {
        choose ("Save current settings as preset", "*" + processor.presetFileExtension(), true,
                [this] (const juce::File& file) { savePresetAs (file); });
    }
    else if (button == &loadBankButton)
    {
        choose ("Load preset bank", processor.bankFileWildcard(), false,
                [this] (const juce::File& file) { processor.loadBankFile (file); });
    }
    else if (button == &saveBankButton)
    {
        choose ("Save preset bank", "*" + processor.bankFileExtension(), true,
                [this] (const juce::File& file) { saveBankAs (file); });
    }
    else
    {
        WindowComponent::buttonClicked (button);
    }
}
