#pragma once

#include "editor/IconButton.h"
#include "editor/PseudoModalComponent.h"

/**
    A framed window of the framework: rounded light-grey body with a dark
    border, a dark title bar with the window icon, the title and a close
    button, and optionally an edge decoration along one side. Every part of
    the frame can be switched off, which is how the editor turns a window
    into a flat panel docked under the skin.
*/
class WindowComponent : public PseudoModalComponent,
                        public juce::Button::Listener
{
public:
    enum DecorationSide { noDecoration = 0, decorationTop, decorationBottom, decorationLeft, decorationRight };

    static constexpr int minimumWidth = 250;
    static constexpr int minimumHeight = 120;
    static constexpr int borderThickness = 3;
    static constexpr int contentMargin = 5;
    static constexpr int titleBarSpace = 33;

    explicit WindowComponent (const juce::String& name = {});
    ~WindowComponent() override;

    void setTitle (const juce::String& newTitle);
    const juce::String& getTitle() const noexcept      { return title; }

    /** Sizes the window so that its content area is width x height (never
        below 250 x 120 outside). */
    void setContentSize (int width, int height);
    /** The outer size a content size needs with the present frame. */
    juce::Rectangle<int> getOuterBoundsForContent (int width, int height) const;
    /** The area inside the frame, for the window's own children. */
    juce::Rectangle<int> contentArea() const;

    void setRounded (bool shouldBeRounded);
    void setHasBorder (bool shouldHaveBorder);
    void setTitleBarShown (bool shouldShowTitleBar);
    void setDecorationSide (int side);
    bool isRounded() const noexcept                    { return rounded; }
    bool hasBorder() const noexcept                    { return border; }
    bool isTitleBarShown() const noexcept              { return titleBarShown; }
    int getDecorationSide() const noexcept             { return decorationSide; }

    /** Removes title bar, close button, border and rounding and puts the
        decoration along the top: the look of a panel docked in the editor. */
    void makeDockedPanel();

    juce::ImageButton& getCloseButton() noexcept       { return closeButton; }
    const juce::Font& getTitleFont() const noexcept    { return titleFont; }

    void paint (juce::Graphics& g) override;
    void resized() override;
    void lookAndFeelChanged() override;
    /** Windows are built before they join the editor, whose look they take then. */
    void parentHierarchyChanged() override;
    /** The close button hides the window; subclasses add their own buttons. */
    void buttonClicked (juce::Button* button) override;

private:
    int decorationThickness() const;

    juce::String title;
    juce::Font titleFont;
    SkinImage icon;
    IconButton closeButton { "CloseButton" };
    bool rounded = true;
    bool border = true;
    bool titleBarShown = true;
    int decorationSide = noDecoration;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WindowComponent)
};
