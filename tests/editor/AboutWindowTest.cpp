#include "EditorTestSupport.h"

#include "editor/AboutWindow.h"
#include "editor/DefaultLookAndFeel.h"
#include "plugin/SoftwareDesignation.h"

#include <cmath>
#include <functional>

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

    /** An About window on its own, under the framework's look, at the editor's size. */
    struct LoneAbout
    {
        explicit LoneAbout (int height = 190)
        {
            parent.setLookAndFeel (&lf);
            parent.setSize (633, 300);
            parent.addAndMakeVisible (about);
            about.setSize (550, height);
        }

        ~LoneAbout()
        {
            parent.removeChildComponent (&about);
            parent.setLookAndFeel (nullptr);
        }

        juce::Image snapshot()   { return about.createComponentSnapshot (about.getLocalBounds(), false); }

        DefaultLookAndFeel lf;
        juce::Component parent;
        Identity identity;
        AboutWindow about { identity };
    };

    using PixelTest = std::function<bool (juce::Colour)>;

    bool isBright (juce::Colour c)   { return c.getBrightness() > 0.6f; }

    bool isGrey (juce::Colour c)
    {
        return std::abs ((int) c.getRed() - (int) c.getGreen()) <= 2
            && std::abs ((int) c.getGreen() - (int) c.getBlue()) <= 2;
    }

    bool isYellowish (juce::Colour c)
    {
        return c.getRed() > 90 && c.getGreen() > 90 && c.getBlue() < 40;
    }

    /** Rows (image coordinates) within the area in which some pixel passes the test. */
    juce::Array<int> rowsWith (const juce::Image& image, juce::Rectangle<int> area, const PixelTest& test = isBright)
    {
        juce::Array<int> rows;
        area = area.getIntersection (image.getBounds());

        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                if (test (image.getPixelAt (x, y)))
                {
                    rows.add (y);
                    break;
                }

        return rows;
    }

    /** Columns (image coordinates) within the area in which some pixel passes the test. */
    juce::Array<int> columnsWith (const juce::Image& image, juce::Rectangle<int> area, const PixelTest& test = isBright)
    {
        juce::Array<int> columns;
        area = area.getIntersection (image.getBounds());

        for (int x = area.getX(); x < area.getRight(); ++x)
            for (int y = area.getY(); y < area.getBottom(); ++y)
                if (test (image.getPixelAt (x, y)))
                {
                    columns.add (x);
                    break;
                }

        return columns;
    }

    int countPixels (const juce::Image& image, juce::Rectangle<int> area, const PixelTest& test)
    {
        int count = 0;
        area = area.getIntersection (image.getBounds());

        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                if (test (image.getPixelAt (x, y)))
                    ++count;

        return count;
    }

    /** The band of rows, relative to the right header's top, as an area of the header's width. */
    juce::Rectangle<int> band (juce::Rectangle<int> header, int fromRow, int toRow)
    {
        return { header.getX(), header.getY() + fromRow, header.getWidth(), toRow - fromRow };
    }
}

//==============================================================================
// In the editor.

TEST (AboutWindow, CtrlClickOnOptionsShowsItInTheEditorsLookAndAClickOnItsBackgroundHidesIt)
{
    ShownProduct p;
    REQUIRE_DESKTOP_INPUT();
    auto* about = p.editor->getAboutWindow();
    ASSERT_NE (about, nullptr);
    ASSERT_FALSE (about->isOverlayShown());

    p.host.click (p.centreOf ("OptionsButton"), juce::ModifierKeys::ctrlModifier);
    ASSERT_TRUE (about->isOverlayShown());
    EXPECT_TRUE (about->dimsBackground());
    EXPECT_FALSE (about->isTitleBarShown());
    EXPECT_FALSE (about->getCloseButton().isVisible());
    EXPECT_EQ (about->getWidth(), 550);
    EXPECT_EQ (about->getHeight(), 190);

    // The link leads to the product's page and shows its address, in yellow,
    // under the two left-hand lines.
    const auto address = p.processor->getSoftwareWebAddress();
    auto& link = about->getWebLink();
    EXPECT_TRUE (link.isVisible());
    EXPECT_EQ (link.getParentComponent(), about);
    EXPECT_EQ (link.getButtonText(), address);
    EXPECT_EQ (link.getURL().toString (false), address);
    EXPECT_TRUE (link.getTooltip().isEmpty());
    EXPECT_EQ (link.findColour (juce::HyperlinkButton::textColourId), juce::Colour (0xFFFFFF00));
    EXPECT_EQ (link.getPosition(), about->getLeftHeader().getPosition().translated (0, 27));

    // Black, framed in white, the name in white: the editor's look, not the
    // look the window had before it joined the editor.
    const auto image = about->createComponentSnapshot (about->getLocalBounds(), false);
    EXPECT_EQ (image.getPixelAt (275, 110).getARGB(), 0xFF000000u);
    EXPECT_GT (image.getPixelAt (275, 1).getBrightness(), 0.9f) << "the border";
    EXPECT_GT (countPixels (image, about->getLeftHeader().withHeight (14),
                            [] (juce::Colour c) { return isGrey (c) && c.getBrightness() > 0.9f; }), 20)
        << "the name in white";

    // A click on the black background between the headers and the bottom line.
    const juce::Point<int> background (275, 110);
    ASSERT_FALSE (link.getBounds().contains (background));
    p.host.click (p.host.getLocalPoint (about, background));
    EXPECT_FALSE (about->isOverlayShown());
}

