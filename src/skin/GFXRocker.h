#pragma once

#include "skin/BaseGFXController.h"

/**
    A two-way rocker that fires a "less" or a "more" event once per press.

    A vertical rocker means more when pressed in its upper half, a horizontal
    one when pressed in its right half; otherwise less. With Ctrl held the
    Ctrl variant of the event fires. The rocker returns to rest on release.

    Film strip of three frames: 0 less, 1 rest, 2 more. While the press lasts
    the pressed frame is shown as long as the pointer stays on the rocker, the
    rest frame once it is dragged off.
*/
class GFXRocker : public BaseGFXController,
                  public juce::Component
{
public:
    enum Orientation : int { vertical = 0, horizontal = 1 };
    enum Position : int { lessPosition = 0, restPosition = 1, morePosition = 2 };
    static constexpr int noEvent = -1;

    explicit GFXRocker (const juce::String& name = {});
    ~GFXRocker() override;

    /** "onLessClick", "onMoreClick", "onLessClickWithCtrl", "onMoreClickWithCtrl". */
    void addAction (const juce::String& type, int eventId, const juce::String& eventName) override;

    /** The film-strip reading; then, under the element name Rocker, type
        ("vertical" / "horizontal", exact); then place and size to one frame. */
    void loadFromXml (const juce::XmlElement& element,
                      ParameterManager& parameterSet,
                      const EventsMap& eventMap,
                      juce::Component* editor) override;

    int getOrientation() const noexcept        { return orientation; }
    void setOrientation (int newOrientation);
    int getPosition() const noexcept           { return position; }
    bool isPressedInside() const noexcept      { return pressedInside; }

    int getEventId (bool more, bool withCtrl) const noexcept;

    /** The film-strip frame shown now. */
    int getFrameToShow() const noexcept        { return pressedInside ? position : (int) restPosition; }

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& event) override;
    void mouseDrag (const juce::MouseEvent& event) override;
    void mouseUp (const juce::MouseEvent& event) override;

private:
    void paintFallback (juce::Graphics& g);

    int orientation = vertical;
    int lessEventId = noEvent;
    int moreEventId = noEvent;
    int lessCtrlEventId = noEvent;
    int moreCtrlEventId = noEvent;
    int position = restPosition;
    bool pressedInside = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXRocker)
};
