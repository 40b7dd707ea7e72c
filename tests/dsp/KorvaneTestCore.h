#pragma once

#include "dsp/KorvaneCore.h"

#include <cstring>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace korvane_test
{
    /** The defaults of parameters 0 to 20, as the product defines them. */
    inline constexpr float parameterDefaults[21] { 0.0f, 0.5f, 0.5f, 1.0f, 1.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f,
                                                   0.0f, 0.5f, 0.5f, 0.6f, 0.5f, 0.5f, 0.0f, 1.0f, 0.5f, 1.0f };

    /** A core set up the way the frame does it: every parameter delivered
        (defaults, then the given changes), then the sample rate and quality. */
    inline std::unique_ptr<KorvaneCore> makeCore (int quality = 0,
                                                  std::initializer_list<std::pair<int, float>> changes = {},
                                                  float sampleRate = 44100.0f)
    {
        auto core = std::make_unique<KorvaneCore>();

        for (int i = 0; i < 21; ++i)
            core->setParameter (i, parameterDefaults[i]);

        for (auto& change : changes)
            core->setParameter (change.first, change.second);

        core->prepare (512);
        core->setSampleRate (sampleRate);
        core->setQuality (quality);
        return core;
    }

    inline void processStereo (KorvaneCore& core, std::vector<float>& left, std::vector<float>& right)
    {
        float* l = left.data();
        float* r = right.data();
        core.processStereo (&l, &r, (int) left.size());
    }

    /** Runs n samples of silence: the smoothed values settle, the gates stay shut. */
    inline void settle (KorvaneCore& core, int n = 20000)
    {
        std::vector<float> l ((size_t) n), r ((size_t) n);
        processStereo (core, l, r);
    }

    /** The object's bytes, to show that processing left it untouched. */
    template <typename T>
    std::vector<unsigned char> bytesOf (const T& object)
    {
        const auto* begin = reinterpret_cast<const unsigned char*> (&object);
        return { begin, begin + sizeof (T) };
    }
}
