#include "plugin/KorvaneDisplayTexts.h"

#include "dsp/KorvaneCore.h"

#include <cmath>
#include <cstdio>

namespace
{
    juce::String format (const char* pattern, double value)
    {
        char text[64];
        std::snprintf (text, sizeof (text), pattern, value);
        return text;
    }

    // Halves go away from zero. Adding 0 turns a negative zero into zero.
    double roundAway (double x)
    {
        return std::trunc (x >= 0.0 ? x + 0.5 : x - 0.5) + 0.0;
    }

    juce::String integerText (double x)
    {
        return format ("%.0f", roundAway (x));
    }

    // Exactly one decimal, with the sign also when the digits are all zero.
    juce::String oneDecimal (double x)
    {
        return format (std::abs (x) >= 1e20 ? "%.9g" : "%.1f", x);
    }

    // Tenths of the scaled value, without trailing zeros: "10", "5.5", "-0.1".
    juce::String shortText (double q, double scale)
    {
        return format ("%.9g", roundAway (q * scale) * 0.1);
    }

    double quantityOf (int identifier, const KorvaneCore& core)
    {
        switch (identifier)
        {
            case 0:  return core.getPreampTargetDb();
            case 1:  return core.getLowCutHz();
            case 2:  return core.getHighCutHz();
            case 3:  return core.getBiasTarget();
            case 4:  return core.getToneTarget();
            case 5:  return core.getBrightnessTarget();
            case 6: case 9: case 12: case 15:  return core.getBandHz ((identifier - 6) / 3);
            case 7: case 10: case 13: case 16: return core.getBandDb ((identifier - 7) / 3);
            case 8: case 11: case 14: case 17: return core.getBandOctaves ((identifier - 8) / 3);
            case 18: return core.getFxTarget();
            case 19: return core.getOutputGainTarget();
            case 20: return (double) core.getHighCutOn();
            default: return 0.0;
        }
    }
}

juce::String korvaneDisplayTextForQuantity (int identifier, double q)
{
    switch (identifier)
    {
        case 0:
            return (q > 0.0 ? "+" : "") + oneDecimal (q) + "dB";

        case 1:   // shown one below the filter's own frequency
            return integerText (q - 1.0) + "Hz";

        case 2: case 6: case 9: case 12: case 15:
            return integerText (q) + "Hz";

        case 3: case 4: case 5:   // on a 0 … 10 scale
            return shortText (q, 100.0);

        case 7: case 10: case 13: case 16:
            return shortText (q, 10.0) + "dB";

        case 8: case 11: case 14: case 17:
            return shortText (q, 10.0) + " oct.";

        case 18:
        {
            const int wet = (int) std::floor (100.0 * q + 0.5);
            return juce::String (100 - wet) + "/" + juce::String (wet) + "% (Dry/Wet)";
        }

        case 19:
        {
            if (q > 0.0)
            {
                const double db = 20.0 * std::log10 (q);

                if (db > -320.0)
                    return (db > 0.01 ? "+" : "") + oneDecimal (db) + "dB";
            }

            return "-Inf.";
        }

        case 20:
            return q != 0.0 ? "On" : "Off";

        default:
            return {};
    }
}

juce::String korvaneDisplayText (int identifier, const KorvaneCore& core)
{
    return korvaneDisplayTextForQuantity (identifier, quantityOf (identifier, core));
}

juce::String korvaneDisplayTextForValue (int identifier, float normalisedValue)
{
    return korvaneDisplayTextForQuantity (identifier, KorvaneCore::controlLaw (identifier, normalisedValue));
}

namespace
{
    /** The number a typed text starts with (after blanks and a plus sign). */
    std::optional<double> leadingNumber (const juce::String& text)
    {
        auto t = text.trim();
        if (t.startsWithChar ('+'))
            t = t.substring (1).trimStart();

        const auto digits = t.initialSectionContainingOnly ("-0123456789.eE");
        if (! digits.containsAnyOf ("0123456789"))
            return std::nullopt;

        const auto value = digits.getDoubleValue();
        return std::isfinite (value) ? std::optional<double> (value) : std::nullopt;
    }

    /** The quantity a typed text stands for, in the unit of the control law. */
    std::optional<double> typedQuantity (int identifier, const juce::String& text)
    {
        switch (identifier)
        {
            case 1:
                if (auto n = leadingNumber (text)) return *n + 1.0;   // shown one below the filter's frequency
                return std::nullopt;

            case 3: case 4: case 5:
                if (auto n = leadingNumber (text)) return *n / 10.0;  // a 0 … 10 scale
                return std::nullopt;

            case 18:
            {
                // "70/30% (Dry/Wet)" as shown, or the wet share alone.
                const auto slash = text.indexOfChar ('/');
                if (auto n = leadingNumber (slash >= 0 ? text.substring (slash + 1) : text))
                    return *n / 100.0;
                return std::nullopt;
            }

            case 19:
                if (text.trim().startsWithIgnoreCase ("-inf"))
                    return 0.0;
                if (auto n = leadingNumber (text))
                    return std::pow (10.0, *n / 20.0);
                return std::nullopt;

            default:
                return leadingNumber (text);
        }
    }

    /** The value in 0 … 1 whose control law comes closest to q: every law is
        monotonic, so halving the interval finds it. */
    float invertControlLaw (int identifier, double q)
    {
        float low = 0.0f, high = 1.0f;
        const bool rising = KorvaneCore::controlLaw (identifier, 1.0f) >= KorvaneCore::controlLaw (identifier, 0.0f);
        const auto below = [&] (float v) { return rising ? KorvaneCore::controlLaw (identifier, v) < q
                                                         : KorvaneCore::controlLaw (identifier, v) > q; };
        if (below (high))
            return high;   // beyond the range's top
        if (! below (low))
            return low;    // at or beyond its bottom

        for (int i = 0; i < 64 && std::nextafter (low, 1.0f) < high; ++i)
        {
            const auto middle = low + (high - low) * 0.5f;
            (below (middle) ? low : high) = middle;
        }

        const auto distance = [&] (float v) { return std::abs (KorvaneCore::controlLaw (identifier, v) - q); };
        return distance (low) <= distance (high) ? low : high;
    }
}

std::optional<float> korvaneValueForDisplayText (int identifier, const juce::String& text)
{
    if (identifier == 20)
    {
        const auto t = text.trim();
        if (t.equalsIgnoreCase ("on"))  return 1.0f;
        if (t.equalsIgnoreCase ("off")) return 0.0f;
        if (auto n = leadingNumber (t)) return *n >= 0.5 ? 1.0f : 0.0f;
        return std::nullopt;
    }

    if (identifier < 0 || identifier > 19)
        return std::nullopt;

    if (auto q = typedQuantity (identifier, text))
        return invertControlLaw (identifier, *q);

    return std::nullopt;
}
