#include "editor/DefaultResourceCheckBox.h"

namespace
{
    constexpr int fieldGap = 5;
    constexpr int fieldHeight = 22;
}

DefaultResourceCheckBox::DefaultResourceCheckBox (const juce::String& text)
    : juce::Component ("DefaultResourceCheckBox"), checkBox (text)
{
    checkBox.addListener (this);
    pathField.addListener (this);
    pathField.setEnabled (false);
    addAndMakeVisible (checkBox);
    addAndMakeVisible (pathField);
    setSize (300, fieldHeight);
}

DefaultResourceCheckBox::~DefaultResourceCheckBox()
{
    checkBox.removeListener (this);
    pathField.removeListener (this);
}

void DefaultResourceCheckBox::setPath (const juce::String& path)
{
    checkBox.setToggleState (path.isNotEmpty());
    pathField.setPath (path, false);
    pathField.setEnabled (checkBox.getToggleState());
}

void DefaultResourceCheckBox::addListener (Listener* listener)     { listeners.add (listener); }
void DefaultResourceCheckBox::removeListener (Listener* listener)  { listeners.remove (listener); }

void DefaultResourceCheckBox::resized()
{
    checkBox.setTopLeftPosition (0, (getHeight() - checkBox.getHeight()) / 2);
    const auto fieldX = checkBox.getRight() + fieldGap;
    pathField.setBounds (fieldX, 0, juce::jmax (0, getWidth() - fieldX), getHeight());
}

void DefaultResourceCheckBox::checkBoxChanged (CheckBox*)
{
    pathField.setEnabled (checkBox.getToggleState());
    sendChange();
}

void DefaultResourceCheckBox::pathChanged (PathComponent*)
{
    sendChange();
}

void DefaultResourceCheckBox::sendChange()
{
    listeners.call ([this] (Listener& l) { l.defaultResourceChanged (this); });
}
