#include "skin/GUIController.h"

#include "parameters/ParameterManager.h"
#include "plugin/EventsMap.h"
#include "plugin/XmlNames.h"

//==============================================================================
namespace SkinXml
{
    const juce::XmlElement* findChild (const juce::XmlElement& element, const char* tagName)
    {
        for (auto* child : element.getChildIterator())
            if (XmlNames::hasTag (*child, tagName))
                return child;

        return nullptr;
    }

    juce::String readString (const juce::XmlElement& element, const char* attributeName,
                             const juce::String& whenAbsent)
    {
        return XmlNames::attributeText (element, attributeName, whenAbsent);
    }

    int parseInt (const juce::String& text)
    {
        // Leading blanks, an optional sign, then digits; anything else ends the number.
        auto p = text.getCharPointer();

        while (p.isWhitespace())
            ++p;

        bool negative = false;

        if (*p == '-' || *p == '+')
        {
            negative = (*p == '-');
            ++p;
        }

        juce::int64 value = 0;

        while (p.isDigit())
        {
            value = value * 10 + (juce::int64) (*p - '0');

            if (value > (juce::int64) std::numeric_limits<int>::max() + 1)
                value = (juce::int64) std::numeric_limits<int>::max() + 1;

            ++p;
        }

        if (negative)
            value = -value;

        return (int) juce::jlimit ((juce::int64) std::numeric_limits<int>::min(),
                                   (juce::int64) std::numeric_limits<int>::max(), value);
    }

    juce::Colour parseColour (const juce::String& text)
    {
        // Every hexadecimal digit counts, everything else is skipped; the last
        // eight digits are the ARGB value.
        juce::uint32 argb = 0;

        for (auto p = text.getCharPointer(); ! p.isEmpty(); ++p)
        {
            const auto digit = juce::CharacterFunctions::getHexDigitValue (*p);

            if (digit >= 0)
                argb = (argb << 4) | (juce::uint32) digit;
        }

        return juce::Colour (argb);
    }

    bool parseBool (const juce::String& text)
    {
        const auto first = text.trimStart()[0];
        return first == '1' || first == 't' || first == 'T' || first == 'y' || first == 'Y';
    }

    int readInt (const juce::XmlElement& element, const char* attributeName, int whenAbsent)
    {
        if (auto value = XmlNames::findAttribute (element, attributeName))
            return juce::jlimit (-maxNumber, maxNumber, parseInt (*value));

        return whenAbsent;
    }

    juce::Colour readColour (const juce::XmlElement& element, const char* attributeName)
    {
        return parseColour (XmlNames::attributeText (element, attributeName, "0"));
    }

    bool readBool (const juce::XmlElement& element, const char* attributeName, bool whenAbsent)
    {
        if (auto value = XmlNames::findAttribute (element, attributeName))
            return parseBool (*value);

        return whenAbsent;
    }
}

//==============================================================================
GUIController::GUIController() = default;

GUIController::~GUIController()
{
    if (linkedParameter != nullptr)
        linkedParameter->removeAsyncListener (this);
}

void GUIController::parameterChanged (Parameter* parameter)
{
    parameterValueChanged (parameter);
}

void GUIController::addAction (const juce::String&, int, const juce::String&)
{
}

void GUIController::parameterValueChanged (Parameter*)
{
}

void GUIController::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void GUIController::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

void GUIController::loadFromXml (const juce::XmlElement& element,
                                 ParameterManager& parameterSet,
                                 const EventsMap& eventMap,
                                 juce::Component*)
{
    readLinks (element, parameterSet);
    readActions (element, eventMap);
}

void GUIController::readLinks (const juce::XmlElement& element, ParameterManager& parameterSet)
{
    const auto* links = SkinXml::findChild (element, "links");

    if (links == nullptr)
        return;

    for (auto* link : links->getChildIterator())
    {
        if (! XmlNames::hasTag (*link, "link"))
            continue;

        const auto as = SkinXml::readString (*link, "as");
        const auto parameterName = SkinXml::readString (*link, "param");

        // getParameterByName takes the parameter set's lock itself.
        auto* parameter = parameterSet.getParameterByName (parameterName);

        if (parameter != nullptr && as == "connectedTo")
            setLinkedParameter (parameter);
    }
}

void GUIController::readActions (const juce::XmlElement& element, const EventsMap& eventMap)
{
    const auto* actions = SkinXml::findChild (element, "actions");

    if (actions == nullptr)
        return;

    for (auto* action : actions->getChildIterator())
    {
        if (! XmlNames::hasTag (*action, "action"))
            continue;

        const auto type = SkinXml::readString (*action, "type");
        const auto eventId = eventMap.getIdentifier (SkinXml::readString (*action, "event"));

        if (type.isNotEmpty() && eventId.has_value())
            addAction (type, *eventId, eventMap.getDisplayName (*eventId));
    }
}

void GUIController::setLinkedParameter (Parameter* parameter)
{
    if (linkedParameter == parameter)
        return;

    if (linkedParameter != nullptr)
        linkedParameter->removeAsyncListener (this);

    linkedParameter = parameter;

    if (linkedParameter != nullptr)
        linkedParameter->addAsyncListener (this);
}

void GUIController::fireEvent (int eventId)
{
    for (int i = listeners.size(); --i >= 0;)
        if (auto* listener = listeners[i])
            listener->controllerEventTriggered (this, eventId);
}

void GUIController::sendDragStarted()
{
    for (int i = listeners.size(); --i >= 0;)
        if (auto* listener = listeners[i])
            listener->controllerDragStarted (this);
}

void GUIController::sendDragEnded()
{
    for (int i = listeners.size(); --i >= 0;)
        if (auto* listener = listeners[i])
            listener->controllerDragEnded (this);
}

void GUIController::sendValueChanged()
{
    for (int i = listeners.size(); --i >= 0;)
        if (auto* listener = listeners[i])
            listener->controllerValueChanged (this);
}

juce::Component* GUIController::getComponent()
{
    return dynamic_cast<juce::Component*> (this);
}

const juce::Component* GUIController::getComponent() const
{
    return dynamic_cast<const juce::Component*> (this);
}
