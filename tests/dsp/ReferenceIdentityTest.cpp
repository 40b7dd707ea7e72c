#include "dsp/KorvaneCore.h"
#include "dsp/SimdDispatch.h"
#include "reference/ReferenceKorvaneCore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

/*  The shipped core against the plain reference evaluation: both are driven
    through the same script (parameter moves, quality and sample-rate
    changes, silence, non-finite input, silent preset changes, mono and
    stereo, ragged block sizes) and every output sample, every internal meter
    level and every published meter value must agree bit for bit, on every
    vector instruction set this CPU can run.
*/

namespace
{
    constexpr float defaults[21] { 0.0f, 0.5f, 0.5f, 1.0f, 1.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f,
                                   0.0f, 0.5f, 0.5f, 0.6f, 0.5f, 0.5f, 0.0f, 1.0f, 0.5f, 1.0f };

    std::uint32_t bitsOf (float f)  { std::uint32_t u; std::memcpy (&u, &f, 4); return u; }
    std::uint64_t bitsOf (double d) { std::uint64_t u; std::memcpy (&u, &d, 8); return u; }

    /** One step of a script, applied to both cores alike. */
    struct Action
    {
        enum Kind { parameter, quality, sampleRate, preset } kind;
        int index = 0;
        float value = 0.0f;
    };

    /** What both cores are fed: per sample a left and a right input, and
        actions that happen before given samples. */
    struct Script
    {
        std::vector<float> left, right;
        std::vector<std::pair<int, Action>> actions;   // (sample, action), in sample order
        std::vector<int> blockSizes;                   // cycled; each block is also cut at the actions
        bool mono = false;
        int initialQuality = 0;
        float initialRate = 44100.0f;
        std::vector<std::pair<int, float>> initialChanges;
        std::vector<std::pair<int, float>> presetValues;   // what the owner applies at silence
    };

    template <typename Core>
    struct Applier : PresetApplier
    {
        Core* core = nullptr;
        const std::vector<std::pair<int, float>>* values = nullptr;
        int calls = 0;

        void applyCurrentPreset() override
        {
            ++calls;
            for (auto& v : *values)
                core->setParameter (v.first, v.second);
        }
    };

    /** Everything a render leaves to compare. */
    struct Render
    {
        std::vector<float> left, right;
        std::vector<double> meterLeft, meterRight;           // internal levels after each call
        std::vector<float> publishedLeft, publishedRight;    // published values after each call
        std::vector<int> activeAfterCall;                    // gate states after each call (2 bits)
        std::vector<double> lastLeft, lastRight;             // double-precision outputs of each call's last sample
        int presetCalls = 0;
    };

    template <typename Core>
    Render render (const Script& s)
    {
        auto core = std::make_unique<Core>();
        Applier<Core> applier;
        applier.core = core.get();
        applier.values = &s.presetValues;
        core->setOwner (&applier);

        for (int i = 0; i < 21; ++i)
            core->setParameter (i, defaults[i]);

        for (auto& c : s.initialChanges)
            core->setParameter (c.first, c.second);

        core->prepare (512);
        core->setSampleRate (s.initialRate);
        core->setQuality (s.initialQuality);

        Render r;
        r.left = s.left;
        r.right = s.right;
        const int n = (int) s.left.size();
        size_t nextAction = 0;
        size_t nextBlock = 0;
        int position = 0;

        while (position < n || nextAction < s.actions.size())
        {
            while (nextAction < s.actions.size() && s.actions[nextAction].first <= position)
            {
                const Action& a = s.actions[nextAction++].second;
                switch (a.kind)
                {
                    case Action::parameter:  core->setParameter (a.index, a.value); break;
                    case Action::quality:    core->setQuality (a.index); break;
                    case Action::sampleRate: core->prepare (512); core->setSampleRate (a.value); break;
                    case Action::preset:     core->changePreset(); break;
                }
            }

            if (position >= n)
                break;

            int count = s.blockSizes[nextBlock++ % s.blockSizes.size()];
            count = std::min (count, n - position);
            if (nextAction < s.actions.size())
                count = std::min (count, s.actions[nextAction].first - position);

            // A zero-sample call now and then: it must still publish the meters.
            float* l = r.left.data() + position;
            float* rr = r.right.data() + position;

            if (s.mono)
                core->processMono (&l, count);
            else
                core->processStereo (&l, &rr, count);

            position += count;

            r.meterLeft.push_back (core->getMeterLevel (0));
            r.meterRight.push_back (core->getMeterLevel (1));
            float ml = 0, mr = 0;
            core->getMeterLevels (ml, mr);
            r.publishedLeft.push_back (ml);
            r.publishedRight.push_back (mr);
            r.lastLeft.push_back (core->getLastOutput (0));
            r.lastRight.push_back (core->getLastOutput (1));
            r.activeAfterCall.push_back ((core->isChannelActive (0) ? 1 : 0) | (core->isChannelActive (1) ? 2 : 0));
        }

        r.presetCalls = applier.calls;
        return r;
    }

