#pragma once

#include "skin/SkinImage.h"
#include "skin/GUIController.h"

class GFXDisplay;

/** Told when the user commits an edited display text that differs from the
    text the display had when editing began. */
class GFXDisplayListener
{
public:
    virtual ~GFXDisplayListener() = default;

    virtual void displayTextCommitted (GFXDisplay* display) = 0;
};

/**
    One line of text drawn with a bitmap font, editable in place.

    The font image is a vertical strip of glyph cells, each image width x font
    height pixels: first the glyphs of the characters first … last in order,
    then the same glyphs inverted, which mark the cell under the caret.
    Characters are cut to their low byte and read as signed 8-bit values
    before they are clamped to the font's range, so Latin-1 letters such as é
    (233, which reads as -23) show as the first glyph, the space.

    A click gives the display the keyboard focus and starts editing: the caret
    goes to the end of the text and blinks every 500 ms. Return commits,
    Escape restores the text the edit began with and commits, and losing the
    focus commits. Listeners hear of a commit only when the text changed.

    The display edits where it is, inside its parent: it takes the keyboard
    focus of the editor's window rather than moving into a window of its own.
    So that a click anywhere else ends the edit as leaving such a window
    would, the display watches mouse presses while it edits and commits on
    one outside itself. It wants the keyboard focus only while it edits, so
    that activating the editor's window never starts an edit by itself (JUCE
    hands a window's focus to its first focusable child) and keystrokes reach
    the host until the user clicks the display.
*/
class GFXDisplay : public GUIController,
                   public juce::Component,
                   private juce::Timer
{
public:
    /** Where one visible cell is drawn and which cell of the font image it shows. */
    struct Cell
    {
        int x = 0, y = 0;        ///< top-left corner in the display
        int textIndex = 0;       ///< index of the character in the shown text (may be outside it)
        int glyph = 0;           ///< character code after clamping to the font's range
        int sourceRow = 0;       ///< top row of the glyph cell in the font image
        bool inverted = false;   ///< the caret's cell, drawn from the inverted half
    };

    explicit GFXDisplay (const juce::String& controlName = {});
    ~GFXDisplay() override;

    /** Links and actions; the text := the element's name; caretColour,
        backgroundColour and readonly; then the gfx, pos and size children in
        document order, each applied as it comes. */
    void loadFromXml (const juce::XmlElement& element,
                      ParameterManager& parameterSet,
                      const EventsMap& eventMap,
                      juce::Component* editor) override;

    /** Sets the text and the shown text; repaints. */
    virtual void setText (const juce::String& newText);
    const juce::String& getText() const noexcept        { return text; }
    /** What is painted: the text, or nothing while blinking hides it. */
    const juce::String& getShownText() const noexcept   { return shownText; }

    /** setText with the parameter's display text. */
    void parameterValueChanged (Parameter* parameter) override;

    void addDisplayListener (GFXDisplayListener* listener);
    void removeDisplayListener (GFXDisplayListener* listener);

    //==============================================================================
    /** Uses the image as bitmap font with the given cell height and first
        character, and recomputes the glyph width and the last character. */
    void setFontImage (const SkinImage& image, int newFontHeight, int newFirstCharacter);

    const SkinImage& getFontImage() const noexcept      { return fontImage; }
    int getGlyphWidth() const noexcept                  { return glyphWidth; }
    int getFontHeight() const noexcept                  { return fontHeight; }
    int getFirstCharacter() const noexcept              { return firstCharacter; }
    int getLastCharacter() const noexcept               { return lastCharacter; }
    int getGlyphCount() const noexcept                  { return glyphCount; }

    /** Number of whole glyph cells across the display (0 without glyph width). */
    int getNumCells() const;
    /** The cells painting draws, in order; empty without a usable font image. */
    juce::Array<Cell> getVisibleCells() const;

    juce::Colour getCaretColour() const noexcept        { return caretColour; }
    void setCaretColour (juce::Colour colour)           { caretColour = colour; }
    juce::Colour getBackgroundColour() const noexcept   { return backgroundColour; }
    void setBackgroundColour (juce::Colour colour);

    /** An uneditable display draws no inverted caret cell. */
    void setEditable (bool shouldBeEditable);
    bool isEditable() const noexcept                    { return editable; }

    int getCaretIndex() const noexcept                  { return caretIndex; }
    int getScrollOffset() const noexcept                { return scrollOffset; }
    bool isCaretShown() const noexcept                  { return caretShown; }
    /** True from focus gain until the commit. */
    bool isEditing() const noexcept                     { return editing; }
    const juce::String& getTextAtFocusGain() const noexcept { return textAtFocusGain; }

    //==============================================================================
    /** What a click on an enabled display does: takes the keyboard focus,
        which starts editing. Nothing while disabled or already editing. */
    void startEditing();

    /** The editing state a focus gain sets up: caret at the end, text
        remembered, caret blinking. */
    void beginEditing();
    /** Ends editing: caret and scroll back to 0, caret timer stopped, and the
        listeners told (last registered first) when the text changed. */
    void commit();

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& event) override;
    void focusGained (FocusChangeType cause) override;
    void focusLost (FocusChangeType cause) override;
    bool keyPressed (const juce::KeyPress& key) override;
    void blinkStateChanged() override;

private:
    class OutsideClickWatcher;

    void timerCallback() override;
    void recomputeFontMetrics();
    void scrollToCaret();
    void afterKey();
    void readFontElement (const juce::XmlElement& gfx);

    SkinImage fontImage;
    int glyphWidth = 8;
    int fontHeight = 0;
    int firstCharacter = 32;
    int lastCharacter = 160;
    int glyphCount = 0;
    bool caretShown = false;
    int caretIndex = 0;
    int scrollOffset = 0;
    juce::Array<GFXDisplayListener*> displayListeners;
    juce::String shownText;
    juce::String textAtFocusGain;
    bool editable = true;
    bool editing = false;
    juce::String text;
    juce::Colour caretColour, backgroundColour;
    std::unique_ptr<OutsideClickWatcher> outsideClickWatcher;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXDisplay)
};
