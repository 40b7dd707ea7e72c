#include "EditorTestSupport.h"

#include "editor/DefaultLookAndFeel.h"
#include "editor/FrameworkArtwork.h"
#include "editor/LabelWithModalTextEditor.h"
#include "editor/StatusBar.h"
#include "editor/VantorAlertWindow.h"
#include "editor/WindowComponent.h"

using ButtonTestSupport::DesktopHost;
using ButtonTestSupport::pump;
using ButtonTestSupport::pumpUntil;

namespace
{
    /** An overlay host with a button behind the overlays. */
    struct OverlayHost : EditorTestSupport::OverlayHost
    {
        OverlayHost() : EditorTestSupport::OverlayHost (500, 400)
        {
            button.setBounds (10, 10, 60, 30);
            button.onClick = [this] { ++buttonClicks; };
            addAndMakeVisible (button);
        }

        juce::TextButton button { "Behind" };
        int buttonClicks = 0;
    };

    struct RecordingCaller : Vantor::AlertWindow::Caller
    {
        void alertWindowClosed (Vantor::AlertWindow*, int result) override { results.add (result); }
        juce::Array<int> results;
    };
}

//==============================================================================
// The window frame.

TEST (WindowFrame, OuterSizeFollowsTheFrameAndNeverGoesBelow250By120)
{
    WindowComponent window;
    window.setContentSize (100, 50);
    EXPECT_EQ (window.getWidth(), 250);
    EXPECT_EQ (window.getHeight(), 120);

    window.setContentSize (400, 300);
    EXPECT_EQ (window.getWidth(), 400 + 10 + 6);
    EXPECT_EQ (window.getHeight(), 300 + 43 + 6);
    EXPECT_EQ (window.contentArea(), juce::Rectangle<int> (8, 41, 400, 300));

    window.setDecorationSide (WindowComponent::decorationLeft);
    window.setContentSize (400, 300);
    EXPECT_EQ (window.getWidth(), 426);
    EXPECT_EQ (window.contentArea(), juce::Rectangle<int> (18, 41, 400, 300));

    window.makeDockedPanel();
    window.setSize (633, 256);
    EXPECT_EQ (window.contentArea(), juce::Rectangle<int> (5, 15, 623, 236)) << "decoration on top, no border, no title";
    EXPECT_EQ (window.getOuterBoundsForContent (623, 236).getHeight(), 256);
}

TEST (WindowFrame, TheCloseButtonSitsTopRightAndHides)
{
    OverlayHost host;
    WindowComponent window;
    host.addChildComponent (window);
    window.setContentSize (300, 200);
    window.show();
    ASSERT_TRUE (window.isOverlayShown());

    auto& close = window.getCloseButton();
    EXPECT_EQ (close.getName(), "CloseButton");
    EXPECT_EQ (close.getWidth(), FrameworkArtwork::smallIconSize);
    EXPECT_EQ (close.getPosition(), juce::Point<int> (window.getWidth() - close.getWidth() - 10, 8));

    close.triggerClick();
    pump (30);
    EXPECT_FALSE (window.isOverlayShown());
}

TEST (WindowFrame, PaintsBodyBorderAndTitleBarInTheFrameworkColours)
{
    DefaultLookAndFeel lookAndFeel;
    WindowComponent window;
    window.setLookAndFeel (&lookAndFeel);
    window.setTitle ("Options");
    window.setContentSize (300, 200);

    const auto image = window.createComponentSnapshot (window.getLocalBounds(), false);
    EXPECT_EQ (image.getPixelAt (150, 150).getARGB(), 0xFFC5C5C5u) << "body";
    EXPECT_EQ (image.getPixelAt (150, 1).getARGB(), 0xFF444444u) << "border";
    EXPECT_EQ (image.getPixelAt (150, 14).getARGB(), 0xFF444444u) << "title bar";
    EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0) << "rounded corner";
    window.setLookAndFeel (nullptr);
}

//==============================================================================
// The pseudo-modal overlay.

