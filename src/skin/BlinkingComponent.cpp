#include "skin/BlinkingComponent.h"

/*  The timer that drives the blink phase; it only calls back into its owner. */
class BlinkingComponent::BlinkingComponentTimer : public juce::Timer
{
public:
    explicit BlinkingComponentTimer (BlinkingComponent& ownerToUse) : owner (ownerToUse) {}

    void timerCallback() override { owner.blinkTick(); }

private:
    BlinkingComponent& owner;
};

BlinkingComponent::BlinkingComponent()
    : blinkTimer (std::make_unique<BlinkingComponentTimer> (*this))
{
}

BlinkingComponent::~BlinkingComponent()
{
    blinkTimer->stopTimer();
}

void BlinkingComponent::startBlinking (int intervalMs)
{
    if (intervalMs > 0)
        blinkIntervalMs = intervalMs;

    blinkTimer->startTimer (blinkIntervalMs);
}

void BlinkingComponent::stopBlinking()
{
    if (! blinkTimer->isTimerRunning())
        return;

    // Controls refresh their look: blinking no longer hides anything.
    blinkTimer->stopTimer();
    blinkStateChanged();
}

bool BlinkingComponent::isBlinking() const
{
    return blinkTimer->isTimerRunning();
}

void BlinkingComponent::blinkTick()
{
    blinkPhase = ! blinkPhase;
    blinkStateChanged();
}
