#pragma once

#include "editor/ListenerSet.h"

#include <juce_gui_basics/juce_gui_basics.h>

/**
    A text field that floats above everything while the user types.

    Hosts route keystrokes to their own windows in many ways; a field that
    becomes a temporary desktop window of its own while it has the keyboard
    focus gets them reliably. When it loses the focus (or Return is pressed)
    it goes back to its place in its parent; Escape first restores the text
    it had when editing began.
*/
class ModalTextEditor : public juce::TextEditor,
                        private juce::TextEditor::Listener
{
public:
    class ModalListener
    {
    public:
        virtual ~ModalListener() = default;
        /** Every change of the text while editing. */
        virtual void textChanged (ModalTextEditor* editor)       { juce::ignoreUnused (editor); }
        /** Editing ended with a text other than the one it began with. */
        virtual void textCommitted (ModalTextEditor* editor)     { juce::ignoreUnused (editor); }
        /** Escape was pressed; the old text is back. */
        virtual void editingCancelled (ModalTextEditor* editor)  { juce::ignoreUnused (editor); }
        /** The field is back in its parent. */
        virtual void editingFinished (ModalTextEditor* editor)   { juce::ignoreUnused (editor); }
    };

    explicit ModalTextEditor (const juce::String& name = {});
    ~ModalTextEditor() override;

    void addModalListener (ModalListener* listener);
    void removeModalListener (ModalListener* listener);

    bool isFloating() const noexcept                 { return floating; }
    const juce::String& getTextAtStart() const noexcept { return textAtStart; }

    /** Ends the edit as a loss of focus would. */
    void finishEditing();
    /** Restores the text of the edit's start and ends the edit. */
    void cancelEditing();

    void focusGained (FocusChangeType cause) override;
    void focusLost (FocusChangeType cause) override;
    bool keyPressed (const juce::KeyPress& key) override;

private:
    void textEditorTextChanged (juce::TextEditor&) override;
    void startFloating();
    void stopFloating();

    juce::String textAtStart;
    juce::Rectangle<int> boundsInParent;
    juce::Component::SafePointer<juce::Component> homeParent;
    bool floating = false;
    bool moving = false;
    ListenerSet<ModalListener> modalListeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModalTextEditor)
};
