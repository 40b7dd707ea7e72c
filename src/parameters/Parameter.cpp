#include "parameters/Parameter.h"

void Parameter::Listener::parameterGestureBegan (Parameter*) {}
void Parameter::Listener::parameterGestureEnded (Parameter*) {}

Parameter::Parameter (int32_t identifierToUse, const juce::String& nameToUse, bool isAutomatable)
    : identifier (identifierToUse), name (nameToUse), automatable (isAutomatable)
{
}

Parameter::~Parameter()
{
    cancelPendingUpdate();
}

void Parameter::handleAsyncUpdate()
{
    // A listener may remove itself (or another) while being called, so the
    // index is re-checked against the current size after every call.
    for (int i = asyncListeners.size(); --i >= 0;)
    {
        asyncListeners.getUnchecked (i)->parameterChanged (this);
        i = juce::jmin (i, asyncListeners.size());
    }
}

void Parameter::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void Parameter::addAsyncListener (Listener* listener)
{
    if (listener != nullptr)
        asyncListeners.addIfNotAlreadyThere (listener);
}

void Parameter::removeAsyncListener (Listener* listener)
{
    asyncListeners.removeFirstMatchingValue (listener);
}

void Parameter::beginGesture()
{
    for (int i = listeners.size(); --i >= 0;)
        listeners.getUnchecked (i)->parameterGestureBegan (this);
}

void Parameter::endGesture()
{
    for (int i = listeners.size(); --i >= 0;)
        listeners.getUnchecked (i)->parameterGestureEnded (this);
}

void Parameter::announce()
{
    for (int i = listeners.size(); --i >= 0;)
        listeners.getUnchecked (i)->parameterChanged (this);

    triggerAsyncUpdate();
}
