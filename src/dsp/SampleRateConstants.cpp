#include "dsp/SampleRateConstants.h"

#include <cmath>

void SampleRateConstants::update (double fs) noexcept
{
    sampleRate = fs;
    sampleRateF = (float) fs;

    if (fs == 44100.0)       rateIndex = 0;
    else if (fs == 48000.0)  rateIndex = 1;
    else if (fs == 88200.0)  rateIndex = 2;
    else if (fs == 96000.0)  rateIndex = 3;
    else if (fs == 192000.0) rateIndex = 4;

    inverse = 1.0 / fs;
    inverseF = (float) inverse;
    halfInverse = 1.0 / (2.0 * fs);
    rateRatio = fs / 44100.0;
    rateRatioF = (float) rateRatio;
    inverseRateRatio = 44100.0 / fs;
    smoothingFactor = 2.0 * (1.0 - std::pow (0.5, inverseRateRatio));
    smoothingFactorF = (float) smoothingFactor;
    smoothingFactorCubed = smoothingFactor * smoothingFactor * smoothingFactor;
    smoothingFactorCubedF = (float) smoothingFactorCubed;
    nyquist = fs / 2.0;
    slowSmoothing = smoothingFactor * 0.002;
    slowSmoothingF = (float) slowSmoothing;
    mediumSmoothingF = (float) (smoothingFactor * 0.005);
    meterSmoothingF = (float) (smoothingFactor * 0.0001);
    parameterSmoothing = smoothingFactor * 0.002;
    parameterSmoothingF = (float) parameterSmoothing;
}
