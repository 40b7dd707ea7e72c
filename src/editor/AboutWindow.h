#pragma once

#include "editor/WindowComponent.h"

class SoftwareDesignation;

/**
    Which product, version and build is loaded, and where its library lies.
    A click anywhere in it closes it.
*/
class AboutWindow : public WindowComponent
{
public:
    explicit AboutWindow (const SoftwareDesignation& identity);
    ~AboutWindow() override;

    bool dimsBackground() const override        { return true; }
    void mouseDown (const juce::MouseEvent&) override;

private:
    const SoftwareDesignation& identity;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutWindow)
};
