#include "editor/CheckBox.h"

#include "editor/DefaultLookAndFeel.h"

CheckBox::CheckBox (const juce::String& textToShow)
    : juce::Component ("CheckBox"), text (textToShow)
{
    button.addListener (this);
    addAndMakeVisible (button);
    lookAndFeelChanged();
}

CheckBox::~CheckBox()
{
    button.removeListener (this);
}

void CheckBox::setText (const juce::String& newText)
{
    text = newText;
    updateSize();
    repaint();
}

void CheckBox::setToggleState (bool shouldBeOn)
{
    button.setToggleState (shouldBeOn, juce::dontSendNotification);
}

void CheckBox::addListener (Listener* listener)     { listeners.add (listener); }
void CheckBox::removeListener (Listener* listener)  { listeners.remove (listener); }

void CheckBox::lookAndFeelChanged()
{
    const auto look = DefaultLookAndFeel::getCheckBoxLookOf (getLookAndFeel());
    font = look.font;
    gap = look.gap;
    button.setImages (look.off, look.on);
    updateSize();
}

void CheckBox::updateSize()
{
    setSize (button.getWidth() + gap + font.getStringWidth (text),
             juce::jmax (button.getHeight(), (int) std::ceil (font.getHeight())));
}

void CheckBox::resized()
{
    button.setTopLeftPosition (0, (getHeight() - button.getHeight()) / 2);
}

void CheckBox::paint (juce::Graphics& g)
{
    g.setColour (juce::Colours::black.withAlpha (isEnabled() ? 1.0f : 0.5f));
    g.setFont (font);
    g.drawText (text, juce::Rectangle<int> (button.getWidth() + gap, 0, getWidth() - button.getWidth() - gap, getHeight()),
                juce::Justification::centredLeft, false);
}

void CheckBox::buttonClicked (juce::Button*)
{
    toggleByUser();
}

void CheckBox::mouseUp (const juce::MouseEvent& e)
{
    // The text toggles like the mark.
    if (isEnabled() && e.mouseWasClicked() && getLocalBounds().contains (e.getPosition()))
        toggleByUser();
}

void CheckBox::toggleByUser()
{
    button.setToggleState (! button.getToggleState(), juce::dontSendNotification);

    listeners.call ([this] (Listener& l) { l.checkBoxChanged (this); });
}
