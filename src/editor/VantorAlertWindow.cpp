#include "editor/VantorAlertWindow.h"

#include "editor/DefaultLookAndFeel.h"

namespace Vantor
{
AlertWindow::AlertWindow (const juce::String& titleText, const juce::String& messageText, Caller* callerToTell)
    : WindowComponent ("AlertWindow"), message (messageText), caller (callerToTell)
{
    setTitle (titleText);
    messageLabel.setText (message, juce::dontSendNotification);
    messageLabel.setJustificationType (juce::Justification::centredLeft);
    messageLabel.setBorderSize ({});
    messageLabel.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (messageLabel);
    addAndMakeVisible (buttonRow);
    lookAndFeelChanged();
}

AlertWindow::~AlertWindow()
{
    for (auto* button : buttons)
        button->removeListener (this);
}

std::unique_ptr<AlertWindow> AlertWindow::showYesNo (const juce::String& title,
                                                     const juce::String& message,
                                                     Caller* caller)
{
    auto alert = std::make_unique<AlertWindow> (title, message, caller);
    alert->addButton ("Yes", 1);
    alert->addButton ("No", 0);
    return alert;
}

TextButtonEx& AlertWindow::addButton (const juce::String& text, int result)
{
    auto* button = buttons.add (new TextButtonEx (text));
    results.add (result);
    button->addListener (this);
    buttonRow.addAndMakeVisible (button);
    updateSize();
    return *button;
}

void AlertWindow::lookAndFeelChanged()
{
    WindowComponent::lookAndFeelChanged();
    messageLabel.setFont (DefaultLookAndFeel::getStandardFontOf (getLookAndFeel()));
    updateSize();
}

void AlertWindow::updateSize()
{
    const auto font = messageLabel.getFont();
    const auto messageWidth = (int) std::ceil (font.getStringWidthFloat (message));
    const auto contentWidth = juce::jmax (messageWidth, buttonRow.getWidth());
    const auto contentHeight = buttonRow.getHeight() + (int) std::ceil (font.getHeight()) + 10;
    setContentSize (contentWidth, contentHeight);
    resized();
}

void AlertWindow::resized()
{
    WindowComponent::resized();

    const auto area = contentArea();
    buttonRow.setTopLeftPosition (area.getRight() - buttonRow.getWidth(), area.getBottom() - buttonRow.getHeight());
    messageLabel.setBounds (area.withBottom (buttonRow.getY() - 10));
}

void AlertWindow::buttonClicked (juce::Button* button)
{
    int index = -1;

    for (int i = 0; i < buttons.size(); ++i)
        if (static_cast<juce::Button*> (buttons[i]) == button)
            index = i;

    if (index < 0)
    {
        WindowComponent::buttonClicked (button);
        return;
    }

    hide();

    if (caller != nullptr)
        caller->alertWindowClosed (this, results[index]);
}
}