    Render expectIdentical (const Script& s, const std::string& what)
    {
        Render ref = render<ReferenceKorvaneCore> (s);
        const Render opt = render<KorvaneCore> (s);

        EXPECT_EQ (ref.left.size(), opt.left.size());
        if (ref.left.size() != opt.left.size())
            return ref;

        for (size_t i = 0; i < ref.left.size(); ++i)
        {
            if (bitsOf (ref.left[i]) != bitsOf (opt.left[i])) { ADD_FAILURE() << what << ": left sample " << i << " reference " << ref.left[i] << " core " << opt.left[i]; return ref; }
            if (bitsOf (ref.right[i]) != bitsOf (opt.right[i])) { ADD_FAILURE() << what << ": right sample " << i << " reference " << ref.right[i] << " core " << opt.right[i]; return ref; }
        }

        EXPECT_EQ (ref.meterLeft.size(), opt.meterLeft.size()) << what;
        if (ref.meterLeft.size() != opt.meterLeft.size())
            return ref;

        for (size_t i = 0; i < ref.meterLeft.size(); ++i)
        {
            if (bitsOf (ref.meterLeft[i]) != bitsOf (opt.meterLeft[i])) { ADD_FAILURE() << what << ": left meter after call " << i; return ref; }
            if (bitsOf (ref.meterRight[i]) != bitsOf (opt.meterRight[i])) { ADD_FAILURE() << what << ": right meter after call " << i; return ref; }
            if (bitsOf (ref.publishedLeft[i]) != bitsOf (opt.publishedLeft[i])) { ADD_FAILURE() << what << ": published left meter after call " << i; return ref; }
            if (bitsOf (ref.publishedRight[i]) != bitsOf (opt.publishedRight[i])) { ADD_FAILURE() << what << ": published right meter after call " << i; return ref; }
            if (bitsOf (ref.lastLeft[i]) != bitsOf (opt.lastLeft[i])) { ADD_FAILURE() << what << ": left double output after call " << i; return ref; }
            if (bitsOf (ref.lastRight[i]) != bitsOf (opt.lastRight[i])) { ADD_FAILURE() << what << ": right double output after call " << i; return ref; }
            if (ref.activeAfterCall[i] != opt.activeAfterCall[i]) { ADD_FAILURE() << what << ": gates after call " << i; return ref; }
        }

        EXPECT_EQ (ref.presetCalls, opt.presetCalls) << what;
        return ref;
    }

    /** Two detuned tones with a DC offset and some noise: every stage works. */
    void fillSignal (Script& s, int from, int to, double amplitude, unsigned seed)
    {
        std::mt19937 random (seed);
        std::uniform_real_distribution<float> noise (-0.05f, 0.05f);

        for (int i = from; i < to; ++i)
        {
            const double t = i / 44100.0;
            s.left[(size_t) i] = (float) (amplitude * (0.5 * std::sin (2 * 3.141592653589793 * 220.0 * t) + 0.1) + amplitude * noise (random));
            s.right[(size_t) i] = (float) (amplitude * (0.4 * std::sin (2 * 3.141592653589793 * 331.0 * t) - 0.05) + amplitude * noise (random));
        }
    }

    Script baseScript (int quality, int length)
    {
        Script s;
        s.left.assign ((size_t) length, 0.0f);
        s.right.assign ((size_t) length, 0.0f);
        fillSignal (s, 0, length, 1.0, 7u + (unsigned) quality);
        s.initialQuality = quality;
        s.initialChanges = { { 0, 0.45f } };
        s.blockSizes = { 512, 1, 37, 300, 0, 513, 64 };
        return s;
    }

    Action param (int index, float value) { return { Action::parameter, index, value }; }

