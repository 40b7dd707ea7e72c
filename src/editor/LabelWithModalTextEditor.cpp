#include "editor/LabelWithModalTextEditor.h"

LabelWithModalTextEditor::LabelWithModalTextEditor (const juce::String& name)
    : juce::Component (name)
{
}

LabelWithModalTextEditor::~LabelWithModalTextEditor()
{
    if (editor != nullptr)
        editor->removeModalListener (this);
}

void LabelWithModalTextEditor::setText (const juce::String& newText)
{
    if (newText != text)
    {
        text = newText;
        repaint();
    }
}

void LabelWithModalTextEditor::setFont (const juce::Font& newFont)
{
    font = newFont;
    repaint();
}

void LabelWithModalTextEditor::addModalListener (ModalTextEditor::ModalListener* listener)
{
    pendingListeners.addIfNotAlreadyThere (listener);

    if (editor != nullptr)
        editor->addModalListener (listener);
}

void LabelWithModalTextEditor::removeModalListener (ModalTextEditor::ModalListener* listener)
{
    pendingListeners.removeFirstMatchingValue (listener);

    if (editor != nullptr)
        editor->removeModalListener (listener);
}

void LabelWithModalTextEditor::showEditor()
{
    if (editor == nullptr)
    {
        editor = std::make_unique<ModalTextEditor> ("LabelEditor");

        // The label hears first of the edit (it registers last), so the
        // others see its text already updated.
        for (auto* listener : pendingListeners)
            editor->addModalListener (listener);

        editor->addModalListener (this);
        addChildComponent (*editor);
    }

    editor->setBounds (getLocalBounds());
    // Dark text on the light selection, whatever the label's own colours
    // (white on a selected browser row) would give.
    editor->setColour (juce::TextEditor::highlightColourId, juce::Colour (0xFFD3D3D3));
    editor->setColour (juce::TextEditor::highlightedTextColourId, juce::Colours::black);
    editor->setColour (juce::TextEditor::outlineColourId, juce::Colours::black);
    editor->setColour (juce::TextEditor::focusedOutlineColourId, juce::Colour (0xFFFF4500).withAlpha (0.75f));
    editor->setFont (font);
    editor->setText (text, false);
    editor->selectAll();
    editor->setVisible (true);
    editor->toFront (false);
    editor->grabKeyboardFocus();
}

void LabelWithModalTextEditor::resized()
{
    if (editor != nullptr && ! editor->isFloating())
        editor->setBounds (getLocalBounds());
}

void LabelWithModalTextEditor::paint (juce::Graphics& g)
{
    g.setColour (findColour (juce::Label::textColourId));
    g.setFont (font);
    g.drawText (text, getLocalBounds(), juce::Justification::centredLeft, true);
}

void LabelWithModalTextEditor::takeTextFrom (ModalTextEditor& source)
{
    setText (source.getText());
}

void LabelWithModalTextEditor::textChanged (ModalTextEditor* source)      { takeTextFrom (*source); }
void LabelWithModalTextEditor::editingCancelled (ModalTextEditor* source) { takeTextFrom (*source); }

void LabelWithModalTextEditor::editingFinished (ModalTextEditor* source)
{
    source->setVisible (false);
}
