#include "editor/ModalTextEditor.h"

ModalTextEditor::ModalTextEditor (const juce::String& name)
    : juce::TextEditor (name)
{
    juce::TextEditor::addListener (this);
    setEscapeAndReturnKeysConsumed (true);
}

ModalTextEditor::~ModalTextEditor()
{
    juce::TextEditor::removeListener (this);

    if (isOnDesktop())
        removeFromDesktop();
}

void ModalTextEditor::addModalListener (ModalListener* listener)     { modalListeners.add (listener); }
void ModalTextEditor::removeModalListener (ModalListener* listener)  { modalListeners.remove (listener); }

void ModalTextEditor::focusGained (FocusChangeType cause)
{
    juce::TextEditor::focusGained (cause);

    if (! floating && ! moving)
        startFloating();
}

void ModalTextEditor::startFloating()
{
    auto* parent = getParentComponent();

    if (parent == nullptr)
        return;

    textAtStart = getText();
    boundsInParent = getBounds();
    homeParent = parent;

    const auto screenBounds = getScreenBounds();
    const juce::ScopedValueSetter<bool> guard (moving, true);

    floating = true;
    parent->removeChildComponent (this);
    setBounds (screenBounds);
    addToDesktop (juce::ComponentPeer::windowIsTemporary);
    setVisible (true);
    toFront (true);
    grabKeyboardFocus();
}

void ModalTextEditor::stopFloating()
{
    const juce::ScopedValueSetter<bool> guard (moving, true);

    if (isOnDesktop())
        removeFromDesktop();

    if (auto* parent = homeParent.getComponent())
    {
        parent->addAndMakeVisible (this);
        setBounds (boundsInParent);
    }

    floating = false;
    setHighlightedRegion ({});
}

void ModalTextEditor::focusLost (FocusChangeType cause)
{
    juce::TextEditor::focusLost (cause);

    if (! moving)
        finishEditing();
}

void ModalTextEditor::finishEditing()
{
    const bool wasFloating = floating;

    if (wasFloating)
        stopFloating();

    if (getText() != textAtStart)
    {
        textAtStart = getText();
        modalListeners.call ([this] (ModalListener& l) { l.textCommitted (this); });
    }

    if (wasFloating)
        modalListeners.call ([this] (ModalListener& l) { l.editingFinished (this); });
}

void ModalTextEditor::cancelEditing()
{
    setText (textAtStart, true);
    finishEditing();
    modalListeners.call ([this] (ModalListener& l) { l.editingCancelled (this); });
}

bool ModalTextEditor::keyPressed (const juce::KeyPress& key)
{
    if (key == juce::KeyPress::returnKey)
    {
        finishEditing();
        return true;
    }

    if (key == juce::KeyPress::escapeKey)
    {
        cancelEditing();
        return true;
    }

    return juce::TextEditor::keyPressed (key);
}

void ModalTextEditor::textEditorTextChanged (juce::TextEditor&)
{
    modalListeners.call ([this] (ModalListener& l) { l.textChanged (this); });
}