    /** Every parameter moved mid-render, several at once, some back again
        while their glide is still running. */
    void addParameterMoves (Script& s, int start, int spacing)
    {
        static const float targets[21] { 0.9f, 1.0f, 0.0f, 0.3f, 0.2f, 0.8f, 1.0f, 1.0f, 0.7f, 0.1f, 0.0f,
                                         0.9f, 1.0f, 0.05f, 0.2f, 0.0f, 1.0f, 0.5f, 0.6f, 0.62f, 0.0f };
        int at = start;

        for (int i = 0; i < 21; ++i, at += spacing)
            s.actions.push_back ({ at, param (i, targets[i]) });

        // Reverse some glides half-way, retarget to the current value, and
        // switch the high cut back on in the middle of its own glide.
        s.actions.push_back ({ at, param (7, 0.2f) });
        s.actions.push_back ({ at, param (2, 0.7f) });
        s.actions.push_back ({ at, param (20, 1.0f) });
        s.actions.push_back ({ at + 11, param (8, 0.0f) });
        s.actions.push_back ({ at + 11, param (15, 0.5f) });
        s.actions.push_back ({ at + 500, param (13, 0.05f) });   // equal to its target: one recomputation
        s.actions.push_back ({ at + 900, param (0, 0.1f) });
        s.actions.push_back ({ at + 900, param (5, 0.0f) });
    }
}

//==============================================================================
class ReferenceIdentity : public ::testing::TestWithParam<DspInstructionSet>
{
protected:
    void SetUp() override
    {
        previous = korvane_dsp::activeInstructionSet();

        if (! korvane_dsp::forceInstructionSet (GetParam()))
            GTEST_SKIP() << korvane_dsp::instructionSetName (GetParam()) << " is not available on this CPU";
    }

    void TearDown() override { korvane_dsp::forceInstructionSet (previous); }

    DspInstructionSet previous = DspInstructionSet::sse2;
};

TEST_P (ReferenceIdentity, SteadySignalAtEveryQuality)
{
    for (int q = 0; q < 4; ++q)
        expectIdentical (baseScript (q, 6000), "steady, quality " + std::to_string (q));
}

TEST_P (ReferenceIdentity, DoublePrecisionOutputOfEverySample)
{
    // One sample per call: every output is compared before its rounding to
    // float too, so a difference of one double rounding anywhere shows.
    for (int q = 0; q < 4; ++q)
    {
        Script s = baseScript (q, 6000);
        s.blockSizes = { 1 };
        addParameterMoves (s, 200, 23);
        expectIdentical (s, "double outputs, quality " + std::to_string (q));

        s.mono = true;
        expectIdentical (s, "double outputs, mono, quality " + std::to_string (q));
    }
}

TEST_P (ReferenceIdentity, EveryParameterMovedWhileGlidesRun)
{
    for (int q = 0; q < 4; ++q)
    {
        Script s = baseScript (q, 24000);
        addParameterMoves (s, 700, 97);
        expectIdentical (s, "parameter moves, quality " + std::to_string (q));
    }
}

TEST_P (ReferenceIdentity, ParameterMovesInMono)
{
    for (int q = 0; q < 4; ++q)
    {
        Script s = baseScript (q, 16000);
        s.mono = true;
        addParameterMoves (s, 300, 61);
        expectIdentical (s, "mono, quality " + std::to_string (q));
    }
}

TEST_P (ReferenceIdentity, QualityAndSampleRateChanges)
{
    Script s = baseScript (0, 30000);
    s.actions = { { 2000, { Action::quality, 1 } }, { 4000, { Action::quality, 3 } },
                  { 5000, param (9, 0.9f) },
                  { 6000, { Action::sampleRate, 0, 48000.0f } }, { 6000, { Action::quality, 2 } },
                  { 9000, { Action::quality, 5 } },            // not a level: nothing changes
                  { 10000, { Action::sampleRate, 0, 96000.0f } },
                  { 12000, param (1, 0.9f) }, { 12000, param (5, 1.0f) },
                  { 14000, { Action::quality, 0 } },
                  { 16000, { Action::sampleRate, 0, 88200.0f } }, { 16000, { Action::quality, 3 } },
                  { 19000, { Action::sampleRate, 0, 22050.0f } },
                  { 21000, { Action::sampleRate, 0, 192000.0f } }, { 21000, { Action::quality, 1 } },
                  { 24000, { Action::sampleRate, 0, 44100.0f } }, { 24000, param (0, 1.0f) },
                  { 27000, { Action::quality, 2 } } };
    expectIdentical (s, "quality and rate changes");

    s.mono = true;
    expectIdentical (s, "quality and rate changes, mono");
}

