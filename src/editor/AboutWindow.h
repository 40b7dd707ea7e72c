#pragma once

#include "editor/WindowComponent.h"

class SoftwareDesignation;

/**
    Which product, version and build is loaded, where its library lies, and
    a link to the product's page. A click anywhere in it (but on the link)
    closes it. Black, framed in white, without a title bar.
*/
class AboutWindow : public WindowComponent
{
public:
    static constexpr const char* technologyNotice = "VST Plug-In Technology by Steinberg.";

    explicit AboutWindow (const SoftwareDesignation& identity);
    ~AboutWindow() override;

    juce::HyperlinkButton& getWebLink() noexcept          { return webLink; }
    juce::Rectangle<int> getLeftHeader() const noexcept   { return leftHeader; }
    juce::Rectangle<int> getRightHeader() const noexcept  { return rightHeader; }
    juce::Rectangle<int> getBottomLine() const noexcept   { return bottomLine; }

    bool dimsBackground() const override                  { return true; }
    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics& g) override;
    void resized() override;
    void lookAndFeelChanged() override;

private:
    const SoftwareDesignation& identity;
    juce::HyperlinkButton webLink;
    juce::Rectangle<int> leftHeader, rightHeader, bottomLine;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutWindow)
};
