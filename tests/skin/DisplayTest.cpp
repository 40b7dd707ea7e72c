#include "SkinTestSupport.h"

#include "skin/GFXDisplay.h"
#include "skin/GFXDisplayFloat.h"

using namespace SkinTestSupport;

namespace
{
    /** The colour glyph cell g of the test font is filled with (cells 96 and up are the inverted half). */
    juce::Colour glyphColour (int cell)
    {
        return juce::Colour ((juce::uint8) cell, (juce::uint8) 100, (juce::uint8) 50);
    }

    /** A font image like the product's "Fonts.png": 7 pixels wide, 9-pixel
        cells, glyphs from the first character on, normal then inverted. */
    juce::Image testFont (int glyphs = 96, int width = 7, int height = 9)
    {
        juce::Image image (juce::Image::ARGB, width, height * glyphs * 2, true);
        juce::Graphics g (image);

        for (int cell = 0; cell < glyphs * 2; ++cell)
        {
            g.setColour (glyphColour (cell));
            g.fillRect (0, cell * height, width, height);
        }

        return image;
    }

    /** The product's preset-name display: 153 x 13 with 7 x 9 glyphs. */
    struct PresetNameDisplay
    {
        PresetNameDisplay()
        {
            display.setBounds (130, 28, 153, 13);
            display.setFontImage (testFont(), 9, ' ');
            display.setBackgroundColour (juce::Colour (0xff232224));
            display.addDisplayListener (&listener);
        }

        struct Listener : GFXDisplayListener
        {
            void displayTextCommitted (GFXDisplay* d) override { commits.push_back (d->getText()); }
            std::vector<juce::String> commits;
        };

        juce::String visibleText() const
        {
            juce::String shown;
            for (const auto& cell : display.getVisibleCells())
                shown << juce::String::charToString ((juce::juce_wchar) cell.glyph);
            return shown;
        }

        void type (const juce::KeyPress& key) { display.keyPressed (key); }
        void type (juce::juce_wchar character)  { display.keyPressed (juce::KeyPress ((int) character, {}, character)); }

        GFXDisplay display { "PresetNameDisplay" };
        Listener listener;
    };

    const juce::String thirtyCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";

    /** A desktop window to give the keyboard focus to; false when this display
        server gives no focus. */
    struct FocusWindow
    {
        FocusWindow()
        {
            tolerateXErrors();
            window.setBounds (50, 50, 300, 60);
            window.addToDesktop (0);
            window.setVisible (true);
            pump (50);
        }

        ~FocusWindow()
        {
            window.removeFromDesktop();
        }

        /** A press and release as the window's peer delivers them from the desktop. */
        void click (juce::Point<float> position)
        {
            auto* peer = window.getPeer();
            ASSERT_NE (peer, nullptr);

            for (auto modifiers : { juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier), juce::ModifierKeys() })
                peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, position, modifiers,
                                        juce::MouseInputSource::defaultPressure,
                                        juce::MouseInputSource::defaultOrientation,
                                        juce::Time::currentTimeMillis());
            pump (30);
        }

        bool focus (GFXDisplay& component)
        {
            for (int attempt = 0; attempt < 20 && ! component.hasKeyboardFocus (false); ++attempt)
            {
                component.startEditing();
                pump (20);
            }

            // Let the server's focus events arrive now: a late one would
            // give the focus back to the display after a test took it away.
            pump (100);
            return component.hasKeyboardFocus (false);
        }

        juce::Component window;
    };
}

//==============================================================================
// Font metrics and cells.

