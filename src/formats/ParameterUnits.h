#pragma once

#include <juce_core/juce_core.h>

/*  The 21 host parameters in the units the editor shows (dB, Hz, octaves,
    per cent, the 0 … 10 scale), for formats whose hosts show and automate
    values in their own units (LV2 control ports). Each control law is
    inverted exactly (linear and quadratic laws); Output Volume, whose law is
    of fifth order, stays normalised.

    Index = host index = parameter identifier (0 … 20).
*/
namespace ParameterUnits
{
    enum class Unit { none, decibels, hertz, octaves, percent };

    struct Range
    {
        float minimum = 0.0f, maximum = 1.0f;
        Unit unit = Unit::none;
        bool toggled = false;   ///< On/Off: 0 or 1
    };

    constexpr int count = 21;

    /** The range of parameter `index` in its units. */
    Range rangeOf (int index) noexcept;

    /** The value a normalised 0 … 1 value stands for, in the parameter's units. */
    double toUnits (int index, double normalised) noexcept;

    /** The normalised value (limited to 0 … 1) for a value in the units; a
        value that is not a number gives NaN. */
    double toNormalised (int index, double value) noexcept;
}
