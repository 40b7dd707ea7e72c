#include "formats/ParameterUnits.h"

#include <cmath>

namespace ParameterUnits
{
namespace
{
    enum Id
    {
        preampGain, lowCut, highCut, tubeBias, tone, brightness,
        bassFrequency, bassGain, bassBandwidth, middleFrequency, middleGain, middleBandwidth,
        trebleFrequency, trebleGain, trebleBandwidth, presenceFrequency, presenceGain, presenceBandwidth,
        fx, outputVolume, highCutOnOff
    };

    bool isGain (int index)      { return index == bassGain || index == middleGain || index == trebleGain || index == presenceGain; }
    bool isBandwidth (int index) { return index == bassBandwidth || index == middleBandwidth || index == trebleBandwidth || index == presenceBandwidth; }

    /** The root in 0 … 1 of a·v² + b·v + c = x, the law of a frequency knob. */
    double quadraticRoot (double a, double b, double c, double x)
    {
        const auto discriminant = b * b - 4.0 * a * (c - x);
        return (-b + std::sqrt (juce::jmax (0.0, discriminant))) / (2.0 * a);
    }
}

Range rangeOf (int index) noexcept
{
    // The ranges are the laws' ends (the control laws of the tube core).
    if (isGain (index))      return { -24.0f, 24.0f, Unit::decibels };
    if (isBandwidth (index)) return { 0.5f, 4.0f, Unit::octaves };

    switch (index)
    {
        case preampGain:        return { 0.0f, 100.0f, Unit::decibels };
        case lowCut:            return { 0.0f, 300.0f, Unit::hertz };      // shown one below the law, as the editor does
        case highCut:           return { 1500.0f, 8000.0f, Unit::hertz };
        case tubeBias:
        case tone:
        case brightness:        return { 0.0f, 10.0f, Unit::none };
        case bassFrequency:     return { 40.0f, 300.0f, Unit::hertz };
        case middleFrequency:   return { 300.0f, 2000.0f, Unit::hertz };
        case trebleFrequency:   return { 2000.0f, 5000.0f, Unit::hertz };
        case presenceFrequency: return { 5000.0f, 12000.0f, Unit::hertz };
        case fx:                return { 0.0f, 100.0f, Unit::percent };
        case highCutOnOff:      return { 0.0f, 1.0f, Unit::none, true };
        default:                return {};
    }
}

double toUnits (int index, double v) noexcept
{
    v = juce::jlimit (0.0, 1.0, v);

    if (isGain (index))      return 48.0 * v - 24.0;
    if (isBandwidth (index)) return (1.0 - v) * 3.5 + 0.5;

    switch (index)
    {
        case preampGain:        return 100.0 * v;
        case lowCut:            return 300.0 * v * v;
        case highCut:           return 6500.0 * v * v + 1500.0;
        case tubeBias:
        case tone:
        case brightness:        return 10.0 * v;
        case bassFrequency:     return (80.0 * v + 180.0) * v + 40.0;
        case middleFrequency:   return (600.0 * v + 1100.0) * v + 300.0;
        case trebleFrequency:   return 3000.0 * v + 2000.0;
        case presenceFrequency: return 7000.0 * v + 5000.0;
        case fx:                return 100.0 * v;
        case highCutOnOff:      return v >= 0.5 ? 1.0 : 0.0;
        default:                return v;
    }
}

double toNormalised (int index, double x) noexcept
{
    if (std::isnan (x))
        return x;

    const auto range = rangeOf (index);
    x = juce::jlimit ((double) range.minimum, (double) range.maximum, x);
    double v = x;

    if (isGain (index))
        v = (x + 24.0) / 48.0;
    else if (isBandwidth (index))
        v = 1.0 - (x - 0.5) / 3.5;
    else
        switch (index)
        {
            case preampGain:        v = x / 100.0; break;
            case lowCut:            v = std::sqrt (x / 300.0); break;
            case highCut:           v = std::sqrt ((x - 1500.0) / 6500.0); break;
            case tubeBias:
            case tone:
            case brightness:        v = x / 10.0; break;
            case bassFrequency:     v = quadraticRoot (80.0, 180.0, 40.0, x); break;
            case middleFrequency:   v = quadraticRoot (600.0, 1100.0, 300.0, x); break;
            case trebleFrequency:   v = (x - 2000.0) / 3000.0; break;
            case presenceFrequency: v = (x - 5000.0) / 7000.0; break;
            case fx:                v = x / 100.0; break;
            case highCutOnOff:      v = x >= 0.5 ? 1.0 : 0.0; break;
            default:                break;
        }

    return juce::jlimit (0.0, 1.0, v);
}
}
