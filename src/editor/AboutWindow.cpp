#include "editor/AboutWindow.h"

#include "editor/DefaultLookAndFeel.h"
#include "plugin/SoftwareDesignation.h"

namespace
{
    constexpr int headerHeight = 54;
    constexpr int bottomLineHeight = 23;
}

AboutWindow::AboutWindow (const SoftwareDesignation& identityRecord)
    : WindowComponent ("AboutWindow"), identity (identityRecord)
{
    const auto address = identity.getSoftwareWebAddress();
    webLink.setButtonText (address);
    webLink.setURL (juce::URL (address));
    webLink.setTooltip ({});
    addAndMakeVisible (webLink);

    setTitleBarShown (false);
    lookAndFeelChanged();
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::lookAndFeelChanged()
{
    WindowComponent::lookAndFeelChanged();

    auto& lf = getLookAndFeel();
    setColour (DefaultLookAndFeel::windowBackgroundColourId, lf.findColour (0));
    setColour (DefaultLookAndFeel::windowBorderColourId, lf.findColour (1));
    webLink.setColour (juce::HyperlinkButton::textColourId, lf.findColour (3));

    // setUnderline, not withStyle: restyling a font drops its typeface, and
    // JUCE would look the face up again by name outside the editor's look.
    auto font = DefaultLookAndFeel::getStandardFontOf (lf);
    font.setUnderline (true);
    webLink.setFont (font, false, juce::Justification::centredLeft);
    webLink.setSize (font.getStringWidth (webLink.getButtonText()) + 2, (int) std::ceil (font.getHeight()));
    resized();
}

void AboutWindow::resized()
{
    WindowComponent::resized();

    const auto c = contentArea();
    const auto w = c.getWidth();
    leftHeader = { c.getX(), c.getY(), (int) std::floor (0.4 * w) - 4, headerHeight };
    rightHeader = { c.getX() + leftHeader.getWidth() + 8, c.getY(), w - leftHeader.getWidth() - 8, headerHeight };
    bottomLine = { c.getX(), c.getBottom() - bottomLineHeight, w, bottomLineHeight };
    webLink.setTopLeftPosition (leftHeader.getX(), leftHeader.getY() + 27);
}

void AboutWindow::mouseDown (const juce::MouseEvent&)
{
    hide();
}

void AboutWindow::paint (juce::Graphics& g)
{
    WindowComponent::paint (g);

    using F = DefaultLookAndFeel;
    g.setColour (findColour (2, true));

    const auto& l = leftHeader;
    g.setFont (F::interfaceFont (17.0f, juce::Font::bold));
    g.drawText (identity.getSoftwareName().toUpperCase(), l.getX(), l.getY() - 3, l.getWidth(), 17,
                juce::Justification::topLeft, false);
    g.setFont (F::interfaceFont (15.0f, juce::Font::bold));
    g.drawText (identity.getSoftwareDescription(), l.getX(), l.getY() + 12, l.getWidth(), 17,
                juce::Justification::topLeft, false);

    const auto& r = rightHeader;
    const auto formatText = identity.getPluginFormat() + " " + identity.getArchitecture();
    const auto formatFont = F::interfaceFont (14.0f);
    g.setFont (formatFont);
    g.drawText (formatText, r.getX(), r.getY() - 3, r.getWidth(), 17, juce::Justification::topRight, false);

    const auto versionWidth = r.getWidth() - formatFont.getStringWidth (formatText) - 8;
    g.setFont (F::interfaceFont (15.0f, juce::Font::bold));
    g.drawText ("Version " + identity.getSoftwareVersion(), r.getX(), r.getY() - 3, versionWidth, 17,
                juce::Justification::topRight, false);

    g.setFont (F::interfaceFont (12.0f));
    g.drawText (identity.getBuildIdentifier() + "; " + identity.getBuildDate(), r.getX(), r.getY() + 19, r.getWidth(), 12,
                juce::Justification::topRight, false);
    g.drawFittedText (identity.getPluginFileLocation(), r.getX(), r.getY() + 30, r.getWidth(), 30,
                      juce::Justification::topRight, 2, 1.0f);

    const auto& b = bottomLine;
    g.drawText (technologyNotice, b.getX(), b.getY() + 10, b.getWidth(), 12, juce::Justification::centredBottom, false);
}
