#pragma once

#include "parameters/Parameter.h"

/**
    A text value. The text is guarded by a read-write lock; a change holds the
    write side while the synchronous listeners run, so they can read the new
    text on their own thread while other threads wait for the change to finish.
*/
class StringParameter : public Parameter
{
public:
    StringParameter (int32_t identifier, const juce::String& name, const juce::String& initialText = {});

    std::unique_ptr<Parameter> clone() const override;

    /** The text read as a number (a leading number, 0 otherwise). */
    float getValue() const override;
    /** As getValue(), limited to 0 … 1. */
    float getNormalisedValue() const override;
    int32_t getIntValue() const override;

    /** The on/off words of BoolParameter read as on or off; any other text reads
        as on when its number is at least 0.5, so that setBoolValue() round-trips. */
    bool getBoolValue() const override;
    juce::String getText() const override;

    /** Writes the number with "%.9g". */
    void setValue (float newValue, bool notify) override;
    void setNormalisedValue (float newValue, bool notify) override;
    void setIntValue (int32_t newValue, bool notify) override;
    /** Writes "true" or "false". */
    void setBoolValue (bool newValue, bool notify) override;
    void setText (const juce::String& newText, bool notify) override;
    void copyValueFrom (const Parameter& other, bool notify) override;

private:
    void store (const juce::String& newText, bool notify);

    juce::ReadWriteLock textLock;
    juce::String text;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StringParameter)
};
