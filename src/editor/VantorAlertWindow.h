#pragma once

#include "editor/WindowComponent.h"
#include "skin/ComponentRow.h"
#include "skin/TextButtonEx.h"

#include <memory>

namespace Vantor
{
/**
    A question in a framed window above the editor, answered with one of
    its buttons. Answering hides the window and tells the caller the result
    of the button; closing it with the cross only hides it, and the caller
    hears nothing (nothing was answered).
*/
class AlertWindow : public WindowComponent
{
public:
    class Caller
    {
    public:
        virtual ~Caller() = default;
        virtual void alertWindowClosed (AlertWindow* window, int result) = 0;
    };

    AlertWindow (const juce::String& title, const juce::String& message, Caller* caller);
    ~AlertWindow() override;

    /** A new alert with "Yes" (result 1) and "No" (result 0). The owner adds
        it below the editor and calls show(). */
    static std::unique_ptr<AlertWindow> showYesNo (const juce::String& title,
                                                   const juce::String& message,
                                                   Caller* caller);

    /** Appends a button to the row; a click answers with result. */
    TextButtonEx& addButton (const juce::String& text, int result);

    int getNumButtons() const                      { return buttons.size(); }
    TextButtonEx* getButton (int index) const      { return buttons[index]; }
    const juce::String& getMessage() const noexcept { return message; }

    bool dimsBackground() const override           { return true; }

    void resized() override;
    void lookAndFeelChanged() override;
    void buttonClicked (juce::Button* button) override;

private:
    void updateSize();

    juce::String message;
    juce::Label messageLabel;
    ComponentRow buttonRow { false, ComponentRow::alignEnd, 6 };
    juce::OwnedArray<TextButtonEx> buttons;
    juce::Array<int> results;
    Caller* caller = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AlertWindow)
};
}