TEST (PseudoModal, AnOverlayCoversAndDimsTheDesktopAndBlocksItsClicks)
{
    OverlayHost host;
    REQUIRE_DESKTOP_INPUT();
    Vantor::AlertWindow alert ("Question", "Clear every assignment?", nullptr);
    alert.addButton ("OK", 1);
    host.addChildComponent (alert);

    alert.show();
    pump (30);
    auto& cover = alert.getCoveringWindow();
    EXPECT_EQ (cover.getParentComponent(), &host);
    EXPECT_EQ (cover.getBounds(), host.getLocalBounds());
    EXPECT_EQ (alert.getBounds().getCentre(), host.getLocalBounds().getCentre());

    const auto snapshot = cover.createComponentSnapshot ({ 0, 0, 4, 4 }, false);
    EXPECT_NEAR (snapshot.getPixelAt (1, 1).getFloatAlpha(), 0.33f, 0.01f);

    host.click (DesktopHost::centreOf (host.button));
    EXPECT_EQ (host.buttonClicks, 0) << "the editor behind gets no click";

    alert.hide();
    host.click (DesktopHost::centreOf (host.button));
    EXPECT_EQ (host.buttonClicks, 1);
}

TEST (PseudoModal, WithoutADesktopAncestorItIsAPlainChild)
{
    juce::Component parent;
    WindowComponent window;
    parent.addChildComponent (window);
    window.show();
    EXPECT_TRUE (window.isVisible());
    EXPECT_EQ (window.getParentComponent(), &parent);
    window.hide();
    EXPECT_FALSE (window.isVisible());
}

TEST (PseudoModal, ShowAtPlacesTheWindowAtAPointOfAnotherComponent)
{
    OverlayHost host;
    WindowComponent window;
    host.addChildComponent (window);
    window.setContentSize (100, 50);
    window.showAt ({ 5, 5 }, &host.button);
    EXPECT_EQ (window.getPosition(), juce::Point<int> (15, 15));
}

//==============================================================================
// The alert.

TEST (Alert, YesAndNoAnswerTheCallerAndTheCrossDoesNot)
{
    OverlayHost host;
    REQUIRE_DESKTOP_INPUT();
    RecordingCaller caller;
    auto alert = Vantor::AlertWindow::showYesNo ("Clear All", "Remove every assignment?", &caller);
    host.addChildComponent (*alert);
    ASSERT_EQ (alert->getNumButtons(), 2);
    EXPECT_EQ (alert->getButton (0)->getButtonText(), "Yes");
    EXPECT_EQ (alert->getButton (1)->getButtonText(), "No");
    EXPECT_TRUE (alert->dimsBackground());

    auto clickOn = [&] (juce::Component& c) { host.click (host.getLocalPoint (&c, c.getLocalBounds().getCentre())); };

    alert->show();
    clickOn (alert->getCloseButton());
    EXPECT_FALSE (alert->isOverlayShown());
    EXPECT_TRUE (caller.results.isEmpty()) << "closed with its cross, nobody is told";

    alert->show();
    clickOn (*alert->getButton (1));
    EXPECT_FALSE (alert->isOverlayShown());
    EXPECT_EQ (caller.results, juce::Array<int> { 0 });

    alert->show();
    clickOn (*alert->getButton (0));
    EXPECT_EQ (caller.results, (juce::Array<int> { 0, 1 }));
}

TEST (Alert, ItIsAsWideAsItsMessageAndButtonsAtTheBottomRight)
{
    DefaultLookAndFeel lookAndFeel;
    Vantor::AlertWindow alert ("T", juce::String::repeatedString ("wide message ", 20), nullptr);
    alert.setLookAndFeel (&lookAndFeel);
    alert.addButton ("Yes", 1);
    const auto area = alert.contentArea();
    const auto messageWidth = lookAndFeel.getStandardFont().getStringWidthFloat (alert.getMessage());
    EXPECT_NEAR (area.getWidth(), messageWidth, 1.0);

    auto* yes = alert.getButton (0);
    const auto yesBounds = alert.getLocalArea (yes, yes->getLocalBounds());
    EXPECT_EQ (yesBounds.getRight(), area.getRight());
    EXPECT_EQ (yesBounds.getBottom(), area.getBottom());
    alert.setLookAndFeel (nullptr);
}

//==============================================================================
// The status bar.

