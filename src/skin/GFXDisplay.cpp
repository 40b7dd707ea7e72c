#include "skin/GFXDisplay.h"

#include "plugin/EmbeddedResources.h"
#include "plugin/XmlNames.h"

namespace
{
    /** A character code cut to its low byte and read as a signed 8-bit number. */
    int asSignedByte (int code)
    {
        return (int) (juce::int8) (juce::uint8) (code & 0xff);
    }

    constexpr int caretBlinkMs = 500;
    constexpr int idleCaretMs = 250;
}

/*  Hears every mouse press on the desktop while the display edits and
    commits the edit on a press outside the display. */
class GFXDisplay::OutsideClickWatcher : public juce::MouseListener
{
public:
    explicit OutsideClickWatcher (GFXDisplay& ownerToUse) : owner (ownerToUse)
    {
        juce::Desktop::getInstance().addGlobalMouseListener (this);
    }

    ~OutsideClickWatcher() override
    {
        juce::Desktop::getInstance().removeGlobalMouseListener (this);
    }

    void mouseDown (const juce::MouseEvent& event) override
    {
        auto* target = event.eventComponent;

        if (target == &owner || owner.isParentOf (target))
            return;

        // The press may be on its way to another component; commit once the
        // current event is done.
        juce::Component::SafePointer<GFXDisplay> display (&owner);
        juce::MessageManager::callAsync ([display]
        {
            if (display != nullptr)
                display->commit();
        });
    }

private:
    GFXDisplay& owner;
};

GFXDisplay::GFXDisplay (const juce::String& controlName)
    : juce::Component (controlName)
{
    setOpaque (true);
    setWantsKeyboardFocus (false);
    startTimer (idleCaretMs);
}

GFXDisplay::~GFXDisplay()
{
    outsideClickWatcher.reset();
    stopTimer();
}

void GFXDisplay::loadFromXml (const juce::XmlElement& element,
                              ParameterManager& parameterSet,
                              const EventsMap& eventMap,
                              juce::Component* editor)
{
    GUIController::loadFromXml (element, parameterSet, eventMap, editor);

    // A display shows its own name until its parameter first tells it otherwise.
    setText (SkinXml::readString (element, "name"));
    caretColour = SkinXml::readColour (element, "caretColour");
    backgroundColour = SkinXml::readColour (element, "backgroundColour");
    setEnabled (SkinXml::readString (element, "readonly") != "yes");

    for (auto* child : element.getChildIterator())
    {
        if (XmlNames::hasTag (*child, "gfx"))
            readFontElement (*child);
        else if (XmlNames::hasTag (*child, "pos"))
            setTopLeftPosition (SkinXml::readInt (*child, "left"), SkinXml::readInt (*child, "top"));
        else if (XmlNames::hasTag (*child, "size"))
            setSize (SkinXml::readInt (*child, "width"), SkinXml::readInt (*child, "height"));
    }

    recomputeFontMetrics();
    repaint();
}

void GFXDisplay::readFontElement (const juce::XmlElement& gfx)
{
    fontImage = SkinImage::loadResource (SkinXml::readString (gfx, "resource"));
    recomputeFontMetrics();

    fontHeight = SkinXml::readInt (gfx, "fontHeight", 0);
    firstCharacter = (int) SkinXml::readString (gfx, "firstASCII", " ")[0];
}

void GFXDisplay::setFontImage (const SkinImage& image, int newFontHeight, int newFirstCharacter)
{
    fontImage = image;
    fontHeight = newFontHeight;
    firstCharacter = newFirstCharacter;
    recomputeFontMetrics();
    repaint();
}

void GFXDisplay::recomputeFontMetrics()
{
    if (! fontImage.isValid())
        return;

    glyphWidth = fontImage.getWidth();

    // The image holds every glyph twice: normal, then inverted.
    if (fontHeight < 1)
        lastCharacter = firstCharacter;
    else
        lastCharacter = firstCharacter + fontImage.getHeight() / (2 * fontHeight) - 1;

    glyphCount = lastCharacter - firstCharacter + 1;
}

