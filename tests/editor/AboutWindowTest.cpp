#include "EditorTestSupport.h"

#include "editor/AboutWindow.h"
#include "plugin/SoftwareDesignation.h"

using namespace EditorTestSupport;

namespace
{
    struct Identity : SoftwareDesignation
    {
        juce::String getSoftwareName() const override          { return "Korvane"; }
        juce::String getSoftwareDescription() const override   { return "Vintage Tube Distortion"; }
        juce::String getSoftwareVersion() const override       { return "1.3.1"; }
        juce::String getSoftwareWebAddress() const override    { return "https://korvane.codeberg.page"; }
        juce::String getYearOfFirstRelease() const override    { return "2012"; }
        juce::String getPluginFileLocation() const override    { return location; }
        juce::String getBuildDate() const override             { return "2012-02-09"; }
        juce::String getBuildIdentifier() const override       { return "230.1304"; }
        juce::String getPluginFormat() const override          { return "VST"; }
        juce::String getArchitecture() const override          { return "64bit"; }

        juce::String location = "/home/user/.vst/Korvane.so";
    };

    /** Rows of the image (from top) in which some pixel is bright, within x range. */
    juce::Array<int> brightRows (const juce::Image& image, juce::Range<int> xs, juce::Range<int> ys)
    {
        juce::Array<int> rows;
        for (int y = ys.getStart(); y < ys.getEnd(); ++y)
            for (int x = xs.getStart(); x < xs.getEnd(); ++x)
                if (image.getPixelAt (x, y).getBrightness() > 0.6f)
                {
                    rows.add (y);
                    break;
                }
        return rows;
    }
}

TEST (AboutWindow, CtrlClickOnOptionsShowsItAndAClickInsideHidesIt)
{
    ShownProduct p;
    REQUIRE_DESKTOP_INPUT();
    auto* about = p.editor->getAboutWindow();

    p.host.click (p.centreOf ("OptionsButton"), juce::ModifierKeys::ctrlModifier);
    ASSERT_TRUE (about->isOverlayShown());
    EXPECT_EQ (about->getWidth(), 550);
    EXPECT_EQ (about->getHeight(), 190);
    EXPECT_EQ (about->getWebLink().getButtonText(), p.processor->getSoftwareWebAddress());
    EXPECT_EQ (about->getWebLink().getURL().toString (false), p.processor->getSoftwareWebAddress());

    p.host.click (p.host.getLocalPoint (about, juce::Point<int> (275, 120)));
    EXPECT_FALSE (about->isOverlayShown());
}

TEST (AboutWindow, ItIsTallerWhileADockedPanelIsOpen)
{
    Product p;
    auto* about = p.editor->getAboutWindow();
    p.fire (EventsMap::browsePresetsEvent);
    EXPECT_EQ (about->getBounds().getHeight(), 260);
    p.fire (EventsMap::browsePresetsEvent);
    EXPECT_EQ (about->getBounds().getHeight(), 190);
    p.fire (EventsMap::optionsEvent);
    EXPECT_EQ (about->getBounds().getHeight(), 260);
}

TEST (AboutWindow, LayoutFollowsTheContentArea)
{
    DefaultLookAndFeel lf;
    juce::Component parent;
    parent.setLookAndFeel (&lf);
    Identity identity;
    AboutWindow about (identity);
    parent.addAndMakeVisible (about);
    about.setSize (550, 190);

    // Border 3 and margin 5 on each side, no title bar: content (8, 8, 534, 174).
    EXPECT_EQ (about.contentArea(), juce::Rectangle<int> (8, 8, 534, 174));
    EXPECT_EQ (about.getLeftHeader(), juce::Rectangle<int> (8, 8, 209, 54));      // floor (0.4 x 534) - 4
    EXPECT_EQ (about.getRightHeader(), juce::Rectangle<int> (225, 8, 317, 54));
    EXPECT_EQ (about.getBottomLine(), juce::Rectangle<int> (8, 159, 534, 23));
    EXPECT_EQ (about.getWebLink().getPosition(), juce::Point<int> (8, 35));
    EXPECT_EQ (about.getWebLink().findColour (juce::HyperlinkButton::textColourId), juce::Colour (0xFFFFFF00));
    EXPECT_FALSE (about.isTitleBarShown());
    EXPECT_TRUE (about.dimsBackground());

    // White text on black, framed in white.
    const auto image = about.createComponentSnapshot (about.getLocalBounds(), false);
    EXPECT_EQ (image.getPixelAt (275, 100).getARGB(), 0xFF000000u);
    EXPECT_GT (image.getPixelAt (275, 1).getBrightness(), 0.9f) << "border";
    EXPECT_FALSE (brightRows (image, { 8, 150 }, { 5, 22 }).isEmpty()) << "the name";
    EXPECT_FALSE (brightRows (image, { 100, 442 }, { 169, 183 }).isEmpty()) << "the notice at the bottom";

    parent.removeChildComponent (&about);
    parent.setLookAndFeel (nullptr);
}

TEST (AboutWindow, ALongPathWrapsOntoASecondLineAndIsCutAfterIt)
{
    DefaultLookAndFeel lf;
    juce::Component parent;
    parent.setLookAndFeel (&lf);
    Identity identity;
    AboutWindow about (identity);
    parent.addAndMakeVisible (about);
    about.setSize (550, 190);
    const auto r = about.getRightHeader();
    const juce::Range<int> xs (r.getX(), r.getRight());

    // One line: text rows only in the first line's band.
    auto image = about.createComponentSnapshot (about.getLocalBounds(), false);
    const auto lineBand = juce::Range<int> (r.getY() + 30, r.getY() + 45);
    const auto secondBand = juce::Range<int> (r.getY() + 46, r.getY() + 60);
    const auto belowBand = juce::Range<int> (r.getY() + 61, about.getBottomLine().getY());
    EXPECT_FALSE (brightRows (image, xs, lineBand).isEmpty());
    EXPECT_TRUE (brightRows (image, xs, secondBand).isEmpty());

    // Very long: two lines, nothing below them.
    identity.location = "/home/user/plugins/" + juce::String::repeatedString ("very-long-folder-name/", 20) + "Korvane.so";
    about.repaint();
    image = about.createComponentSnapshot (about.getLocalBounds(), false);
    EXPECT_FALSE (brightRows (image, xs, lineBand).isEmpty());
    EXPECT_FALSE (brightRows (image, xs, secondBand).isEmpty()) << "a second line";
    EXPECT_TRUE (brightRows (image, xs, belowBand).isEmpty()) << "and no third";

    parent.removeChildComponent (&about);
    parent.setLookAndFeel (nullptr);
}