TEST (StatusBarMessages, AHigherPriorityStandsUntilItTimesOut)
{
    StatusBar bar;
    bar.setMessage ("Preamp Gain: +6.0dB", 6, 150);
    bar.setMessage ("Default Map settings will be affected when plugin is loaded.", 4, 0);
    EXPECT_EQ (bar.getText(), "Preamp Gain: +6.0dB");

    bar.setMessage ("Tone: 50%", 6, 150);
    EXPECT_EQ (bar.getText(), "Tone: 50%") << "equal priority replaces";

    EXPECT_TRUE (pumpUntil ([&] { return bar.getText().isEmpty(); }, 1000));
    EXPECT_EQ (bar.getPriority(), 0);

    bar.setMessage ("Default Map settings will be affected when plugin is loaded.", 4, 0);
    EXPECT_EQ (bar.getPriority(), 4);
    bar.clear();
    EXPECT_TRUE (bar.getText().isEmpty());
}

TEST (StatusBarMessages, PaintsWhiteTextOnDarkGrey)
{
    DefaultLookAndFeel lookAndFeel;
    StatusBar bar;
    bar.setLookAndFeel (&lookAndFeel);
    bar.setSize (200, DefaultLookAndFeel::statusBarHeight);
    bar.setMessage ("MMMMMMMM", 1, 0);
    const auto image = bar.createComponentSnapshot (bar.getLocalBounds(), false);
    EXPECT_EQ (image.getPixelAt (2, 8).getARGB(), 0xFF444444u);

    bool sawWhite = false;
    for (int x = 5; x < 60; ++x)
        sawWhite = sawWhite || image.getPixelAt (x, 8).getBrightness() > 0.9f;
    EXPECT_TRUE (sawWhite);
    bar.setLookAndFeel (nullptr);
}

//==============================================================================
// The label with its floating editor.

TEST (LabelEditing, EscapeRestoresTheTextAndCommittingReportsTheNewOne)
{
    OverlayHost host;

    struct Recorder : ModalTextEditor::ModalListener
    {
        void textCommitted (ModalTextEditor* e) override  { commits.add (e->getText()); }
        void editingCancelled (ModalTextEditor*) override { ++cancels; }
        void editingFinished (ModalTextEditor*) override  { ++finishes; }
        juce::StringArray commits;
        int cancels = 0, finishes = 0;
    } recorder;

    LabelWithModalTextEditor label;
    label.setBounds (20, 60, 200, 20);
    label.setText ("Keys");
    label.addModalListener (&recorder);
    host.addAndMakeVisible (label);

    label.showEditor();
    auto* editor = label.getEditor();
    ASSERT_NE (editor, nullptr);
    editor->focusGained (juce::Component::focusChangedDirectly);
    EXPECT_TRUE (editor->isFloating());
    EXPECT_TRUE (editor->isOnDesktop());
    pump (30);   // JUCE hands a new text to its editor's value asynchronously

    editor->insertTextAtCaret ("Pads");
    EXPECT_TRUE (pumpUntil ([&] { return label.getText() == "Pads"; }, 500)) << "the label follows the typing";
    editor->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_EQ (label.getText(), "Keys");
    EXPECT_FALSE (editor->isFloating());
    EXPECT_EQ (editor->getParentComponent(), &label);
    EXPECT_FALSE (editor->isVisible());
    EXPECT_EQ (recorder.cancels, 1);
    EXPECT_TRUE (recorder.commits.isEmpty());

    label.showEditor();
    editor->focusGained (juce::Component::focusChangedDirectly);
    pump (30);
    editor->insertTextAtCaret ("Pads");
    pump (30);
    editor->focusLost (juce::Component::focusChangedByMouseClick);   // a click elsewhere
    EXPECT_EQ (recorder.commits, juce::StringArray { "Pads" });
    EXPECT_EQ (label.getText(), "Pads");
    EXPECT_EQ (recorder.finishes, 2);
    EXPECT_EQ (editor->getBounds(), label.getLocalBounds());
}

//==============================================================================
// The look-and-feel.

