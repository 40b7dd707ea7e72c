#pragma once

#include <juce_core/juce_core.h>

/**
    The listeners of a widget: each registered once, told from the one
    registered last to the one registered first. A listener may remove
    itself while it is told.
*/
template <typename ListenerType>
class ListenerSet
{
public:
    void add (ListenerType* listener)
    {
        if (listener != nullptr)
            listeners.addIfNotAlreadyThere (listener);
    }

    void remove (ListenerType* listener)    { listeners.removeFirstMatchingValue (listener); }
    int size() const noexcept               { return listeners.size(); }

    template <typename Callback>
    void call (Callback&& callback)
    {
        for (int i = listeners.size(); --i >= 0;)
            if (auto* listener = listeners[i])
                callback (*listener);
    }

private:
    juce::Array<ListenerType*> listeners;
};
