#pragma once

#include "editor/PathComponent.h"
#include "editor/RadioButtons.h"

/**
    A choice of start-up resource whose last option is "a file of your
    own": that option's row carries a path field, usable only while the
    option is chosen. A new path tells the listeners as a new choice does.
*/
class DefaultResourcesRadioButtons : public RadioButtons,
                                     public PathComponent::Listener
{
public:
    DefaultResourcesRadioButtons (const juce::String& title, const juce::StringArray& options);
    ~DefaultResourcesRadioButtons() override;

    PathComponent& getPathField() noexcept         { return pathField; }

    void resized() override;
    void pathChanged (PathComponent*) override;

protected:
    void selectionChanged() override;

private:
    PathComponent pathField;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultResourcesRadioButtons)
};