TEST (AboutWindow, ItIsTallerWhileADockedPanelIsOpen)
{
    Product p;
    auto* about = p.editor->getAboutWindow();
    EXPECT_EQ (about->getBounds().getWidth(), 550);
    EXPECT_EQ (about->getBounds().getHeight(), 190);

    p.fire (EventsMap::optionsEvent);
    EXPECT_EQ (about->getBounds().getWidth(), 550);
    EXPECT_EQ (about->getBounds().getHeight(), 260);
    p.fire (EventsMap::optionsEvent);
    EXPECT_EQ (about->getBounds().getHeight(), 190);

    p.fire (EventsMap::browsePresetsEvent);
    EXPECT_EQ (about->getBounds().getWidth(), 550);
    EXPECT_EQ (about->getBounds().getHeight(), 260);
    p.fire (EventsMap::browsePresetsEvent);
    EXPECT_EQ (about->getBounds().getHeight(), 190);
}

//==============================================================================
// Layout and painting.

TEST (AboutWindow, TheHeadersAndTheBottomLineFollowTheContentArea)
{
    for (const int height : { 190, 260 })
    {
        SCOPED_TRACE (height);
        LoneAbout w (height);
        auto& about = w.about;

        // Border 3 and margin 5 all round, no title bar.
        const juce::Rectangle<int> content (8, 8, 550 - 16, height - 16);
        ASSERT_EQ (about.contentArea(), content);

        const int leftWidth = (int) std::floor (0.4 * content.getWidth()) - 4;   // 209
        EXPECT_EQ (about.getLeftHeader(), juce::Rectangle<int> (8, 8, leftWidth, 54));
        EXPECT_EQ (about.getRightHeader(), juce::Rectangle<int> (8 + leftWidth + 8, 8, content.getWidth() - leftWidth - 8, 54));
        EXPECT_EQ (about.getBottomLine(), juce::Rectangle<int> (8, content.getBottom() - 23, content.getWidth(), 23));
        EXPECT_EQ (about.getWebLink().getPosition(), juce::Point<int> (8, 8 + 27));
    }

    LoneAbout w;
    EXPECT_EQ (w.about.getLeftHeader(), juce::Rectangle<int> (8, 8, 209, 54));
    EXPECT_EQ (w.about.getRightHeader(), juce::Rectangle<int> (225, 8, 317, 54));
    EXPECT_EQ (w.about.getBottomLine(), juce::Rectangle<int> (8, 159, 534, 23));

    // The link is as tall as its font and as wide as its text, underlined in yellow.
    auto& link = w.about.getWebLink();
    const auto font = w.lf.getStandardFont();
    EXPECT_EQ (link.getHeight(), (int) std::ceil (font.getHeight()));
    EXPECT_GE (link.getWidth(), font.getStringWidth (link.getButtonText()));
    EXPECT_LT (link.getWidth(), font.getStringWidth (link.getButtonText()) + 6);

    const auto image = w.snapshot();
    const auto linkArea = link.getBounds();
    int widestYellowRow = 0;

    for (int y = linkArea.getY(); y < linkArea.getBottom(); ++y)
        widestYellowRow = juce::jmax (widestYellowRow, countPixels (image, linkArea.withY (y).withHeight (1), isYellowish));

    EXPECT_GT (widestYellowRow, linkArea.getWidth() * 8 / 10) << "an underline runs along the link";
}

TEST (AboutWindow, ItPaintsWhiteTextOnBlackFramedInWhite)
{
    LoneAbout w;
    const auto image = w.snapshot();
    const auto l = w.about.getLeftHeader();
    const auto r = w.about.getRightHeader();
    const auto b = w.about.getBottomLine();

    EXPECT_EQ (image.getPixelAt (275, 110).getARGB(), 0xFF000000u);
    EXPECT_EQ (image.getPixelAt (l.getRight() + 4, 40).getARGB(), 0xFF000000u) << "between the headers";
    EXPECT_GT (image.getPixelAt (275, 1).getBrightness(), 0.9f) << "the border";
    EXPECT_GT (image.getPixelAt (1, 95).getBrightness(), 0.9f) << "the border";

    // Every text is there, in white (its smoothed edges grey, never coloured).
    const auto whiteText = [] (juce::Colour c) { return isGrey (c) && c.getBrightness() > 0.9f; };
    const std::pair<const char*, juce::Rectangle<int>> texts[] = {
        { "the name",         l.withHeight (13) },
        { "the description",  l.withTrimmedTop (13).withHeight (14) },
        { "format, version",  r.withHeight (13) },
        { "build and date",   band (r, 20, 29) },
        { "the library",      band (r, 32, 40) },
        { "the notice",       b.withTrimmedTop (10) }
    };

    for (const auto& [what, area] : texts)
    {
        EXPECT_GT (countPixels (image, area, whiteText), 10) << what;
        EXPECT_EQ (countPixels (image, area, [] (juce::Colour c) { return ! isGrey (c); }), 0) << what;
    }

    // Nothing else on the black: between the headers and the bottom line.
    EXPECT_TRUE (rowsWith (image, { 8, r.getBottom() + 6, 534, b.getY() - r.getBottom() - 6 }).isEmpty());
}