TEST_P (ReferenceIdentity, SilenceClosesTheGatesAndSignalOpensThemAgain)
{
    for (int q = 0; q < 4; ++q)
    {
        // The gate envelope falls by 0.9999 per sample: about 108000
        // samples of silence close a gate that saw full scale.
        Script s = baseScript (q, 170000);
        std::fill (s.left.begin() + 3000, s.left.end(), 0.0f);
        std::fill (s.right.begin() + 3000, s.right.end(), 0.0f);
        fillSignal (s, 130000, 145000, 1.0, 99);
        std::fill (s.left.begin() + 130000, s.left.begin() + 145000, 0.0f);   // right only
        fillSignal (s, 150000, 170000, 0.01, 5);
        s.actions = { { 20000, param (7, 0.9f) }, { 20000, param (1, 0.0f) }, { 20000, param (0, 0.7f) },
                      { 135000, param (10, 0.0f) }, { 135000, param (2, 1.0f) } };
        const Render r = expectIdentical (s, "silence and gates, quality " + std::to_string (q));
        // Both gates closed during the silence and opened again.
        EXPECT_NE (std::find (r.activeAfterCall.begin(), r.activeAfterCall.end(), 0), r.activeAfterCall.end());
        EXPECT_EQ (r.activeAfterCall.back(), 3);

        s.mono = true;
        expectIdentical (s, "silence and gates, mono, quality " + std::to_string (q));
    }
}

TEST_P (ReferenceIdentity, GatesClosingInsideLongBlocksAtDifferentSamples)
{
    for (int q = 0; q < 4; ++q)
    {
        // Quiet tones that stop at different samples: each gate closes
        // somewhere inside a long block, the two a few thousand samples
        // apart, and single clicks open them again one at a time, also on
        // the sample right after a gate closed and in blocks of 2 and 3.
        Script s = baseScript (q, 70000);
        fillSignal (s, 0, 3000, 0.002, 11);
        std::fill (s.left.begin() + 2000, s.left.end(), 0.0f);
        std::fill (s.right.begin() + 3000, s.right.end(), 0.0f);
        s.blockSizes = { 8191, 2, 3, 4096 };

        const Render first = expectIdentical (s, "gates in long blocks, quality " + std::to_string (q));
        ASSERT_NE (std::find (first.activeAfterCall.begin(), first.activeAfterCall.end(), 0), first.activeAfterCall.end()) << "the gates never closed";

        // Where the reference closed each gate, a click on the next sample.
        for (int channel = 0; channel < 2; ++channel)
        {
            ReferenceKorvaneCore probe;
            for (int i = 0; i < 21; ++i)
                probe.setParameter (i, defaults[i]);
            probe.setParameter (0, 0.45f);
            probe.prepare (512);
            probe.setSampleRate (44100.0f);
            probe.setQuality (q);

            std::vector<float> l (s.left), r (s.right);
            int closedAt = -1;

            for (int i = 0; i < (int) l.size() && closedAt < 0; ++i)
            {
                float* pl = &l[(size_t) i];
                float* pr = &r[(size_t) i];
                probe.processStereo (&pl, &pr, 1);

                if (i > 3000 && ! probe.isChannelActive (channel))
                    closedAt = i;
            }

            ASSERT_GE (closedAt, 0);
            ASSERT_LT (closedAt + 1, (int) s.left.size());
            (channel == 0 ? s.left : s.right)[(size_t) closedAt + 1] = 0.25f;
        }

        expectIdentical (s, "clicks after the gates closed, quality " + std::to_string (q));
    }
}