TEST (Display, FontMetricsComeFromTheImage)
{
    GFXDisplay display ("D");
    EXPECT_EQ (display.getGlyphWidth(), 8);
    EXPECT_EQ (display.getFontHeight(), 0);
    EXPECT_EQ (display.getFirstCharacter(), 32);
    EXPECT_EQ (display.getLastCharacter(), 160);
    EXPECT_TRUE (display.isOpaque());
    EXPECT_FALSE (display.getWantsKeyboardFocus()) << "only while editing";

    display.setFontImage (testFont(), 9, ' ');
    EXPECT_EQ (display.getFontImage().getHeight(), 1728);
    EXPECT_EQ (display.getGlyphWidth(), 7);
    EXPECT_EQ (display.getLastCharacter(), 127);
    EXPECT_EQ (display.getGlyphCount(), 96);

    display.setFontImage (testFont(), 0, 'A');
    EXPECT_EQ (display.getLastCharacter(), 'A') << "without a cell height only one glyph";
    EXPECT_EQ (display.getGlyphCount(), 1);
}

TEST (Display, ThePresetNameDisplayHas21CellsCentred)
{
    PresetNameDisplay p;
    p.display.setText (thirtyCharacters);

    EXPECT_EQ (p.display.getNumCells(), 21);
    const auto cells = p.display.getVisibleCells();
    ASSERT_EQ (cells.size(), 21);
    EXPECT_EQ (cells[0].x, 3);
    EXPECT_EQ (cells[0].y, 2);
    EXPECT_EQ (cells[20].x, 3 + 20 * 7);
    EXPECT_EQ (p.visibleText(), thirtyCharacters.substring (0, 21));

    // A short text is padded with spaces.
    p.display.setText ("Clean");
    EXPECT_EQ (p.visibleText(), "Clean" + juce::String::repeatedString (" ", 16));
}

TEST (Display, GlyphsAreClampedAsSignedBytes)
{
    PresetNameDisplay p;

    // é (233) reads as -23 and shows the first glyph, the space; 0x141 shows
    // the glyph of its low byte (A); the last glyph (127) is still drawn.
    p.display.setText (juce::String::fromUTF8 ("Caf\xc3\xa9") + juce::String::charToString (0x141)
                       + juce::String::charToString (127) + juce::String::charToString (0xA0));
    const auto cells = p.display.getVisibleCells();
    EXPECT_EQ (cells[0].glyph, 'C');
    EXPECT_EQ (cells[3].glyph, ' ');
    EXPECT_EQ (cells[3].sourceRow, 0);
    EXPECT_EQ (cells[4].glyph, 'A');
    EXPECT_EQ (cells[4].sourceRow, ('A' - ' ') * 9);
    EXPECT_EQ (cells[5].glyph, 127);
    EXPECT_EQ (cells[6].glyph, ' ') << "160 is below the range as a signed byte";

    // Characters beyond a short font's last glyph show the last glyph.
    GFXDisplay digits ("Digits");
    digits.setBounds (0, 0, 70, 9);
    digits.setFontImage (testFont (10), 9, '0');
    EXPECT_EQ (digits.getLastCharacter(), '9');
    digits.setText ("5z ");
    const auto digitCells = digits.getVisibleCells();
    EXPECT_EQ (digitCells[0].glyph, '5');
    EXPECT_EQ (digitCells[1].glyph, '9');
    EXPECT_EQ (digitCells[2].glyph, '0');
}

TEST (Display, PaintingDrawsTheGlyphCellsOverTheBackground)
{
    PresetNameDisplay p;
    p.display.setText ("AB");
    const auto snapshot = render (p.display);

    EXPECT_EQ (snapshot.getPixelAt (0, 0), juce::Colour (0xff232224));
    EXPECT_EQ (snapshot.getPixelAt (2, 6), juce::Colour (0xff232224)) << "left of the first cell";
    EXPECT_EQ (snapshot.getPixelAt (3, 2), glyphColour ('A' - ' '));
    EXPECT_EQ (snapshot.getPixelAt (9, 10), glyphColour ('A' - ' '));
    EXPECT_EQ (snapshot.getPixelAt (10, 2), glyphColour ('B' - ' '));
    EXPECT_EQ (snapshot.getPixelAt (17, 2), glyphColour (0)) << "padding cells draw the space";
    EXPECT_EQ (snapshot.getPixelAt (10, 11), juce::Colour (0xff232224)) << "below the cells";
}

