#pragma once

#include <cmath>

/*  How far a core's output has moved from its processed signal to its dry
    signal (the input delayed by the core's latency): 0 processed, 1
    bypassed. A host's bypass switch moves it in a straight line over a few
    milliseconds, one step per sample, so switching in either direction
    never clicks; the first block after a prepare takes the host's state at
    once, so a project that loads bypassed never sounds processed.

    The mix is exact at both ends: fully bypassed gives the dry sample bit for
    bit, fully processed the processed one.
*/
class BypassRamp
{
public:
    static constexpr double rampSeconds = 0.005;

    void setSampleRate (double sampleRate) noexcept
    {
        const double samples = std::round (rampSeconds * sampleRate);
        step = samples >= 1.0 ? 1.0 / samples : 1.0;
    }

    /** The host's switch for the coming samples; `immediately` skips the ramp. */
    void setBypassed (bool shouldBeBypassed, bool immediately) noexcept
    {
        target = shouldBeBypassed ? 1.0 : 0.0;

        if (immediately)
            amount = target;
    }

    bool isBypassed() const noexcept { return target != 0.0; }

    /** True while the output is not simply the processed signal. */
    bool isEngaged() const noexcept { return amount != 0.0 || target != 0.0; }

    double getAmount() const noexcept { return amount; }

    /** One sample's step towards the switch's position. */
    void advance() noexcept
    {
        if (amount < target)
            amount = amount + step >= target ? target : amount + step;
        else if (amount > target)
            amount = amount - step <= target ? target : amount - step;
    }

    /** The output for one sample at the current position. */
    double mix (double processed, double dry) const noexcept
    {
        if (amount >= 1.0) return dry;
        if (amount <= 0.0) return processed;
        return processed + (dry - processed) * amount;
    }

private:
    double amount = 0.0, target = 0.0, step = 1.0 / 220.0;
};
