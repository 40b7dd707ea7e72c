#pragma once

#include "editor/ModalTextEditor.h"

#include <memory>

/**
    A text that turns into a floating text field on double-click: the
    preset browser's renaming. The label follows the field's text while the
    user types and takes back the old text on Escape; the field's listeners
    hear the commit.
*/
class LabelWithModalTextEditor : public juce::Component,
                                 public ModalTextEditor::ModalListener
{
public:
    explicit LabelWithModalTextEditor (const juce::String& name = {});
    ~LabelWithModalTextEditor() override;

    void setText (const juce::String& newText);
    const juce::String& getText() const noexcept     { return text; }
    void setFont (const juce::Font& newFont);
    const juce::Font& getFont() const noexcept       { return font; }

    /** Passed on to the field (now, or when it is created). */
    void addModalListener (ModalTextEditor::ModalListener* listener);
    void removeModalListener (ModalTextEditor::ModalListener* listener);

    /** Opens the field over the label with the whole text selected. */
    void showEditor();
    ModalTextEditor* getEditor() const noexcept      { return editor.get(); }

    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseDoubleClick (const juce::MouseEvent&) override    { showEditor(); }

    void textChanged (ModalTextEditor* source) override;
    void editingCancelled (ModalTextEditor* source) override;
    void editingFinished (ModalTextEditor* source) override;

private:
    void takeTextFrom (ModalTextEditor& source);

    juce::String text;
    juce::Font font { 13.0f };
    std::unique_ptr<ModalTextEditor> editor;
    juce::Array<ModalTextEditor::ModalListener*> pendingListeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LabelWithModalTextEditor)
};