TEST (Display, WithoutAFontImageItDrawsBlackTextOnTheBackground)
{
    GFXDisplay display ("Plain");
    display.setBounds (0, 0, 120, 20);
    display.setBackgroundColour (juce::Colours::white);
    display.setText ("Some preset");
    EXPECT_TRUE (display.getVisibleCells().isEmpty());

    const auto snapshot = render (display);
    EXPECT_EQ (snapshot.getPixelAt (119, 0), juce::Colours::white);

    bool dark = false;
    for (int x = 0; x < 60 && ! dark; ++x)
        for (int y = 4; y < 16 && ! dark; ++y)
            dark = snapshot.getPixelAt (x, y).getPerceivedBrightness() < 0.3f;
    EXPECT_TRUE (dark);
}

//==============================================================================
// Editing: caret and scrolling.

TEST (DisplayEditing, FocusPutsTheCaretAtTheEndWithTheLast20CharactersVisible)
{
    PresetNameDisplay p;
    p.display.setText (thirtyCharacters);
    p.display.beginEditing();

    EXPECT_TRUE (p.display.isEditing());
    EXPECT_EQ (p.display.getCaretIndex(), 30);
    EXPECT_EQ (p.display.getScrollOffset(), 10);
    EXPECT_EQ (p.visibleText(), thirtyCharacters.substring (10) + " ");
    EXPECT_EQ (p.display.getVisibleCells()[20].textIndex, 30) << "the caret's cell is cell 20";
}

TEST (DisplayEditing, TheCaretCellIsInvertedWhileTheDisplayHasTheFocus)
{
    FocusWindow host;
    PresetNameDisplay p;
    p.display.setTopLeftPosition (10, 10);
    p.display.setText (thirtyCharacters);
    host.window.addAndMakeVisible (p.display);

    if (! host.focus (p.display))
        GTEST_SKIP() << "the display server gives no keyboard focus";

    EXPECT_TRUE (p.display.isEditing()) << "focus starts editing";
    EXPECT_EQ (p.display.getCaretIndex(), 30);

    const auto cells = p.display.getVisibleCells();
    ASSERT_TRUE (p.display.isCaretShown());
    EXPECT_TRUE (cells[20].inverted);
    EXPECT_EQ (cells[20].sourceRow, (0 + 96) * 9) << "an inverted space";
    EXPECT_FALSE (cells[19].inverted);

    const auto snapshot = render (p.display);
    EXPECT_EQ (snapshot.getPixelAt (3 + 20 * 7, 2), glyphColour (96));
    EXPECT_EQ (snapshot.getPixelAt (3 + 19 * 7, 2), glyphColour ('3' - ' '));

    // An uneditable display draws no inverted cell.
    p.display.setEditable (false);
    EXPECT_FALSE (p.display.getVisibleCells()[20].inverted);
    p.display.setEditable (true);

    // The caret blinks every 500 ms while the display has the focus.
    const auto before = p.display.isCaretShown();
    const auto start = juce::Time::getMillisecondCounterHiRes();

    while (p.display.isCaretShown() == before && juce::Time::getMillisecondCounterHiRes() - start < 1500)
        pump (10);

    EXPECT_NE (p.display.isCaretShown(), before);
    EXPECT_GT (juce::Time::getMillisecondCounterHiRes() - start, 100.0) << "not at once";

    // Losing the focus commits.
    p.display.keyPressed (juce::KeyPress ('!', {}, '!'));
    p.display.giveAwayKeyboardFocus();
    pump (50);
    EXPECT_FALSE (p.display.isEditing());
    ASSERT_EQ (p.listener.commits.size(), 1u);
    EXPECT_EQ (p.listener.commits[0], thirtyCharacters + "!");
    EXPECT_EQ (p.display.getCaretIndex(), 0);
    EXPECT_EQ (p.display.getScrollOffset(), 0);

    host.window.removeChildComponent (&p.display);
}

