#pragma once

#include "skin/BaseGFXController.h"

class GFXToggleButtonDragGroup;

/**
    A skin on/off toggle that follows and sets a bool parameter.

    Clicking toggles the state (a toggle in a radio group only turns on) and
    writes it to the linked parameter; a change of the parameter from
    elsewhere flips the toggle without writing it back. Toggles with the same
    non-zero radio group id under the same parent turn each other off; the one
    turned off leaves its own parameter alone. Toggles sharing a drag-group
    name can be set together by dragging across them (GFXToggleButtonDragGroup).

    Film strip: "2D" has two frames (off, on), "3D" four (off, off pressed, on,
    on pressed). An off toggle always shows frame 0, pressed or not, and so
    does a disabled one; an on toggle shows frame 1 ("2D"), or frame 2 and
    frame 3 while the mouse is over it and down ("3D").
*/
class GFXToggleButton : public BaseGFXController,
                        public juce::Button
{
public:
    enum Style : int { style2D = 0, style3D = 1 };

    explicit GFXToggleButton (const juce::String& name = {});
    ~GFXToggleButton() override;

    using BaseGFXController::addListener;
    using BaseGFXController::removeListener;
    using juce::Button::addListener;
    using juce::Button::removeListener;

    /** Links and actions, pos, size; then, under the element name
        ToggleButton: style ("2D" / "3D"), the gfx image cut into 2 or 4
        frames (framesNum is not used), clickEvent, radioGroupId and
        dragGroup. */
    void loadFromXml (const juce::XmlElement& element,
                      ParameterManager& parameterSet,
                      const EventsMap& eventMap,
                      juce::Component* editor) override;

    /** Shows the parameter's on/off value without notification. */
    void parameterValueChanged (Parameter* parameter) override;

    void sizeChanged() override;
    void positionChanged() override;
    void blinkStateChanged() override;

    int getStyle() const noexcept                  { return style; }
    /** The style; the film-strip frame count follows it when an image is set. */
    void setStyle (int newStyle);
    static int frameCountForStyle (int style) noexcept { return style == style3D ? 4 : 2; }

    /** Joins the named drag group (leaving a previous one). */
    void setDragGroup (const juce::String& groupName);
    const juce::String& getDragGroupName() const noexcept { return dragGroupName; }
    bool isInDragGroup() const noexcept            { return dragGroup != nullptr; }

    /** The film-strip frame shown now, for the given mouse state. */
    int frameFor (bool isMouseOver, bool isMouseDown) const;

    //==============================================================================
    void mouseDown (const juce::MouseEvent& event) override;
    void mouseDrag (const juce::MouseEvent& event) override;

protected:
    using juce::Button::clicked;
    void clicked (const juce::ModifierKeys& modifiers) override;
    void paintButton (juce::Graphics& g, bool isMouseOver, bool isMouseDown) override;
    void paintFallback (juce::Graphics& g);

private:
    int style = style2D;
    GFXToggleButtonDragGroup* dragGroup = nullptr;
    juce::String dragGroupName;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXToggleButton)
};
