#pragma once

#include <vector>

/** The average magnitude spectrum of a signal, in dB, for bins 0 … N/2 of an
    N = 2^fftOrder point FFT.

    The signal is cut into Hann-windowed frames of N samples that overlap by
    half; the power of each bin is averaged over all frames. Levels are
    amplitudes relative to full scale, so a sine of amplitude 1 centred on a
    bin reads 0 dB there (a sine between two bins reads up to 1.4 dB lower,
    the Hann window's scalloping loss). Nothing reads below -160 dB.

    A signal shorter than one frame is padded with zeros to one frame.
    Returns an empty vector when fftOrder is outside 1 … 24.
*/
std::vector<float> averageMagnitudeSpectrumDb (const float* samples, int numSamples, int fftOrder);