TEST (DisplayEditing, AClickGivesAnEnabledDisplayTheFocus)
{
    FocusWindow host;
    PresetNameDisplay p;
    p.display.setTopLeftPosition (10, 10);
    p.display.setText ("Clean");
    host.window.addAndMakeVisible (p.display);

    // Activating the window hands its focus to nobody in particular: no edit starts.
    host.window.getPeer()->handleFocusGain();
    pump (20);
    EXPECT_FALSE (p.display.isEditing());

    p.display.setEnabled (false);
    host.click ({ 20.0f, 15.0f });
    EXPECT_FALSE (p.display.hasKeyboardFocus (false)) << "a read-only display never takes the focus";
    EXPECT_FALSE (p.display.isEditing());

    p.display.setEnabled (true);
    host.click ({ 20.0f, 15.0f });

    if (! p.display.hasKeyboardFocus (false))
        GTEST_SKIP() << "the display server gives no keyboard focus";

    EXPECT_TRUE (p.display.isEditing());
    EXPECT_EQ (p.display.getCaretIndex(), 5);

    // After the commit, the window getting its focus back does not restart the edit.
    p.type (juce::KeyPress (juce::KeyPress::returnKey));
    EXPECT_FALSE (p.display.isEditing());
    host.window.getPeer()->handleFocusLoss();
    host.window.getPeer()->handleFocusGain();
    pump (20);
    EXPECT_FALSE (p.display.isEditing());
    EXPECT_FALSE (p.display.hasKeyboardFocus (false));

    host.window.removeChildComponent (&p.display);
}

TEST (DisplayEditing, APressOutsideTheDisplayEndsTheEdit)
{
    FocusWindow host;
    PresetNameDisplay p;
    p.display.setTopLeftPosition (10, 10);
    p.display.setText ("Clean");
    host.window.addAndMakeVisible (p.display);

    if (! host.focus (p.display))
        GTEST_SKIP() << "the display server gives no keyboard focus";

    ASSERT_TRUE (p.display.isEditing());
    p.type ('!');

    // A press inside the display keeps editing.
    host.click ({ 20.0f, 15.0f });
    EXPECT_TRUE (p.display.isEditing());

    // A press on the window's background ends it.
    host.click ({ 250.0f, 45.0f });

    EXPECT_FALSE (p.display.isEditing());
    ASSERT_EQ (p.listener.commits.size(), 1u);
    EXPECT_EQ (p.listener.commits[0], "Clean!");

    host.window.removeChildComponent (&p.display);
}

TEST (DisplayEditing, CaretKeysMoveAndScrollKeepsANeighbourVisible)
{
    PresetNameDisplay p;
    p.display.setText (thirtyCharacters);
    p.display.beginEditing();

    p.type (juce::KeyPress (juce::KeyPress::homeKey));
    EXPECT_EQ (p.display.getCaretIndex(), 0);
    EXPECT_EQ (p.display.getScrollOffset(), 0);

    p.type (juce::KeyPress (juce::KeyPress::leftKey));
    EXPECT_EQ (p.display.getCaretIndex(), 0) << "clamped at the start";

    for (int i = 0; i < 20; ++i)
        p.type (juce::KeyPress (juce::KeyPress::rightKey));
    EXPECT_EQ (p.display.getCaretIndex(), 20);
    EXPECT_EQ (p.display.getScrollOffset(), 1) << "the character after the caret stays visible";

    p.type (juce::KeyPress (juce::KeyPress::endKey));
    EXPECT_EQ (p.display.getCaretIndex(), 30);
    EXPECT_EQ (p.display.getScrollOffset(), 10);

    p.type (juce::KeyPress (juce::KeyPress::rightKey));
    EXPECT_EQ (p.display.getCaretIndex(), 30) << "clamped at the end";

    for (int i = 0; i < 20; ++i)
        p.type (juce::KeyPress (juce::KeyPress::leftKey));
    EXPECT_EQ (p.display.getCaretIndex(), 10);
    EXPECT_EQ (p.display.getScrollOffset(), 9) << "one character stays visible left of the caret";

    p.type (juce::KeyPress (juce::KeyPress::leftKey));
    EXPECT_EQ (p.display.getScrollOffset(), 8);
}

