#include "dsp/Oversampler.h"

#include <gtest/gtest.h>

#include <complex>
#include <memory>

namespace
{
    template <typename Factor>
    class OversamplerTest : public ::testing::Test
    {
    protected:
        static constexpr int L = Factor::value;
        std::unique_ptr<PolyphaseTables<L>> tables = std::make_unique<PolyphaseTables<L>>();

        /** Small-signal response from u to y/L at f (in cycles per base
            sample): gain in dB and delay in samples. */
        std::pair<double, double> response (double f)
        {
            Oversampler<L> oversampler (*tables);
            const double amplitude = 1e-5, pi = 3.141592653589793;
            const int settle = 1000, measure = 4000;
            std::complex<double> sum;

            for (int n = 0; n < settle + measure; ++n)
            {
                const double y = oversampler.process (amplitude * std::cos (2.0 * pi * f * n)) / L;

                if (n >= settle)
                    sum += y * std::polar (1.0, -2.0 * pi * f * n);
            }

            sum *= 2.0 / (measure * amplitude);
            return { 20.0 * std::log10 (std::abs (sum)), -std::arg (sum) / (2.0 * pi * f) };
        }
    };

    using Factors = ::testing::Types<std::integral_constant<int, 4>, std::integral_constant<int, 8>, std::integral_constant<int, 16>>;
    TYPED_TEST_SUITE (OversamplerTest, Factors);
}

TYPED_TEST (OversamplerTest, PrototypeStartsAtZeroAndEachPhaseHasUnitDcGain)
{
    EXPECT_LT (std::abs (this->tables->prototype[0]), 1e-19);

    for (int p = 0; p < this->L; ++p)
    {
        double sum = 0.0;

        for (double g : this->tables->phase[p])
            sum += g;

        EXPECT_NEAR (sum, 1.0, 2e-4) << "phase " << p;
    }
}

TYPED_TEST (OversamplerTest, SmallConstantSettlesWithin30Samples)
{
    for (double epsilon : { 1e-4, -3e-5 })
    {
        Oversampler<TestFixture::L> oversampler (*this->tables);
        double y = 0.0;

        for (int i = 0; i < 30; ++i)
            y = oversampler.process (epsilon) / this->L;

        EXPECT_NEAR (y / epsilon, 1.0 + 3e-4, 3e-5);
    }
}

TYPED_TEST (OversamplerTest, SmallSignalResponseAcrossTheBand)
{
    // Flat well into the band, 0.38 of the base rate is the cut-off.
    EXPECT_NEAR (this->response (0.1).first, 0.0, 0.01);
    EXPECT_NEAR (this->response (0.3).first, -1.5, 0.1);
    EXPECT_NEAR (this->response (0.38).first, -12.05, 0.1);
    EXPECT_NEAR (this->response (0.45).first, -37.4, 0.5);

    // Interpolation and decimation delay the signal by 17 base samples,
    // which is the delay of the core's dry path.
    EXPECT_NEAR (this->response (0.01).second, 17.0, 0.01);
}

TYPED_TEST (OversamplerTest, ClearingZeroesTheHistoriesAndKeepsThePositions)
{
    Oversampler<TestFixture::L> oversampler (*this->tables);

    for (int i = 0; i < 21; ++i)
        oversampler.process (0.3);

    const int inputPosition = oversampler.getInputLine().getWritePosition();
    const int phasePosition = oversampler.getPhasePosition();
    oversampler.clear();

    EXPECT_EQ (oversampler.getInputLine().getWritePosition(), inputPosition);
    EXPECT_EQ (oversampler.getPhasePosition(), phasePosition);
    EXPECT_EQ (inputPosition, 21 % 16);

    for (int i = 0; i < 2 * HistoryLine::length; ++i)
    {
        EXPECT_EQ (oversampler.getInputLine().data()[i], 0.0);

        for (int p = 0; p < this->L; ++p)
            EXPECT_EQ (oversampler.getPhaseHistory (p, i), 0.0);
    }
}
