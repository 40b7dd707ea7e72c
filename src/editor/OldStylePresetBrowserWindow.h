#pragma once

#include "editor/IconButton.h"
#include "editor/OldStylePresetsBrowser.h"
#include "editor/WindowComponent.h"
#include "skin/ComponentRow.h"
#include "skin/TextButtonEx.h"

#include <memory>

class BasePluginOldStyle;

/**
    The window that holds the preset browser: the bank's groups and presets,
    a column of buttons that reorganise them, and a row that loads and saves
    single presets and whole banks.
*/
class OldStylePresetBrowserWindow : public WindowComponent
{
public:
    explicit OldStylePresetBrowserWindow (BasePluginOldStyle& processor);
    ~OldStylePresetBrowserWindow() override;

    OldStylePresetsBrowser& getBrowser() noexcept        { return browser; }
    juce::ImageButton& getAddGroupButton() noexcept      { return addGroupButton; }
    juce::ImageButton& getRemoveGroupButton() noexcept   { return removeGroupButton; }
    juce::ImageButton& getCopyButton() noexcept          { return copyButton; }
    juce::ImageButton& getPasteButton() noexcept         { return pasteButton; }
    juce::ImageButton& getUpButton() noexcept            { return upButton; }
    juce::ImageButton& getDownButton() noexcept          { return downButton; }
    TextButtonEx& getLoadPresetButton() noexcept         { return loadPresetButton; }
    TextButtonEx& getSavePresetButton() noexcept         { return savePresetButton; }
    TextButtonEx& getLoadBankButton() noexcept           { return loadBankButton; }
    TextButtonEx& getSaveBankButton() noexcept           { return saveBankButton; }

    /** "Add Group" with exactly one group selected, "Rem Group" when that
        group is also empty. */
    void updateButtons();

    /** The first selected row of the group column, or -1. */
    int getSelectedGroup() const;

    /** The file a name chosen for saving is written as: the extension
        replaces any other (or is appended). */
    static juce::File withExtension (const juce::File& chosen, const juce::String& extension);
    /** What the save choosers do with their answer. */
    void savePresetAs (const juce::File& chosen);
    void saveBankAs (const juce::File& chosen);

    bool dimsBackground() const override                 { return true; }
    void resized() override;
    void lookAndFeelChanged() override;
    void buttonClicked (juce::Button* button) override;

private:
    void choose (const juce::String& title, const juce::String& pattern, bool save,
                 std::function<void (const juce::File&)> action);

    BasePluginOldStyle& processor;
    OldStylePresetsBrowser browser;
    ComponentRow buttonColumn { true, ComponentRow::alignStart, 0 };
    ComponentRow bottomRow { false, ComponentRow::alignCentre, 0 };
    IconButton addGroupButton { "Add Group" }, removeGroupButton { "Rem Group" },
               copyButton { "Copy" }, pasteButton { "Paste" }, upButton { "Up" }, downButton { "Down" };
    juce::Label presetLabel { "Preset", "Preset" }, bankLabel { "Bank", "Bank" };
    TextButtonEx loadPresetButton { "Load" }, savePresetButton { "Save" }, loadBankButton { "Load" }, saveBankButton { "Save" };
    std::unique_ptr<juce::FileChooser> chooser;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OldStylePresetBrowserWindow)
};