TEST (DisplayEditing, TypingBackspaceAndDeleteEditAtTheCaret)
{
    PresetNameDisplay p;
    p.display.setText ("Lead");
    p.display.beginEditing();

    p.type (' ');
    p.type ('2');
    EXPECT_EQ (p.display.getText(), "Lead 2");
    EXPECT_EQ (p.display.getShownText(), "Lead 2");
    EXPECT_EQ (p.display.getCaretIndex(), 6);

    p.type (juce::KeyPress (juce::KeyPress::backspaceKey));
    EXPECT_EQ (p.display.getText(), "Lead ");
    EXPECT_EQ (p.display.getCaretIndex(), 5);

    p.type (juce::KeyPress (juce::KeyPress::homeKey));
    p.type (juce::KeyPress (juce::KeyPress::deleteKey));
    EXPECT_EQ (p.display.getText(), "ead ");
    EXPECT_EQ (p.display.getCaretIndex(), 0);

    p.type (juce::KeyPress (juce::KeyPress::backspaceKey));
    EXPECT_EQ (p.display.getText(), "ead ") << "nothing before the caret";

    // Insertion does not look at the modifiers.
    p.display.keyPressed (juce::KeyPress ('L', juce::ModifierKeys::shiftModifier, 'L'));
    EXPECT_EQ (p.display.getText(), "Lead ");
    EXPECT_EQ (p.display.getCaretIndex(), 1);

    // Commands only count without modifiers.
    p.display.keyPressed (juce::KeyPress (juce::KeyPress::homeKey, juce::ModifierKeys::shiftModifier, 0));
    EXPECT_EQ (p.display.getCaretIndex(), 1);
    p.display.keyPressed (juce::KeyPress (juce::KeyPress::returnKey, juce::ModifierKeys::shiftModifier, 0));
    EXPECT_TRUE (p.display.isEditing());

    EXPECT_TRUE (p.display.keyPressed (juce::KeyPress (juce::KeyPress::F1Key))) << "every key is consumed";
}

TEST (DisplayEditing, KeysOutsideTheFontRangeInsertNothing)
{
    PresetNameDisplay p;
    p.display.setText ("Amp");
    p.display.beginEditing();

    p.type (juce::KeyPress (233, {}, 0xe9));      // é
    p.type (juce::KeyPress (31, {}, 31));
    p.type (juce::KeyPress (128, {}, 128));
    EXPECT_EQ (p.display.getText(), "Amp");

    p.type ('~');
    EXPECT_EQ (p.display.getText(), "Amp~");
}

//==============================================================================
// Commit rules.

TEST (DisplayEditing, ReturnWithAChangedTextNotifiesOnce)
{
    PresetNameDisplay p;
    std::vector<std::string> order;

    struct Ordered : GFXDisplayListener
    {
        Ordered (std::vector<std::string>& o, std::string n) : out (o), name (std::move (n)) {}
        void displayTextCommitted (GFXDisplay*) override { out.push_back (name); }
        std::vector<std::string>& out;
        std::string name;
    } a (order, "a"), b (order, "b");

    p.display.addDisplayListener (&a);
    p.display.addDisplayListener (&b);

    p.display.setText ("Crunch");
    p.display.beginEditing();
    p.type ('!');
    p.type (juce::KeyPress (juce::KeyPress::returnKey));

    EXPECT_FALSE (p.display.isEditing());
    EXPECT_EQ (p.display.getText(), "Crunch!");
    ASSERT_EQ (p.listener.commits.size(), 1u);
    EXPECT_EQ (p.listener.commits[0], "Crunch!");
    EXPECT_EQ (order, (std::vector<std::string> { "b", "a" })) << "last registered first";
    EXPECT_EQ (p.display.getCaretIndex(), 0);
    EXPECT_EQ (p.display.getScrollOffset(), 0);

    // A second commit without a new edit does nothing.
    p.display.commit();
    p.display.focusLost (juce::Component::focusChangedDirectly);
    EXPECT_EQ (p.listener.commits.size(), 1u);
}

