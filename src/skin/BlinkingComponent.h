#pragma once

#include <juce_events/juce_events.h>

#include <memory>

/**
    Blinking support every skin controller carries.

    While the blink timer runs, its phase flips at every tick and
    blinkStateChanged() is called; controls consult isBlinkHidden() while
    painting (an animation or a toggle then shows frame 0, a display no text).
    Nothing in the product starts the timer, so blinking normally stays off.
*/
class BlinkingComponent
{
public:
    BlinkingComponent();
    virtual ~BlinkingComponent();

    /** Called after every flip of the phase; controls repaint here. */
    virtual void blinkStateChanged() {}

    /** Starts blinking at the given interval (the stored interval when not positive). */
    void startBlinking (int intervalMs = 0);
    /** Stops blinking; controls hear blinkStateChanged() once more to show their content. */
    void stopBlinking();

    bool isBlinking() const;
    bool getBlinkPhase() const noexcept      { return blinkPhase; }
    int getBlinkIntervalMs() const noexcept  { return blinkIntervalMs; }

    /** True while blinking is on and in the phase that hides the control's content. */
    bool isBlinkHidden() const               { return isBlinking() && blinkPhase; }

private:
    class BlinkingComponentTimer;

    void blinkTick();

    bool blinkPhase = false;
    std::unique_ptr<BlinkingComponentTimer> blinkTimer;
    int blinkIntervalMs = 150;

    JUCE_DECLARE_NON_COPYABLE (BlinkingComponent)
};