TEST (FrameworkLook, TheColourTableAndFonts)
{
    DefaultLookAndFeel lf;
    EXPECT_EQ (lf.findColour (DefaultLookAndFeel::windowBackgroundColourId).getARGB(), 0xFFC5C5C5u);
    EXPECT_EQ (lf.findColour (DefaultLookAndFeel::columnSelectedRowColourId).getARGB(), 0xFFADADADu);
    EXPECT_EQ (lf.findColour (0x0F001107).getARGB(), 0xFF5B5B5Bu);
    EXPECT_EQ (lf.findColour (0x0F002103).getARGB(), 0xFFB2B2B2u);
    EXPECT_EQ (lf.findColour (DefaultLookAndFeel::tabOutlineColourId).getARGB(), 0xFF5B5B5Bu);
    EXPECT_EQ (lf.findColour (3).getARGB(), 0xFFFFFF00u);
    EXPECT_EQ (lf.findColour (juce::ScrollBar::thumbColourId).getARGB(), 0xFF6E6E6Eu);
    EXPECT_EQ (lf.findColour (juce::TooltipWindow::outlineColourId).getARGB(), 0xFF444444u);

    // "Tahoma" is the embedded face on every machine.
    const auto plain = FrameworkArtwork::getInterfaceTypeface (false);
    const auto bold = FrameworkArtwork::getInterfaceTypeface (true);
    ASSERT_NE (plain, nullptr);
    ASSERT_NE (bold, nullptr);
    EXPECT_EQ (plain->getName(), "DejaVu Sans");
    EXPECT_EQ (plain->getStyle(), "Condensed");
    EXPECT_EQ (bold->getStyle(), "Condensed Bold");
    EXPECT_EQ (lf.getTypefaceForFont (juce::Font ("Tahoma", 13.0f, juce::Font::plain)).get(), plain.get());
    EXPECT_EQ (lf.getTypefaceForFont (juce::Font ("Tahoma", 13.0f, juce::Font::bold)).get(), bold.get());
    EXPECT_EQ (lf.getStandardFont().getHeight(), 13.0f);
    EXPECT_EQ (lf.getStandardFont().getTypefaceName(), "DejaVu Sans");
    EXPECT_EQ (lf.getStandardFont().getTypefacePtr().get(), plain.get()) << "the fonts carry the embedded face";
    EXPECT_EQ (lf.getBoldFont().getTypefacePtr().get(), bold.get());
    EXPECT_TRUE (lf.getBoldFont().isBold());
    EXPECT_FALSE (lf.getStandardFont().isBold());
}

TEST (FrameworkLook, SeventeenIconsInTwoSizesWithPressedLooks)
{
    DefaultLookAndFeel lf;

    for (int i = 0; i < FrameworkArtwork::numIcons; ++i)
        for (bool small : { false, true })
        {
            const auto size = small ? 27 : 43;
            const auto normal = FrameworkArtwork::getIcon (i, small, false);
            const auto pressed = FrameworkArtwork::getIcon (i, small, true);
            ASSERT_TRUE (normal.isValid() && pressed.isValid()) << i;
            EXPECT_EQ (normal.getWidth(), size);
            EXPECT_EQ (normal.getHeight(), size);

            IconButton button;
            lf.setIconImages (button, i, small);
            EXPECT_EQ (button.getWidth(), size);
            EXPECT_TRUE (button.getNormalImage().isValid());
            EXPECT_TRUE (button.getDownImage().isValid());
        }

    EXPECT_FALSE (FrameworkArtwork::getIcon (17, false, false).isValid());
    EXPECT_EQ (FrameworkArtwork::getWindowIcon().getWidth(), 24);
    EXPECT_EQ (FrameworkArtwork::getDecoration (1).getBounds(), juce::Rectangle<int> (0, 0, 40, 10));
    EXPECT_EQ (FrameworkArtwork::getDecoration (4).getBounds(), juce::Rectangle<int> (0, 0, 10, 40));
    EXPECT_FALSE (FrameworkArtwork::getDecoration (0).isValid());
    EXPECT_EQ (FrameworkArtwork::getRadioButton (true).getBounds(), juce::Rectangle<int> (0, 0, 15, 14));
    EXPECT_EQ (FrameworkArtwork::getCheckBox (false).getBounds(), juce::Rectangle<int> (0, 0, 15, 14));
}

TEST (FrameworkLook, TextButtonsTakeTheirCapsAndFontFromIt)
{
    DefaultLookAndFeel lf;
    juce::Component parent;
    parent.setLookAndFeel (&lf);
    TextButtonEx button ("Load");
    parent.addAndMakeVisible (button);

    EXPECT_TRUE (button.hasImages());
    EXPECT_EQ (button.getHeight(), 20);
    EXPECT_EQ (button.getFont().getTypefacePtr().get(), FrameworkArtwork::getInterfaceTypeface (false).get());
    EXPECT_EQ (button.getWidth(), button.getLeftCapWidth() + button.getTextWidth() + button.getRightCapWidth());
    parent.removeChildComponent (&button);
    parent.setLookAndFeel (nullptr);
}