TEST (DisplayEditing, ReturnWithAnUnchangedTextDoesNotNotify)
{
    PresetNameDisplay p;
    p.display.setText ("Crunch");
    p.display.beginEditing();
    p.type ('x');
    p.type (juce::KeyPress (juce::KeyPress::backspaceKey));
    p.type (juce::KeyPress (juce::KeyPress::returnKey));

    EXPECT_FALSE (p.display.isEditing());
    EXPECT_TRUE (p.listener.commits.empty());
}

TEST (DisplayEditing, EscapeRestoresTheOldTextAndDoesNotNotify)
{
    PresetNameDisplay p;
    p.display.setText ("Crunch");
    p.display.beginEditing();
    p.type (juce::KeyPress (juce::KeyPress::backspaceKey));
    p.type ('x');
    EXPECT_EQ (p.display.getText(), "Cruncx");

    p.type (juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_FALSE (p.display.isEditing());
    EXPECT_EQ (p.display.getText(), "Crunch");
    EXPECT_EQ (p.display.getShownText(), "Crunch");
    EXPECT_TRUE (p.listener.commits.empty());
}

TEST (DisplayEditing, FocusLossCommitsLikeReturn)
{
    PresetNameDisplay p;
    p.display.setText ("Clean");
    p.display.focusGained (juce::Component::focusChangedByMouseClick);
    ASSERT_TRUE (p.display.isEditing());
    p.type ('!');
    p.display.focusLost (juce::Component::focusChangedByMouseClick);

    EXPECT_FALSE (p.display.isEditing());
    ASSERT_EQ (p.listener.commits.size(), 1u);
    EXPECT_EQ (p.listener.commits[0], "Clean!");
}

TEST (DisplayEditing, AReadOnlyDisplayNeverEditsOrCommits)
{
    Fixture fixture;
    PresetNameDisplay p;
    auto element = parse (R"(<Display name="Info" readonly="yes"><size width="153" height="13"/></Display>)");
    p.display.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);
    EXPECT_FALSE (p.display.isEnabled());

    p.display.focusGained (juce::Component::focusChangedByMouseClick);
    EXPECT_FALSE (p.display.isEditing());
    p.display.focusLost (juce::Component::focusChangedByMouseClick);
    EXPECT_TRUE (p.listener.commits.empty());

    for (auto value : { "Yes", "no", "true", "" })
    {
        GFXDisplay other ("Other");
        auto e = parse (juce::String ("<Display readonly=\"") + value + "\"/>");
        other.loadFromXml (*e, fixture.parameters, fixture.events, nullptr);
        EXPECT_TRUE (other.isEnabled()) << value;
    }
}

//==============================================================================
// Loading and parameter.

