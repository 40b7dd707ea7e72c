#pragma once

#include "formats/ParameterUnits.h"

#include <cstdint>

/*  The LV2 plug-in's ports, in index order. The plug-in and the Turtle
    files written at build time both take them from here.

    The audio ports and the MIDI port keep the symbols of the earlier LV2
    build, so that hosts' sessions still find their connections.
*/
namespace Lv2Ports
{
    constexpr uint32_t numParameters = 21;

    enum : uint32_t
    {
        audioIn1 = 0,
        audioIn2,
        audioOut1,
        audioOut2,
        firstParameter,                                  // the 21 host parameters, in their order
        enabled = firstParameter + numParameters,        // the host's bypass (lv2:enabled)
        latency,
        levelLeft,                                       // the VU meters, in dB
        levelRight,
        midiIn,
        count
    };

    /** The meters' range in dB: the editor's scale, -24 to +6 dB. */
    constexpr float levelMinimum = -24.0f, levelMaximum = 6.0f;

    /** The port value of parameter `index` at a normalised value: the
        value in the parameter's units, as a float. */
    inline float parameterValue (int index, float normalisedValue) noexcept
    {
        return (float) ParameterUnits::toUnits (index, normalisedValue);
    }

    /** A meter position (0 … 1, 0 dB at 0.8) in dB. */
    constexpr float levelInDecibels (float position) noexcept { return (position - 0.8f) * 30.0f; }
}
