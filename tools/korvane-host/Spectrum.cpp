#include "Spectrum.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>

namespace
{
    constexpr double pi = 3.14159265358979323846;
    constexpr double floorDb = -160.0;

    /*  An in-place iterative radix-2 FFT of a fixed power-of-two size. The
        twiddle factors are computed once, each directly from its angle, so
        no rounding error builds up across the stages.
    */
    class Fft
    {
    public:
        explicit Fft (int order)
            : size ((std::size_t) 1 << order), twiddles (size / 2), reversed (size)
        {
            for (std::size_t k = 0; k < size / 2; ++k)
            {
                const auto angle = -2.0 * pi * (double) k / (double) size;
                twiddles[k] = { std::cos (angle), std::sin (angle) };
            }

            for (std::size_t i = 0; i < size; ++i)
            {
                std::size_t r = 0;

                for (int bit = 0; bit < order; ++bit)
                    if ((i >> bit) & 1)
                        r |= (std::size_t) 1 << (order - 1 - bit);

                reversed[i] = r;
            }
        }

        void perform (std::vector<std::complex<double>>& data) const
        {
            for (std::size_t i = 0; i < size; ++i)
                if (i < reversed[i])
                    std::swap (data[i], data[reversed[i]]);

            for (std::size_t half = 1; half < size; half *= 2)
            {
                const auto twiddleStep = size / (2 * half);

                for (std::size_t start = 0; start < size; start += 2 * half)
                {
                    for (std::size_t j = 0; j < half; ++j)
                    {
                        const auto odd = data[start + j + half] * twiddles[j * twiddleStep];
                        data[start + j + half] = data[start + j] - odd;
                        data[start + j] += odd;
                    }
                }
            }
        }

    private:
        std::size_t size;
        std::vector<std::complex<double>> twiddles;
        std::vector<std::size_t> reversed;
    };
}

std::vector<float> averageMagnitudeSpectrumDb (const float* samples, int numSamples, int fftOrder)
{
    if (fftOrder < 1 || fftOrder > 24)
        return {};

    const auto size = (std::size_t) 1 << fftOrder;
    const auto hop = size / 2;
    const auto available = samples != nullptr ? (std::size_t) std::max (numSamples, 0) : (std::size_t) 0;

    // The periodic Hann window, so overlapping frames at half a frame sum to a
    // constant and every sample counts the same.
    std::vector<double> window (size);
    double windowSum = 0.0;

    for (std::size_t n = 0; n < size; ++n)
    {
        window[n] = 0.5 - 0.5 * std::cos (2.0 * pi * (double) n / (double) size);
        windowSum += window[n];
    }

    const Fft fft (fftOrder);
    std::vector<std::complex<double>> frame (size);
    std::vector<double> power (size / 2 + 1, 0.0);
    std::size_t numFrames = 0;

    for (std::size_t start = 0; numFrames == 0 || start + size <= available; start += hop)
    {
        for (std::size_t n = 0; n < size; ++n)
        {
            const auto index = start + n;
            const auto x = index < available ? (double) samples[index] : 0.0;
            frame[n] = { x * window[n], 0.0 };
        }

        fft.perform (frame);

        for (std::size_t k = 0; k < power.size(); ++k)
            power[k] += std::norm (frame[k]);

        ++numFrames;
    }

    // A sine of amplitude A centred on bin k gives |X[k]| = A * windowSum / 2;
    // DC and Nyquist have no mirror image, so they get all of it.
    std::vector<float> result (power.size());

    for (std::size_t k = 0; k < power.size(); ++k)
    {
        const auto scale = (k == 0 || k == size / 2) ? 1.0 / windowSum : 2.0 / windowSum;
        const auto amplitude = std::sqrt (power[k] / (double) numFrames) * scale;
        const auto db = amplitude > 0.0 ? 20.0 * std::log10 (amplitude) : floorDb;
        result[k] = (float) std::max (db, floorDb);
    }

    return result;
}