void GFXDisplay::setText (const juce::String& newText)
{
    text = newText;
    shownText = newText;
    repaint();
}

void GFXDisplay::parameterValueChanged (Parameter* parameter)
{
    if (parameter != nullptr)
        setText (parameter->getText());
}

void GFXDisplay::addDisplayListener (GFXDisplayListener* listener)
{
    if (listener != nullptr)
        displayListeners.add (listener);
}

void GFXDisplay::removeDisplayListener (GFXDisplayListener* listener)
{
    displayListeners.removeAllInstancesOf (listener);
}

void GFXDisplay::setBackgroundColour (juce::Colour colour)
{
    backgroundColour = colour;
    repaint();
}

void GFXDisplay::setEditable (bool shouldBeEditable)
{
    editable = shouldBeEditable;
    repaint();
}

//==============================================================================
int GFXDisplay::getNumCells() const
{
    return glyphWidth > 0 ? getWidth() / glyphWidth : 0;
}

juce::Array<GFXDisplay::Cell> GFXDisplay::getVisibleCells() const
{
    juce::Array<Cell> cells;

    if (! fontImage.isValid() || glyphWidth <= 0 || fontHeight <= 0)
        return cells;

    const auto y = (getHeight() - fontHeight) / 2;
    const auto numCells = getWidth() / glyphWidth;
    const auto x0 = (getWidth() % glyphWidth) / 2;
    const auto caretCell = (hasKeyboardFocus (false) && caretShown) ? caretIndex : -1;

    // The font's range is read the way the characters are: as signed bytes.
    const auto first = asSignedByte (firstCharacter);
    const auto last = asSignedByte (lastCharacter);

    auto i = scrollOffset;

    for (int k = 0; k < numCells; ++k, ++i)
    {
        const auto code = (i >= 0 && i < shownText.length()) ? (int) shownText[i] : (int) ' ';
        auto ch = asSignedByte (code);

        if (ch < first)
            ch = first;
        else if (ch > last)
            ch = last;

        Cell cell;
        cell.x = x0 + k * glyphWidth;
        cell.y = y;
        cell.textIndex = i;
        cell.glyph = ch;
        cell.inverted = (i == caretCell) && editable;
        cell.sourceRow = (ch - first) * fontHeight + (cell.inverted ? glyphCount * fontHeight : 0);
        cells.add (cell);
    }

    return cells;
}

void GFXDisplay::paint (juce::Graphics& g)
{
    g.setColour (backgroundColour);
    g.fillRect (getLocalBounds());

    if (! fontImage.isValid())
    {
        g.setColour (juce::Colours::black);
        g.setFont (juce::Font());
        g.drawText (shownText, getLocalBounds(), juce::Justification::centredLeft, true);
        return;
    }

    for (const auto& cell : getVisibleCells())
        fontImage.draw (g, { cell.x, cell.y, glyphWidth, fontHeight }, { 0, cell.sourceRow, glyphWidth, fontHeight });
}

//==============================================================================
void GFXDisplay::scrollToCaret()
{
    const auto cells = getNumCells();

    // Keep the character after the caret visible when there is one...
    if (scrollOffset + cells - 1 < caretIndex + 1)
        scrollOffset = caretIndex - (cells - 1) + (caretIndex < text.length() ? 1 : 0);

    // ...and one character to the left of it.
    if (scrollOffset >= caretIndex)
        scrollOffset = caretIndex > 0 ? caretIndex - 1 : 0;
}

void GFXDisplay::startEditing()
{
    if (! isEnabled() || editing)
        return;

    setWantsKeyboardFocus (true);
    grabKeyboardFocus();

    if (! hasKeyboardFocus (false))
        setWantsKeyboardFocus (false);
}

