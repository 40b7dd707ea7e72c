#pragma once

#include "parameters/Parameter.h"

#include <atomic>

/** A whole-number value in minimum … maximum. Setting and reading are lock-free. */
class IntParameter : public Parameter
{
public:
    /** The initial value is limited to the range; no listener is told. */
    IntParameter (int32_t identifier, const juce::String& name,
                  int32_t minimum, int32_t maximum, int32_t initialValue);

    std::unique_ptr<Parameter> clone() const override;

    float getValue() const override;
    float getNormalisedValue() const override;
    int32_t getIntValue() const override;
    bool getBoolValue() const override;
    juce::String getText() const override;

    void setValue (float newValue, bool notify) override;
    void setNormalisedValue (float newValue, bool notify) override;
    void setIntValue (int32_t newValue, bool notify) override;
    void setBoolValue (bool newValue, bool notify) override;
    void setText (const juce::String& newText, bool notify) override;
    void copyValueFrom (const Parameter& other, bool notify) override;

    int32_t getMinimum() const noexcept { return minimum; }
    int32_t getMaximum() const noexcept { return maximum; }

private:
    int32_t limit (int32_t v) const noexcept;
    void store (int32_t v, bool notify);

    int32_t minimum, maximum;
    std::atomic<int32_t> value;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (IntParameter)
};
