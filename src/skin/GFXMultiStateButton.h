#pragma once

#include "skin/BaseGFXController.h"

/**
    A skin button showing one of several states, which fires events like
    GFXButton (click and Ctrl-click). A click does not change the state: the
    linked parameter or the editor sets it (the MIDI-learn button).

    Film strip: "2D" has one frame per state, "3D" two per state (the second
    one shown while the mouse is over the button and down).
*/
class GFXMultiStateButton : public BaseGFXController,
                            public juce::Button,
                            private juce::Timer
{
public:
    enum Style : int { style2D = 0, style3D = 1 };
    static constexpr int noEvent = -1;

    explicit GFXMultiStateButton (const juce::String& name = {});
    ~GFXMultiStateButton() override;

    using BaseGFXController::addListener;
    using BaseGFXController::removeListener;
    using juce::Button::addListener;
    using juce::Button::removeListener;

    /** "onClick" and "onClickWithCtrl", as for GFXButton. */
    void addAction (const juce::String& type, int eventId, const juce::String& eventName) override;

    /** Links and actions, pos, size; then, under the element name
        MultiStateButton: style, states (taken when above 1), the gfx image
        cut into states ("2D") or 2 x states ("3D") frames, clickEvent and
        radioGroupId. */
    void loadFromXml (const juce::XmlElement& element,
                      ParameterManager& parameterSet,
                      const EventsMap& eventMap,
                      juce::Component* editor) override;

    /** state := floor ((states - 1) x normalised value + 0.5). */
    void parameterValueChanged (Parameter* parameter) override;

    void sizeChanged() override;
    void positionChanged() override;
    void blinkStateChanged() override;

    int getStateIndex() const noexcept         { return stateIndex; }
    /** Sets the state (clamped to the states there are); repaints when it changed. */
    void setStateIndex (int newState);

    int getNumStates() const noexcept          { return numStates; }
    /** Values below 2 leave the number alone. */
    void setNumStates (int newNumStates);

    int getStyle() const noexcept              { return style; }
    void setStyle (int newStyle);
    int frameCountForStyle() const noexcept    { return style == style3D ? 2 * numStates : numStates; }

    int getClickEventId() const noexcept       { return clickEventId; }
    int getCtrlClickEventId() const noexcept   { return ctrlClickEventId; }

    /** The film-strip frame shown now, for the given mouse state. */
    int frameFor (bool isMouseOver, bool isMouseDown) const;

protected:
    using juce::Button::clicked;
    void clicked (const juce::ModifierKeys& modifiers) override;
    void paintButton (juce::Graphics& g, bool isMouseOver, bool isMouseDown) override;
    void paintFallback (juce::Graphics& g, bool isMouseOver, bool isMouseDown);

private:
    /** Nothing starts the timer in this product. */
    void timerCallback() override {}

    int style = style2D;
    int stateIndex = 0;
    int numStates = 2;
    int clickEventId = noEvent;
    int ctrlClickEventId = noEvent;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXMultiStateButton)
};
