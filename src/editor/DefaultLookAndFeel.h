#pragma once

#include "editor/IconButton.h"
#include "skin/TextButtonEx.h"

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The framework's look-and-feel, which the editor installs for itself and
    everything inside it: the interface fonts, the colour scheme of the
    windows, browser, tabs and status bar, the icon images and the
    text-button caps.

    "Tahoma", the interface font, is rarely installed on Linux; the library
    carries DejaVu Sans Condensed, of similar width, and every font asking
    for "Tahoma" or the default sans-serif face gets it, so the windows look
    the same on every machine.
*/
class DefaultLookAndFeel : public juce::LookAndFeel_V4,
                           public TextButtonEx::LookAndFeelMethods
{
public:
    /** The framework's colour identifiers. */
    enum ColourIds
    {
        generalBackgroundColourId          = 0x0F000000,

        windowBackgroundColourId           = 0x0F001000,
        windowBorderColourId               = 0x0F001001,
        windowTitleBarColourId             = 0x0F001002,
        windowTitleColourId                = 0x0F001003,
        windowAccentColourId               = 0x0F001004,

        widgetBackgroundColourId           = 0x0F001100,   // 0x0F001100 … 0x0F001108

        familyControlColourId              = 0x0F002100,   // 0x0F002100 … 0x0F002104

        pathBoxBackgroundColourId          = 0x0F002200,
        pathBoxTextColourId                = 0x0F002201,
        pathBoxOutlineColourId             = 0x0F002202,

        tabBackgroundColourId              = 0x0F003000,
        tabTextColourId                    = 0x0F003001,
        tabOutlineColourId                 = 0x0F003002,

        columnBrowserBackgroundColourId    = 0x0F003100,
        columnBackgroundColourId           = 0x0F003101,
        columnOutlineColourId              = 0x0F003102,
        columnItemBackgroundColourId       = 0x0F003103,
        columnItemTextColourId             = 0x0F003104,
        columnSelectedRowColourId          = 0x0F003105,
        columnSelectedTextColourId         = 0x0F003106,
        columnDarkColourId                 = 0x0F003107,
        columnHighlightTextColourId        = 0x0F003108,

        statusBarBackgroundColourId        = 0x0F004001,
        statusBarTextColourId              = 0x0F004002
    };

    static constexpr int statusBarHeight = 16;

    /** The measures of a radio-button group. */
    struct RadioButtonsLook
    {
        juce::Font titleFont, optionFont;
        int titleIndent = 13;
        int titleTextSpace = 4;
        int buttonMargin = 6;
        int topMargin = 2;
        int rowHeight = 20;
        float frameCornerRadius = 4.0f;
        int gapAfterButtons = 6;
        SkinImage off, on;
    };

    /** The measures of a check box. */
    struct CheckBoxLook
    {
        juce::Font font;
        int gap = 5;
        SkinImage off, on;
    };

    static constexpr int tabBarDepth = 23;
    static constexpr int tabEdgeIndent = 8;
    static constexpr float standardFontHeight = 13.0f;

    DefaultLookAndFeel();
    ~DefaultLookAndFeel() override;

    /** "Tahoma" 13, plain and bold. */
    juce::Font getStandardFont() const;
    juce::Font getBoldFont() const;
    int getStatusBarHeight() const noexcept         { return statusBarHeight; }

    /** The standard font of a look-and-feel that is a DefaultLookAndFeel,
        else a plain 13-pixel font. */
    static juce::Font getStandardFontOf (juce::LookAndFeel& lookAndFeel);
    static juce::Font getBoldFontOf (juce::LookAndFeel& lookAndFeel);

    /** The looks of the settings widgets: from a DefaultLookAndFeel, or the
        same values with plain fonts from any other. */
    static RadioButtonsLook getRadioButtonsLookOf (juce::LookAndFeel& lookAndFeel);
    static CheckBoxLook getCheckBoxLookOf (juce::LookAndFeel& lookAndFeel);

    /** A font of the interface face (the stand-in for "Tahoma") at a height
        and style. */
    static juce::Font interfaceFont (float height, int styleFlags = juce::Font::plain);

    /** Gives the button the normal and pressed images of an icon (0 … 16),
        43 or, when small, 27 pixels square. */
    void setIconImages (IconButton& button, int iconIndex, bool small) const;

    //==============================================================================
    juce::Typeface::Ptr getTypefaceForFont (const juce::Font& font) override;

    juce::Font getTextButtonExFont (TextButtonEx& button) override;
    TextButtonEx::Images getTextButtonExImages (TextButtonEx& button, int lookIndex) override;

    juce::Font getPopupMenuFont() override                   { return getStandardFont(); }
    juce::Font getTabButtonFont (juce::TabBarButton& button, float height) override;
    juce::Font getAlertWindowMessageFont() override          { return getStandardFont(); }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultLookAndFeel)
};
