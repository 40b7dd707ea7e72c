#pragma once

#include "editor/IconButton.h"
#include "editor/CheckBox.h"
#include "editor/DefaultResourceCheckBox.h"
#include "editor/VantorAlertWindow.h"
#include "midi/MidiControl.h"
#include "skin/ComponentRow.h"

#include <memory>
#include <vector>

/**
    The "Midi Control" page of the options: every controller assignment in
    a list, buttons to delete one, clear all, load and save map files, the
    MIDI-learn switch and the map file new instances start with.
*/
class MidiControlComponent : public juce::Component,
                             public juce::Button::Listener,
                             public CheckBox::Listener,
                             public DefaultResourceCheckBox::Listener,
                             public MidiControl::Listener,
                             public Vantor::AlertWindow::Caller
{
public:
    /** The assignments, in columns of as many rows as fit, scrolled sideways
        when there are more than three columns. */
    class ListComponent : public juce::Component,
                          private juce::ScrollBar::Listener
    {
    public:
        struct Entry
        {
            int controller = -1;
            juce::String parameterName;
        };

        static constexpr int headerHeight = 19;
        static constexpr int rowHeight = 20;
        static constexpr int visibleColumns = 3;

        explicit ListComponent (MidiControlComponent& owner);
        ~ListComponent() override;

        /** Reads the assignments from the map again; the selection goes. */
        void rebuild (const MidiControl& map);

        int getNumEntries() const noexcept                     { return (int) entries.size(); }
        const Entry& getEntry (int index) const                { return entries[(size_t) index]; }
        int findEntryForController (int controller) const;

        int getSelectedIndex() const noexcept                  { return selectedIndex; }
        /** Selects (or, for -1 or an empty cell, clears), scrolls the entry's
            column into view and tells the panel. */
        void select (int index);

        int getRowsPerColumn() const;
        int getNumColumns() const;
        float getColumnWidth() const;
        int getControllerPartWidth() const;
        /** Index of the cell at a point below the header, or -1 on the header. */
        int indexAt (juce::Point<int> position) const;
        juce::ScrollBar& getScrollBar() noexcept               { return scrollBar; }

        void paint (juce::Graphics& g) override;
        void resized() override;
        void mouseDown (const juce::MouseEvent& e) override;
        void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;

    private:
        void scrollBarMoved (juce::ScrollBar*, double) override   { repaint(); }
        void updateScrollBar();

        MidiControlComponent& owner;
        std::vector<Entry> entries;
        int selectedIndex = -1;
        juce::ScrollBar scrollBar { false };
        juce::Font font { 13.0f };
    };

    MidiControlComponent (MidiControl& map, const juce::String& mapFileWildcard,
                          const juce::String& mapFileExtension);
    ~MidiControlComponent() override;

    /** The pattern and extension the map file choosers use. */
    void setMapFileType (const juce::String& extension, const juce::String& wildcard);
    const juce::String& getMapFileExtension() const noexcept   { return mapFileExtension; }
    const juce::String& getMapFileWildcard() const noexcept    { return mapFileWildcard; }

    /** The file a chosen save name is written as: the map extension replaces
        any other. */
    juce::File fileToSave (const juce::File& chosen) const;
    /** Writes the map to a file chosen for saving (the chooser's answer). */
    void saveMapAs (const juce::File& chosen);

    CheckBox& getLearnCheckBox() noexcept                       { return learnCheckBox; }
    DefaultResourceCheckBox& getDefaultMapBox() noexcept        { return defaultMapBox; }
    ListComponent& getList() noexcept                           { return list; }
    juce::ImageButton& getDeleteButton() noexcept               { return deleteButton; }
    juce::ImageButton& getClearAllButton() noexcept             { return clearAllButton; }
    juce::ImageButton& getLoadButton() noexcept                 { return loadButton; }
    juce::ImageButton& getSaveButton() noexcept                 { return saveButton; }
    Vantor::AlertWindow* getQuestion() const noexcept           { return question.get(); }

    void resized() override;
    void lookAndFeelChanged() override;
    void buttonClicked (juce::Button* button) override;
    void checkBoxChanged (CheckBox* box) override;
    void defaultResourceChanged (DefaultResourceCheckBox* box) override;
    void midiMapChanged (MidiControl&) override;
    void midiLearnChanged (MidiControl&) override;
    void alertWindowClosed (Vantor::AlertWindow* window, int result) override;

private:
    friend class ListComponent;
    void listSelectionChanged();
    void updateButtons();
    void askToClearAll();
    void chooseMapToLoad();
    void chooseMapToSave();

    MidiControl& map;
    juce::String mapFileWildcard, mapFileExtension;

    CheckBox learnCheckBox { "Midi Learn mode" };
    DefaultResourceCheckBox defaultMapBox { "Default map" };
    ListComponent list { *this };
    ComponentRow buttonColumn { true, ComponentRow::alignEnd, 0 };
    IconButton deleteButton { "Delete Assign" };
    IconButton clearAllButton { "Clear All" };
    IconButton loadButton { "Load Map" };
    IconButton saveButton { "Save Map" };

    std::unique_ptr<Vantor::AlertWindow> question;
    std::unique_ptr<juce::FileChooser> chooser;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiControlComponent)
};
