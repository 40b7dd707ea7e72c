#pragma once

#include "parameters/Parameter.h"

#include <atomic>
#include <optional>

/** An on/off value whose text form depends on a text style. Setting and reading are lock-free. */
class BoolParameter : public Parameter
{
public:
    /** Text styles: the words getText() writes for on and off. Other numbers write "true" / "false". */
    enum TextStyle : int32_t
    {
        trueFalseStyle = 0, ///< "true" / "false" (the "bool" definition type)
        onOffStyle     = 1, ///< "on" / "off" (the "state" definition type)
        oneZeroStyle   = 2, ///< "1" / "0"
        yesNoStyle     = 3  ///< "yes" / "no"
    };

    BoolParameter (int32_t identifier, const juce::String& name,
                   int32_t textStyle = trueFalseStyle, bool initialValue = false);

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

    /** Exactly "true", "1", "on" or "yes" sets, "false", "0", "off" or "no" clears;
        any other text is read as a number and taken as a normalised value. */
    void setText (const juce::String& newText, bool notify) override;
    void copyValueFrom (const Parameter& other, bool notify) override;

    int32_t getTextStyle() const noexcept { return textStyle; }

    /** true for exactly "true", "1", "on" or "yes", false for "false", "0", "off" or "no"
        (letter case matters), nothing for any other text. */
    static std::optional<bool> readOnOffWord (const juce::String& text);

private:
    void store (int32_t v, bool notify);

    int32_t textStyle;
    std::atomic<int32_t> value;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BoolParameter)
};
