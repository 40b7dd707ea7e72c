#pragma once

#include "editor/ImageToggleButton.h"
#include "editor/ListenerSet.h"

/**
    A check mark with its text. The box is as wide as the mark, the gap and
    the text, and as high as the taller of mark and font. A click on the mark
    or the text toggles it and tells the listeners.
*/
class CheckBox : public juce::Component,
                 private juce::Button::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void checkBoxChanged (CheckBox* checkBox) = 0;
    };

    explicit CheckBox (const juce::String& text = {});
    ~CheckBox() override;

    void setText (const juce::String& newText);
    const juce::String& getText() const noexcept          { return text; }

    bool getToggleState() const                           { return button.getToggleState(); }
    /** Sets the mark without telling anybody. */
    void setToggleState (bool shouldBeOn);

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    ImageToggleButton& getButton() noexcept               { return button; }

    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseUp (const juce::MouseEvent& e) override;
    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override                { lookAndFeelChanged(); }
    void enablementChanged() override                     { repaint(); }

private:
    void buttonClicked (juce::Button*) override;
    void toggleByUser();
    void updateSize();

    ImageToggleButton button { "CheckBoxButton" };
    juce::String text;
    juce::Font font { 13.0f };
    int gap = 5;
    ListenerSet<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CheckBox)
};
