#include "editor/StatusBar.h"

#include "editor/DefaultLookAndFeel.h"

StatusBar::StatusBar()
    : juce::Component ("StatusBar")
{
    setInterceptsMouseClicks (false, false);
    lookAndFeelChanged();
}

StatusBar::~StatusBar()
{
    stopTimer();
}

void StatusBar::setMessage (const juce::String& newText, int newPriority, int timeoutMs)
{
    if (newText == text || priority > newPriority)
        return;

    text = newText;
    priority = newPriority;

    if (timeoutMs > 0)
        startTimer (timeoutMs);
    else
        stopTimer();

    repaint();
}

void StatusBar::clear()
{
    priority = 0;
    text.clear();
    stopTimer();
    repaint();
}

void StatusBar::lookAndFeelChanged()
{
    font = DefaultLookAndFeel::getStandardFontOf (getLookAndFeel());
}

void StatusBar::paint (juce::Graphics& g)
{
    g.fillAll (findColour (DefaultLookAndFeel::statusBarBackgroundColourId));
    g.setColour (findColour (DefaultLookAndFeel::statusBarTextColourId));
    g.setFont (font);
    g.drawText (text, juce::Rectangle<int> (5, 0, juce::jmax (0, getWidth() - 5), getHeight()),
                juce::Justification::centredLeft, false);
}
