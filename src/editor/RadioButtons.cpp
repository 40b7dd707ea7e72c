#include "editor/RadioButtons.h"

namespace
{
    const juce::Colour frameColour (0xff7c7c7c);
    const juce::Colour titleBoxColour (0xffc5c5c5);
}

RadioButtons::RadioButtons (const juce::String& titleText, const juce::StringArray& optionTexts)
    : juce::Component ("RadioButtons"), title (titleText), options (optionTexts)
{
    for (int i = 0; i < options.size(); ++i)
    {
        auto* button = buttons.add (new ImageToggleButton ("RadioButton" + juce::String (i)));
        button->addListener (this);
        addAndMakeVisible (button);
    }

    lookAndFeelChanged();
}

RadioButtons::~RadioButtons()
{
    for (auto* button : buttons)
        button->removeListener (this);
}

void RadioButtons::addListener (Listener* listener)     { listeners.add (listener); }
void RadioButtons::removeListener (Listener* listener)  { listeners.remove (listener); }

void RadioButtons::setSelectedIndex (int index, bool notify)
{
    selectedIndex = juce::isPositiveAndBelow (index, options.size()) ? index : -1;

    for (int i = 0; i < buttons.size(); ++i)
        buttons.getUnchecked (i)->setToggleState (i == selectedIndex, juce::dontSendNotification);

    if (notify)
        sendChange();

    selectionChanged();
}

void RadioButtons::sendChange()
{
    listeners.call ([this] (Listener& l) { l.radioButtonsChanged (this); });
}

void RadioButtons::buttonClicked (juce::Button* button)
{
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons.getUnchecked (i) == button)
            setSelectedIndex (i, true);
}

void RadioButtons::lookAndFeelChanged()
{
    look = DefaultLookAndFeel::getRadioButtonsLookOf (getLookAndFeel());

    for (auto* button : buttons)
        button->setImages (look.off, look.on);

    updateSize();
    resized();
}

int RadioButtons::titleFontHeight() const       { return (int) std::ceil (look.titleFont.getHeight()); }

int RadioButtons::widestButtonWidth() const
{
    int widest = 0;
    for (auto* button : buttons)
        widest = juce::jmax (widest, button->getWidth());
    return widest;
}

int RadioButtons::tallestButtonHeight() const
{
    int tallest = 0;
    for (auto* button : buttons)
        tallest = juce::jmax (tallest, button->getHeight());
    return tallest;
}

int RadioButtons::getWidestOptionWidth() const
{
    int widest = 0;
    for (auto& option : options)
        widest = juce::jmax (widest, look.optionFont.getStringWidth (option));
    return widest;
}

int RadioButtons::getTextX() const
{
    return widestButtonWidth() + look.buttonMargin + look.gapAfterButtons + 1;
}

int RadioButtons::getRowY (int row) const
{
    return look.rowHeight * row + titleFontHeight() + look.topMargin;
}

void RadioButtons::updateSize()
{
    const auto height = options.size() * look.rowHeight + 2 * look.topMargin + titleFontHeight();
    const auto minimumWidth = juce::jmax (look.titleFont.getStringWidth (title) + 2 * look.titleIndent,
                                          getWidestOptionWidth() + 2 * look.buttonMargin + look.gapAfterButtons
                                              + widestButtonWidth() + 2);
    // A width the owner gave is kept when it is larger; one this group chose
    // itself follows its texts.
    const bool givenByOwner = getWidth() != automaticWidth;
    const auto width = givenByOwner ? juce::jmax (getWidth(), minimumWidth) : minimumWidth;

    if (width == minimumWidth)
        automaticWidth = width;

    setSize (width, height);
}

void RadioButtons::resized()
{
    const auto buttonX = look.buttonMargin + 1;
    const auto centring = (look.rowHeight - tallestButtonHeight()) / 2;

    for (int j = 0; j < buttons.size(); ++j)
        buttons.getUnchecked (j)->setTopLeftPosition (buttonX, getRowY (j) + centring);
}

void RadioButtons::paint (juce::Graphics& g)
{
    const auto titleHeight = (float) titleFontHeight();
    const auto frame = juce::Rectangle<float> (0.5f, titleHeight * 0.5f, (float) getWidth() - 1.0f,
                                               (float) getHeight() - titleHeight * 0.5f - 0.5f);
    g.setColour (frameColour.withMultipliedAlpha (isEnabled() ? 1.0f : 0.5f));
    g.drawRoundedRectangle (frame, look.frameCornerRadius, 1.0f);

    const auto titleBox = juce::Rectangle<int> (look.titleIndent - look.titleTextSpace, 0,
                                                look.titleFont.getStringWidth (title) + 2 * look.titleTextSpace,
                                                titleFontHeight());
    g.setColour (titleBoxColour);
    g.fillRect (titleBox);
    g.setColour (juce::Colours::black);
    g.setFont (look.titleFont);
    g.drawText (title, titleBox.withTrimmedLeft (look.titleTextSpace), juce::Justification::centredLeft, false);

    g.setFont (look.optionFont);

    for (int j = 0; j < options.size(); ++j)
        g.drawText (options[j], juce::Rectangle<int> (getTextX(), getRowY (j), getWidth() - getTextX(), look.rowHeight),
                    juce::Justification::centredLeft, false);
}
