#pragma once

#include "parameters/IntParameter.h"

/** A choice among named items; the value is the item's position, 0 … item count − 1. */
class EnumParameter : public IntParameter
{
public:
    /** Items come from itemsText split at each ";" (an empty text between two
        separators is an item, a final separator adds none); the initial value is
        valueText given to setText(). */
    EnumParameter (int32_t identifier, const juce::String& name,
                   const juce::String& itemsText, const juce::String& valueText);

    std::unique_ptr<Parameter> clone() const override;

    /** The item at the value, or an empty text when the value has no item. */
    juce::String getText() const override;

    /** The first item equal to the text (exact match) selects its position;
        other text is read as a number and taken as a normalised value. */
    void setText (const juce::String& newText, bool notify) override;

    const juce::StringArray& getItems() const noexcept { return items; }
    const juce::String& getItemsText() const noexcept  { return itemsText; }

    static juce::StringArray splitItems (const juce::String& itemsText);

private:
    juce::StringArray items;
    juce::String itemsText;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EnumParameter)
};
