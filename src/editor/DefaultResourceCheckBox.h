#pragma once

#include "editor/CheckBox.h"
#include "editor/PathComponent.h"

/**
    "Use this file at start-up": a check box with a path field to its
    right, which is usable only while the box is checked.
*/
class DefaultResourceCheckBox : public juce::Component,
                                public CheckBox::Listener,
                                public PathComponent::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void defaultResourceChanged (DefaultResourceCheckBox* box) = 0;
    };

    explicit DefaultResourceCheckBox (const juce::String& text);
    ~DefaultResourceCheckBox() override;

    /** Shows the path; the box is checked exactly when there is one. Tells nobody. */
    void setPath (const juce::String& path);
    juce::String getPath() const                      { return pathField.getPath(); }
    bool isChecked() const                            { return checkBox.getToggleState(); }

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    CheckBox& getCheckBox() noexcept                  { return checkBox; }
    PathComponent& getPathField() noexcept            { return pathField; }

    void resized() override;
    void checkBoxChanged (CheckBox*) override;
    void pathChanged (PathComponent*) override;

private:
    void sendChange();

    CheckBox checkBox;
    PathComponent pathField;
    ListenerSet<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultResourceCheckBox)
};
