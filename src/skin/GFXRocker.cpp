#include "skin/GFXRocker.h"

#include "plugin/XmlNames.h"

GFXRocker::GFXRocker (const juce::String& name)
    : juce::Component (name)
{
}

GFXRocker::~GFXRocker() = default;

void GFXRocker::addAction (const juce::String& type, int eventId, const juce::String&)
{
    if (type == "onLessClick")
        lessEventId = eventId;
    else if (type == "onMoreClick")
        moreEventId = eventId;
    else if (type == "onLessClickWithCtrl")
        lessCtrlEventId = eventId;
    else if (type == "onMoreClickWithCtrl")
        moreCtrlEventId = eventId;
}

void GFXRocker::loadFromXml (const juce::XmlElement& element,
                             ParameterManager& parameterSet,
                             const EventsMap& eventMap,
                             juce::Component* editor)
{
    BaseGFXController::loadFromXml (element, parameterSet, eventMap, editor);

    if (XmlNames::hasTag (element, "Rocker"))
    {
        const auto type = SkinXml::readString (element, "type", "vertical");

        if (type == "vertical")
            orientation = vertical;
        else if (type == "horizontal")
            orientation = horizontal;
    }

    applyBoundsToComponent();
    repaint();
}

void GFXRocker::setOrientation (int newOrientation)
{
    orientation = newOrientation;
    repaint();
}

int GFXRocker::getEventId (bool more, bool withCtrl) const noexcept
{
    if (withCtrl)
        return more ? moreCtrlEventId : lessCtrlEventId;

    return more ? moreEventId : lessEventId;
}

void GFXRocker::mouseDown (const juce::MouseEvent& event)
{
    const auto more = (orientation == horizontal) ? (event.x > getWidth() / 2)
                                                  : (event.y < getHeight() / 2);

    position = more ? morePosition : lessPosition;
    pressedInside = true;
    repaint();

    const auto eventId = getEventId (more, event.mods.isCtrlDown());

    if (eventId != noEvent)
        fireEvent (eventId);
}

void GFXRocker::mouseDrag (const juce::MouseEvent& event)
{
    const auto inside = getLocalBounds().contains (event.getPosition());

    if (inside != pressedInside)
    {
        pressedInside = inside;
        repaint();
    }
}

void GFXRocker::mouseUp (const juce::MouseEvent&)
{
    position = restPosition;
    pressedInside = false;
    repaint();
}

void GFXRocker::paint (juce::Graphics& g)
{
    if (hasFilmStrip())
        drawFrame (g, getFrameToShow());
    else
        paintFallback (g);
}

void GFXRocker::paintFallback (juce::Graphics& g)
{
    const auto bounds = getLocalBounds();
    const auto shown = getFrameToShow();

    g.setColour (juce::Colour::greyLevel (0.9f));
    g.fillRect (bounds);

    // Each half ends 1 pixel short of the middle line.
    juce::Rectangle<int> moreHalf, lessHalf;

    if (orientation == horizontal)
    {
        const auto middle = bounds.getWidth() / 2;
        lessHalf = { 0, 0, juce::jmax (0, middle - 1), bounds.getHeight() };
        moreHalf = { middle + 1, 0, juce::jmax (0, bounds.getWidth() - middle - 1), bounds.getHeight() };
    }
    else
    {
        const auto middle = bounds.getHeight() / 2;
        moreHalf = { 0, 0, bounds.getWidth(), juce::jmax (0, middle - 1) };
        lessHalf = { 0, middle + 1, bounds.getWidth(), juce::jmax (0, bounds.getHeight() - middle - 1) };
    }

    g.setColour (juce::Colour::greyLevel (shown == morePosition ? 0.5f : 0.7f));
    g.fillRect (moreHalf);
    g.setColour (juce::Colour::greyLevel (shown == lessPosition ? 0.5f : 0.7f));
    g.fillRect (lessHalf);

    g.setColour (juce::Colours::black);
    g.drawRect (bounds, 1);
}