TEST (AboutWindow, TheTextColourIsTheWindowsOwnBeforeTheLooks)
{
    LoneAbout w;
    w.about.setColour (2, juce::Colours::red);
    const auto image = w.snapshot();
    const auto name = w.about.getLeftHeader().withHeight (13);

    EXPECT_GT (countPixels (image, name, [] (juce::Colour c) { return c.getRed() > 200 && c.getGreen() < 60; }), 10);
    EXPECT_EQ (countPixels (image, name, [] (juce::Colour c) { return isGrey (c) && c.getBrightness() > 0.5f; }), 0);
}

TEST (AboutWindow, TheFormatAndTheVersionShareTheTopRowWithoutTouching)
{
    LoneAbout w;
    const auto image = w.snapshot();
    const auto r = w.about.getRightHeader();
    const auto row = r.withHeight (13);
    const int formatWidth = DefaultLookAndFeel::interfaceFont (14.0f).getStringWidth ("VST 64bit");
    const int formatLeft = r.getRight() - formatWidth;

    const auto columns = columnsWith (image, row);
    ASSERT_FALSE (columns.isEmpty());
    EXPECT_GE (columns.getLast(), r.getRight() - 3) << "the format ends at the header's right edge";
    EXPECT_LT (columns.getFirst(), formatLeft - 8 - 40) << "the version stands left of it";

    // The version ends 8 pixels before the format starts.
    EXPECT_TRUE (columnsWith (image, row.withLeft (formatLeft - 6).withRight (formatLeft - 2)).isEmpty());
    EXPECT_FALSE (columnsWith (image, row.withLeft (formatLeft - 14).withRight (formatLeft - 6)).isEmpty());
}

//==============================================================================
// The library's path: right-aligned, wrapped onto a second line at most.

TEST (AboutWindow, ALongPathWrapsOntoASecondLineAndIsCutAfterIt)
{
    LoneAbout w;
    const auto r = w.about.getRightHeader();
    const auto firstLine = band (r, 33, 41);
    const auto secondLine = band (r, 45, 53);
    const auto belowTwoLines = juce::Rectangle<int> (r.getX(), r.getY() + 56, r.getWidth(),
                                                     w.about.getBottomLine().getY() - r.getY() - 56);

    // A short path: one line at the right edge.
    auto image = w.snapshot();
    auto columns = columnsWith (image, firstLine);
    ASSERT_FALSE (columns.isEmpty());
    EXPECT_GE (columns.getLast(), r.getRight() - 3);
    EXPECT_GT (columns.getFirst(), r.getX() + r.getWidth() / 2);
    EXPECT_TRUE (rowsWith (image, band (r, 43, 60)).isEmpty());

    // A little wider than the header: wrapped, not squeezed onto one line.
    const auto font = DefaultLookAndFeel::interfaceFont (12.0f);
    juce::String path = "/home/user/plugins/";

    while (font.getStringWidthFloat (path + "Korvane.so") < 1.15f * (float) r.getWidth())
        path << "tools/";

    w.identity.location = path + "Korvane.so";
    ASSERT_LT (font.getStringWidthFloat (w.identity.location), 1.3f * (float) r.getWidth());
    image = w.snapshot();
    EXPECT_FALSE (rowsWith (image, firstLine).isEmpty());
    EXPECT_FALSE (rowsWith (image, secondLine).isEmpty()) << "a second line";
    EXPECT_TRUE (rowsWith (image, belowTwoLines).isEmpty());

    // Very long: still two lines in the same font, nothing below them.
    w.identity.location = "/home/user/plugins/" + juce::String::repeatedString ("very-long-folder-name/", 20) + "Korvane.so";
    image = w.snapshot();
    EXPECT_FALSE (rowsWith (image, firstLine).isEmpty());
    EXPECT_FALSE (rowsWith (image, secondLine).isEmpty()) << "a second line";
    EXPECT_TRUE (rowsWith (image, belowTwoLines).isEmpty()) << "and no third";
    EXPECT_GE (columnsWith (image, secondLine).getLast(), r.getRight() - 12) << "the second line fills the width";
}
