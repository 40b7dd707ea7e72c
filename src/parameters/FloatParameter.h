#pragma once

#include "parameters/Parameter.h"

#include <atomic>

/** A continuous value in minimum … maximum. Setting and reading are lock-free. */
class FloatParameter : public Parameter
{
public:
    /** The initial value is limited to the range; no listener is told. */
    FloatParameter (int32_t identifier, const juce::String& name,
                    float minimum, float maximum, float initialValue);

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

    float getMinimum() const noexcept { return minimum; }
    float getMaximum() const noexcept { return maximum; }

private:
    /** Values not ≥ minimum (NaN included) become the minimum, values above the maximum the maximum. */
    float limit (float v) const noexcept;
    void store (float v, bool notify);

    float minimum, maximum;
    std::atomic<float> value;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FloatParameter)
};
