#pragma once

#include <juce_events/juce_events.h>

#include <cstdint>
#include <memory>

/**
    A changeable value of the plug-in: identified by an integer and a unique
    name, convertible to and from a normalised 0 … 1 form and to and from text.

    Changes are told to two listener lists. Synchronous listeners run at once on
    the thread that changed the value (the processor); asynchronous listeners run
    later on the message thread (the editor's controls), and a burst of changes
    before the message thread gets round to it produces a single call.

    Both lists are walked from the last listener added to the first. They are not
    locked: synchronous listeners are registered during start-up before audio
    runs, and asynchronous ones are added, removed and called only on the message
    thread.
*/
class Parameter : public juce::AsyncUpdater
{
public:
    /** Observer of a parameter's value and of the user's edit gestures on it. */
    class Listener
    {
    public:
        virtual ~Listener() = default;

        virtual void parameterChanged (Parameter* parameter) = 0;
        virtual void parameterGestureBegan (Parameter* parameter);
        virtual void parameterGestureEnded (Parameter* parameter);
    };

    Parameter (int32_t identifier, const juce::String& name, bool automatable = false);

    /** Cancels an asynchronous update that is still pending. */
    ~Parameter() override;

    /** Tells the asynchronous listeners (message thread). */
    void handleAsyncUpdate() override;

    /** A copy of the same kind with identifier, name, flags, range and value, but no listeners. */
    virtual std::unique_ptr<Parameter> clone() const = 0;

    virtual float getValue() const = 0;
    virtual float getNormalisedValue() const = 0;
    virtual int32_t getIntValue() const = 0;
    virtual bool getBoolValue() const = 0;
    virtual juce::String getText() const = 0;

    virtual void setValue (float newValue, bool notify) = 0;
    virtual void setNormalisedValue (float newValue, bool notify) = 0;
    virtual void setIntValue (int32_t newValue, bool notify) = 0;
    virtual void setBoolValue (bool newValue, bool notify) = 0;
    virtual void setText (const juce::String& newText, bool notify) = 0;

    /** Takes the other parameter's value in this kind's own terms. */
    virtual void copyValueFrom (const Parameter& other, bool notify) = 0;

    int32_t getIdentifier() const noexcept              { return identifier; }
    const juce::String& getName() const noexcept        { return name; }
    bool isAutomatable() const noexcept                 { return automatable; }
    void setAutomatable (bool shouldBeAutomatable) noexcept { automatable = shouldBeAutomatable; }

    /** Adds a synchronous listener unless it is already registered. Not owned. */
    void addListener (Listener* listener);

    /** Adds an asynchronous listener unless it is already registered. Not owned. */
    void addAsyncListener (Listener* listener);
    void removeAsyncListener (Listener* listener);

    /** Tell the synchronous listeners that an edit gesture starts or ends. */
    void beginGesture();
    void endGesture();

    /** Notifies as a change would, without changing the value: the synchronous
        listeners at once, then the asynchronous ones through an async update. */
    void announce();

private:
    int32_t identifier;
    juce::String name;
    bool automatable;
    juce::Array<Listener*> listeners;
    juce::Array<Listener*> asyncListeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Parameter)
};
