#pragma once

#include "editor/PopupMenuEx.h"

/**
    A drop-down selector: a field with the chosen item's text that opens
    its menu below itself. Italic while nothing (or a disabled item) is
    chosen.
*/
class ComboBoxEx : public juce::Component,
                   public PopupMenuEx::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void selectionChanged (ComboBoxEx* box) = 0;
    };

    explicit ComboBoxEx (const juce::String& name = {});
    ~ComboBoxEx() override;

    PopupMenuEx& menu() noexcept                       { return popupMenu; }
    int selectedId() const noexcept                    { return selected; }
    const juce::String& getText() const noexcept       { return text; }
    /** The text is drawn slanted while the selection is not an enabled item. */
    bool isTextItalic() const noexcept                 { return ! selectedEnabled; }

    void addListener (Listener* listener)              { listeners.add (listener); }
    void removeListener (Listener* listener)           { listeners.remove (listener); }

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent&) override;
    void itemSelected (PopupMenuEx* menu, int itemId) override;

private:
    PopupMenuEx popupMenu;
    juce::String text;
    int selected = -1;
    bool selectedEnabled = false;
    ListenerSet<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComboBoxEx)
};
