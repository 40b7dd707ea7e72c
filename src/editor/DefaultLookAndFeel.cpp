#include "editor/DefaultLookAndFeel.h"

#include "editor/FrameworkArtwork.h"

namespace
{
    const char* const interfaceFontName = "Tahoma";

    void setColours (juce::LookAndFeel& lf, int firstId, std::initializer_list<juce::uint32> colours)
    {
        auto id = firstId;

        for (auto argb : colours)
            lf.setColour (id++, juce::Colour (argb));
    }
}

DefaultLookAndFeel::DefaultLookAndFeel()
    : juce::LookAndFeel_V4 (juce::LookAndFeel_V4::getLightColourScheme())
{
    constexpr juce::uint32 white = 0xFFFFFFFF, black = 0xFF000000;

    setColours (*this, windowBackgroundColourId, { 0xFFC5C5C5, 0xFF444444, 0xFF444444, white, white });
    setColours (*this, columnBrowserBackgroundColourId,
                { 0xFFC5C5C5, 0xFFE3E3E3, white, 0xFFE3E3E3, black, 0xFFADADAD, white, 0xFF5B5B5B, white });
    setColours (*this, widgetBackgroundColourId,
                { 0xFFC5C5C5, 0xFFE3E3E3, white, 0xFFE3E3E3, black, 0xFFADADAD, white, 0xFF5B5B5B, white });
    setColours (*this, familyControlColourId, { black, white, black, 0xFFB2B2B2, 0xFF7F7F7F });
    setColours (*this, pathBoxBackgroundColourId, { 0xFFE3E3E3, black, white });
    setColours (*this, tabBackgroundColourId, { 0xFFC5C5C5, black, 0xFF5B5B5B });
    setColours (*this, statusBarBackgroundColourId, { 0xFF444444, white });
    setColour (generalBackgroundColourId, juce::Colour (0xFFE3E3E3));
    setColours (*this, 0, { black, white, white, 0xFFFFFF00 });

    setColour (juce::ScrollBar::thumbColourId, juce::Colour (0xFF6E6E6E));
    setColour (juce::ScrollBar::trackColourId, juce::Colour (0xFFCCCCCC));
    setColour (juce::TooltipWindow::textColourId, juce::Colours::black);
    setColour (juce::TooltipWindow::outlineColourId, juce::Colour (0xFF444444));
    setColour (juce::Slider::rotarySliderFillColourId, juce::Colour (0xFF808080));
    setColour (juce::Slider::rotarySliderOutlineColourId, juce::Colours::black);
}

DefaultLookAndFeel::~DefaultLookAndFeel() = default;

juce::Font DefaultLookAndFeel::interfaceFont (float height, int styleFlags)
{
    // Built from the embedded face itself: JUCE resolves fonts by name only
    // through the process's default look-and-feel, which a plug-in's editor
    // must not take over.
    const bool bold = (styleFlags & juce::Font::bold) != 0;

    if (auto typeface = FrameworkArtwork::getInterfaceTypeface (bold))
    {
        auto font = juce::Font (typeface).withHeight (height);

        if ((styleFlags & juce::Font::underlined) != 0)
            font.setUnderline (true);

        return font;
    }

    return juce::Font (interfaceFontName, height, styleFlags);
}

juce::Font DefaultLookAndFeel::getTabButtonFont (juce::TabBarButton&, float height)
{
    return interfaceFont (juce::jmin (standardFontHeight, height * 0.6f));
}

juce::Font DefaultLookAndFeel::getStandardFont() const  { return interfaceFont (standardFontHeight); }
juce::Font DefaultLookAndFeel::getBoldFont() const      { return interfaceFont (standardFontHeight, juce::Font::bold); }

juce::Font DefaultLookAndFeel::getStandardFontOf (juce::LookAndFeel& lookAndFeel)
{
    if (auto* lf = dynamic_cast<DefaultLookAndFeel*> (&lookAndFeel))
        return lf->getStandardFont();

    return juce::Font (standardFontHeight);
}

juce::Font DefaultLookAndFeel::getBoldFontOf (juce::LookAndFeel& lookAndFeel)
{
    if (auto* lf = dynamic_cast<DefaultLookAndFeel*> (&lookAndFeel))
        return lf->getBoldFont();

    return juce::Font (standardFontHeight, juce::Font::bold);
}

juce::Typeface::Ptr DefaultLookAndFeel::getTypefaceForFont (const juce::Font& font)
{
    const auto& name = font.getTypefaceName();

    if (name == interfaceFontName || name == juce::Font::getDefaultSansSerifFontName())
        if (auto typeface = FrameworkArtwork::getInterfaceTypeface (font.isBold()))
            return typeface;

    return juce::LookAndFeel_V4::getTypefaceForFont (font);
}

void DefaultLookAndFeel::setIconImages (IconButton& button, int iconIndex, bool small) const
{
    button.setIcons (FrameworkArtwork::getIcon (iconIndex, small, false), FrameworkArtwork::getIcon (iconIndex, small, true));
}

juce::Font DefaultLookAndFeel::getTextButtonExFont (TextButtonEx&)
{
    return getStandardFont();
}

TextButtonEx::Images DefaultLookAndFeel::getTextButtonExImages (TextButtonEx&, int lookIndex)
{
    using namespace FrameworkArtwork;

    TextButtonEx::Images images;
    images.upLeft = getTextButtonPart (lookIndex, 0, false);
    images.upMiddle = getTextButtonPart (lookIndex, 1, false);
    images.upRight = getTextButtonPart (lookIndex, 2, false);
    images.downLeft = getTextButtonPart (lookIndex, 0, true);
    images.downMiddle = getTextButtonPart (lookIndex, 1, true);
    images.downRight = getTextButtonPart (lookIndex, 2, true);
    images.overlay = getTextButtonOverlay (lookIndex);
    return images;
}

DefaultLookAndFeel::RadioButtonsLook DefaultLookAndFeel::getRadioButtonsLookOf (juce::LookAndFeel& lookAndFeel)
{
    RadioButtonsLook look;
    look.titleFont = getBoldFontOf (lookAndFeel);
    look.optionFont = getStandardFontOf (lookAndFeel);
    look.off = FrameworkArtwork::getRadioButton (false);
    look.on = FrameworkArtwork::getRadioButton (true);
    return look;
}

DefaultLookAndFeel::CheckBoxLook DefaultLookAndFeel::getCheckBoxLookOf (juce::LookAndFeel& lookAndFeel)
{
    CheckBoxLook look;
    look.font = getStandardFontOf (lookAndFeel);
    look.off = FrameworkArtwork::getCheckBox (false);
    look.on = FrameworkArtwork::getCheckBox (true);
    return look;
}