TEST_P (ReferenceIdentity, RightChannelGoesOnAloneWithTheCoefficientsTheLeftLastComputed)
{
    for (int q = 0; q < 4; q += 3)
    {
        // Right alone, then both while the left filters glide (the left
        // very quiet), then the left falls silent and its gate closes while
        // the right goes on alone with the last left coefficients.
        Script s = baseScript (q, 40000);
        std::fill (s.left.begin(), s.left.begin() + 2000, 0.0f);
        for (size_t i = 2000; i < s.left.size(); ++i)
            s.left[i] = i < 10000 ? s.left[i] * 1e-5f : 0.0f;
        s.actions = { { 2500, param (6, 1.0f) }, { 2500, param (7, 1.0f) }, { 2500, param (1, 1.0f) },
                      { 2500, param (2, 0.0f) }, { 2500, param (16, 0.0f) }, { 2500, param (11, 1.0f) } };
        const Render r = expectIdentical (s, "right alone after both, quality " + std::to_string (q));
        EXPECT_NE (std::find (r.activeAfterCall.begin(), r.activeAfterCall.end(), 2), r.activeAfterCall.end()) << "the left gate never closed";
    }
}

TEST_P (ReferenceIdentity, NonFiniteInputReadsAsSilence)
{
    for (int q = 0; q < 4; ++q)
    {
        Script s = baseScript (q, 8000);
        const float bad[] { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::signaling_NaN() };

        for (int k = 0; k < 4; ++k)
        {
            s.left[(size_t) (100 + 13 * k)] = bad[k];
            s.right[(size_t) (1500 + 7 * k)] = bad[k];
        }

        s.left[0] = bad[0];   // a first sample that opens no gate
        expectIdentical (s, "non-finite input, quality " + std::to_string (q));

        s.mono = true;
        expectIdentical (s, "non-finite input, mono, quality " + std::to_string (q));
    }
}

TEST_P (ReferenceIdentity, SilentPresetChangesAppliedAtSilence)
{
    for (int q = 0; q < 4; q += 3)
    {
        Script s = baseScript (q, 30000);
        s.presetValues = { { 0, 0.8f }, { 3, 0.1f }, { 7, 0.9f }, { 12, 0.0f }, { 18, 0.4f }, { 19, 0.7f }, { 20, 0.0f } };
        // One change, and one requested during the hold of a second.
        s.actions = { { 1000, { Action::preset } }, { 12000, { Action::preset } }, { 17000, { Action::preset } } };
        const Render r = expectIdentical (s, "silent preset changes, quality " + std::to_string (q));
        EXPECT_EQ (r.presetCalls, 3);
    }
}

TEST_P (ReferenceIdentity, ExtremeSettings)
{
    for (int q = 0; q < 4; ++q)
    {
        // Everything at its ends, then jumping to the other end.
        Script s = baseScript (q, 12000);
        s.initialChanges.clear();

        for (int i = 0; i < 21; ++i)
            s.initialChanges.push_back ({ i, 1.0f });

        for (int i = 0; i < 21; ++i)
            s.actions.push_back ({ 3000 + i, param (i, 0.0f) });

        s.actions.push_back ({ 8000, param (19, 1.0f) });
        s.actions.push_back ({ 8000, param (18, 1.0f) });
        expectIdentical (s, "extreme settings, quality " + std::to_string (q));
    }
}

INSTANTIATE_TEST_SUITE_P (EveryInstructionSet, ReferenceIdentity,
                          ::testing::Values (DspInstructionSet::sse2, DspInstructionSet::avx2, DspInstructionSet::avx512),
                          [] (const ::testing::TestParamInfo<DspInstructionSet>& param) { return std::string (korvane_dsp::instructionSetName (param.param)); });

//==============================================================================
// The comparison itself must be able to fail: a core that departs from the
// reference by one rounding is caught.

TEST (ReferenceIdentityHarness, ADifferenceOfOneRoundingIsCaught)
{
    Script s = baseScript (0, 2000);
    const Render ref = render<ReferenceKorvaneCore> (s);

    Script changed = s;
    changed.initialChanges.push_back ({ 19, std::nextafter (0.5f, 1.0f) });   // output gain one float step up
    const Render opt = render<KorvaneCore> (changed);

    size_t differing = 0;
    for (size_t i = 0; i < ref.left.size(); ++i)
        differing += bitsOf (ref.left[i]) != bitsOf (opt.left[i]) ? 1u : 0u;

    EXPECT_GT (differing, 0u);
}

TEST (ReferenceIdentityHarness, TheBestInstructionSetIsTheDefault)
{
    EXPECT_EQ (korvane_dsp::activeInstructionSet(), korvane_dsp::bestInstructionSet());
    EXPECT_TRUE (korvane_dsp::isSupported (DspInstructionSet::sse2));
}