void GFXDisplay::mouseDown (const juce::MouseEvent&)
{
    startEditing();
}

void GFXDisplay::beginEditing()
{
    scrollOffset = 0;
    caretIndex = text.length();
    scrollToCaret();
    startTimer (caretBlinkMs);
    textAtFocusGain = text;
    caretShown = true;
    editing = true;
    outsideClickWatcher = std::make_unique<OutsideClickWatcher> (*this);
    repaint();
}

void GFXDisplay::commit()
{
    if (! editing)
        return;

    editing = false;
    outsideClickWatcher.reset();
    setWantsKeyboardFocus (false);
    caretIndex = 0;
    scrollOffset = 0;
    caretShown = false;
    stopTimer();
    repaint();

    // The edit is over: the caret must stop blinking and further keys must
    // not edit again without a new click. The focus loss this causes finds
    // the edit already committed.
    if (hasKeyboardFocus (true))
        giveAwayKeyboardFocus();

    if (text == textAtFocusGain)
        return;

    const juce::Component::SafePointer<GFXDisplay> safeThis (this);

    for (int i = displayListeners.size(); --i >= 0;)
    {
        if (safeThis == nullptr)
            return;

        if (i < displayListeners.size())
            displayListeners.getUnchecked (i)->displayTextCommitted (this);
    }
}

void GFXDisplay::focusGained (FocusChangeType)
{
    if (! isEnabled() || editing)
        return;

    beginEditing();
}

void GFXDisplay::focusLost (FocusChangeType)
{
    commit();
}

bool GFXDisplay::keyPressed (const juce::KeyPress& key)
{
    const auto plain = key.getModifiers().withoutMouseButtons() == juce::ModifierKeys();
    const auto code = key.getKeyCode();
    auto handledCommand = plain;

    if (plain && code == juce::KeyPress::returnKey)
    {
        commit();
    }
    else if (plain && code == juce::KeyPress::escapeKey)
    {
        text = textAtFocusGain;
        shownText = text;
        commit();
    }
    else if (plain && code == juce::KeyPress::backspaceKey)
    {
        if (caretIndex > 0 && caretIndex <= text.length())
            text = text.substring (0, caretIndex - 1) + text.substring (caretIndex);

        --caretIndex;
    }
    else if (plain && code == juce::KeyPress::deleteKey)
    {
        if (caretIndex >= 0 && caretIndex < text.length())
            text = text.substring (0, caretIndex) + text.substring (caretIndex + 1);
    }
    else if (plain && code == juce::KeyPress::homeKey)
    {
        caretIndex = 0;
    }
    else if (plain && code == juce::KeyPress::endKey)
    {
        caretIndex = text.length();
    }
    else if (plain && code == juce::KeyPress::leftKey)
    {
        --caretIndex;
    }
    else if (plain && code == juce::KeyPress::rightKey)
    {
        ++caretIndex;
    }
    else
    {
        handledCommand = false;
    }

    if (! handledCommand && code >= firstCharacter && code <= lastCharacter)
    {
        const auto character = key.getTextCharacter();

        if (character != 0)
        {
            caretIndex = juce::jlimit (0, text.length(), caretIndex);
            text = text.substring (0, caretIndex) + juce::String::charToString (character) + text.substring (caretIndex);
            ++caretIndex;
        }
    }

    afterKey();
    return true;
}

void GFXDisplay::afterKey()
{
    caretIndex = juce::jlimit (0, text.length(), caretIndex);
    scrollToCaret();

    if (editing)
        startTimer (caretBlinkMs);

    caretShown = true;
    shownText = isBlinkHidden() ? juce::String() : text;
    repaint();
}

void GFXDisplay::timerCallback()
{
    if (! hasKeyboardFocus (true))
        return;

    caretShown = ! caretShown;
    repaint();
}

void GFXDisplay::blinkStateChanged()
{
    shownText = isBlinkHidden() ? juce::String() : text;
    repaint();
}