TEST (DisplayLoading, ReadsAttributesAndAppliesChildrenInDocumentOrder)
{
    Fixture fixture;
    GFXDisplay display ("PresetNameDisplay");
    auto element = parse (R"(<Display name="PresetNameDisplay" caretColour="FFBEF6FF" backgroundColour="FF232224">
                               <size width="153" height="13"/>
                               <pos left="130" top="28"/>
                               <gfx resource="NoSuchFont.png" fontHeight="9" firstASCII="!?"/>
                               <size width="40" height="10"/>
                             </Display>)");
    display.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);

    EXPECT_EQ (display.getText(), "PresetNameDisplay") << "it shows its own name until told otherwise";
    EXPECT_EQ (display.getCaretColour(), juce::Colour (0xffbef6ff));
    EXPECT_EQ (display.getBackgroundColour(), juce::Colour (0xff232224));
    EXPECT_TRUE (display.isEnabled());
    EXPECT_EQ (display.getBounds(), juce::Rectangle<int> (130, 28, 40, 10)) << "the later size wins";
    EXPECT_EQ (display.getFontHeight(), 9);
    EXPECT_EQ (display.getFirstCharacter(), '!');
    EXPECT_FALSE (display.getFontImage().isValid());

    GFXDisplay bare ("Bare");
    auto empty = parse (R"(<Display><gfx/></Display>)");
    bare.loadFromXml (*empty, fixture.parameters, fixture.events, nullptr);
    EXPECT_EQ (bare.getFontHeight(), 0);
    EXPECT_EQ (bare.getFirstCharacter(), ' ');
    EXPECT_EQ (bare.getBackgroundColour(), juce::Colour (0x00000000));
    EXPECT_EQ (bare.getText(), "");
}

TEST (DisplayLoading, ShowsItsParameterTextAfterTheAsyncNotification)
{
    Fixture fixture;
    auto* name = fixture.addString (110001, "Current Preset Name", "Init");
    GFXDisplay display ("PresetNameDisplay");
    auto element = parse (R"(<Display name="PresetNameDisplay"><links><link as="connectedTo" param="Current Preset Name"/></links></Display>)");
    display.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);
    RecordingParameterListener host;
    name->addListener (&host);

    name->setText ("Warm Lead", true);
    EXPECT_EQ (display.getText(), "PresetNameDisplay");
    pump();
    EXPECT_EQ (display.getText(), "Warm Lead");
    EXPECT_EQ (host.count ("changed"), 1);
}

TEST (DisplayFloat, ASpaceKeepsTheDecimalPointFromEndingTheVisiblePart)
{
    EXPECT_EQ (GFXDisplayFloat::formatValue (12.5f, 3), " 12.5");
    EXPECT_EQ (GFXDisplayFloat::formatValue (12.5f, 4), "12.5");
    EXPECT_EQ (GFXDisplayFloat::formatValue (1.25f, 3), "1.25");
    EXPECT_EQ (GFXDisplayFloat::formatValue (1.5f, 2), " 1.5");
    EXPECT_EQ (GFXDisplayFloat::formatValue (100.0f, 3), "100");
    EXPECT_EQ (GFXDisplayFloat::formatValue (0.1f, 8), "0.100000001");

    Fixture fixture;
    auto* frequency = fixture.addRange (7, "Frequency", 0.0f, 100.0f, 0.0f);
    GFXDisplayFloat display ("FrequencyDisplay");
    auto element = parse (R"(<DisplayFloat name="FrequencyDisplay"><links><link as="connectedTo" param="Frequency"/></links>
                               <size width="21" height="9"/></DisplayFloat>)");
    display.loadFromXml (*element, fixture.parameters, fixture.events, nullptr);
    display.setFontImage (testFont(), 9, ' ');
    ASSERT_EQ (display.getNumCells(), 3);

    frequency->setValue (12.5f, true);
    pump();
    EXPECT_EQ (display.getText(), " 12.5");

    juce::String visible;
    for (const auto& cell : display.getVisibleCells())
        visible << juce::String::charToString ((juce::juce_wchar) cell.glyph);
    EXPECT_EQ (visible, " 12");
}

TEST (DisplayBlinking, BlinkingHidesTheShownTextInItsOffPhase)
{
    PresetNameDisplay p;
    p.display.setText ("Lead");
    p.display.startBlinking (15);

    bool hidden = false;
    for (int i = 0; i < 30 && ! hidden; ++i)
    {
        pump (10);
        hidden = p.display.isBlinkHidden();
    }

    ASSERT_TRUE (hidden);
    EXPECT_EQ (p.display.getShownText(), "");
    EXPECT_EQ (p.display.getText(), "Lead");
    p.display.stopBlinking();
    EXPECT_EQ (p.display.getShownText(), "Lead");
}
