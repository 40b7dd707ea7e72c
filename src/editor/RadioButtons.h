#pragma once

#include "editor/DefaultLookAndFeel.h"
#include "editor/ImageToggleButton.h"
#include "editor/ListenerSet.h"

/**
    A titled frame of options of which one is chosen. The title interrupts
    the frame's top edge; each option is a row with its mark and text. The
    group sizes its height to its rows and its width to its texts (or keeps
    a larger width it was given).
*/
class RadioButtons : public juce::Component,
                     public juce::Button::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void radioButtonsChanged (RadioButtons* group) = 0;
    };

    RadioButtons (const juce::String& title, const juce::StringArray& options);
    ~RadioButtons() override;

    /** Stores the index when it names an option (else -1), shows it, tells the
        listeners when asked to, then runs selectionChanged(). */
    void setSelectedIndex (int index, bool notify);
    int getSelectedIndex() const noexcept             { return selectedIndex; }

    const juce::String& getTitle() const noexcept     { return title; }
    const juce::StringArray& getOptions() const noexcept { return options; }
    ImageToggleButton* getButton (int index) const    { return buttons[index]; }

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    /** The measures the layout uses. */
    const DefaultLookAndFeel::RadioButtonsLook& getLook() const noexcept { return look; }
    /** Where the option texts start, and the widest of them. */
    int getTextX() const;
    int getWidestOptionWidth() const;
    /** The top of option row j. */
    int getRowY (int row) const;

    /** Height and minimum width from the options and the look. */
    void updateSize();

    void paint (juce::Graphics& g) override;
    void resized() override;
    void lookAndFeelChanged() override;
    /** A new parent may bring another look. */
    void parentHierarchyChanged() override            { lookAndFeelChanged(); }
    void buttonClicked (juce::Button* button) override;

protected:
    /** Runs after every setSelectedIndex(). */
    virtual void selectionChanged() {}

    void sendChange();

private:
    int widestButtonWidth() const;
    int tallestButtonHeight() const;
    int titleFontHeight() const;

    juce::String title;
    juce::StringArray options;
    juce::OwnedArray<ImageToggleButton> buttons;
    int selectedIndex = -1;
    int automaticWidth = 0;
    DefaultLookAndFeel::RadioButtonsLook look;
    ListenerSet<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RadioButtons)
};
