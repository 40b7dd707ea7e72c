// Where the skin's controls sit on the 633 x 207 background, as skin.xml
// places them. The panel art puts its legends, scales and bezels around these
// rectangles; the strips are drawn at exactly these frame sizes.
#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

namespace art
{
enum class ControlKind
{
    pointerKnob,    // large chicken-head knob
    roundKnob,      // small equaliser knob
    pushButton,
    lampToggle,     // "3D" toggle: off, off pressed, on, on pressed
    meter,
    display
};

enum class ButtonIcon { none, gear, previous, next, list };

struct SkinControl
{
    const char* name;
    const char* resource;
    ControlKind kind;
    int frames;
    int x, y, width, height;
    ButtonIcon icon = ButtonIcon::none;

    juce::Rectangle<int> bounds() const { return { x, y, width, height }; }
    int getRight() const { return x + width; }
    int getBottom() const { return y + height; }
    juce::Point<float> centre() const { return bounds().toFloat().getCentre(); }
};

constexpr int backgroundWidth = 633;
constexpr int backgroundHeight = 207;

inline const std::vector<SkinControl>& skinControls()
{
    static const std::vector<SkinControl> controls {
        { "OptionsButton",         "OptionsButton.png",         ControlKind::pushButton,  2,  78,  14, 38, 43, ButtonIcon::gear },
        { "PrevPresetButton",      "PrevPresetButton.png",      ControlKind::pushButton,  2, 297,  15, 33, 42, ButtonIcon::previous },
        { "NextPresetButton",      "NextPresetButton.png",      ControlKind::pushButton,  2, 335,  16, 34, 41, ButtonIcon::next },
        { "BrowsePresetButton",    "BrowsePresetButton.png",    ControlKind::pushButton,  2, 372,  17, 33, 40, ButtonIcon::list },
        { "PresetNameDisplay",     "Fonts.png",                 ControlKind::display,     1, 130,  28, 153, 13 },
        { "LeftVUMeter",           "LeftVUMeterAnimation.png",  ControlKind::meter,      12, 559,  99, 26, 89 },
        { "RightVUMeter",          "RightVUMeterAnimation.png", ControlKind::meter,      12, 585, 100, 28, 89 },
        { "OutputVolumeKnob",      "OutputVolumeKnob.png",      ControlKind::pointerKnob, 61, 566,  50, 37, 35 },
        { "PreampGainKnob",        "PreampGainKnob.png",        ControlKind::pointerKnob, 61,  20,  23, 36, 34 },
        { "LowCutKnob",            "LowCutKnob.png",            ControlKind::pointerKnob, 61,  20,  87, 36, 34 },
        { "HighCutKnob",           "HighCutKnob.png",           ControlKind::pointerKnob, 61,  20, 150, 36, 34 },
        { "HighCutOnOffButton",    "HighCutOnOffButton.png",    ControlKind::lampToggle,  4,  83, 144, 41, 56 },
        { "TubeBiasKnob",          "TubeBiasKnob.png",          ControlKind::pointerKnob, 61,  85,  86, 36, 34 },
        { "ToneKnob",              "ToneKnob.png",              ControlKind::pointerKnob, 61, 140,  86, 36, 34 },
        { "BrightnessKnob",        "BrightnessKnob.png",        ControlKind::pointerKnob, 61, 140, 151, 36, 34 },
        { "BassFrequencyKnob",     "BassFrequencyKnob.png",     ControlKind::roundKnob,   61, 239,  83, 28, 28 },
        { "MiddleFrequencyKnob",   "MiddleFrequencyKnob.png",   ControlKind::roundKnob,   61, 305,  83, 28, 28 },
        { "TrebleFrequencyKnob",   "TrebleFrequencyKnob.png",   ControlKind::roundKnob,   61, 370,  83, 28, 28 },
        { "PresenceFrequencyKnob", "PresenceFrequencyKnob.png", ControlKind::roundKnob,   61, 436,  83, 28, 28 },
        { "BassGainKnob",          "BassGainKnob.png",          ControlKind::roundKnob,   61, 239, 124, 28, 28 },
        { "MiddleGainKnob",        "MiddleGainKnob.png",        ControlKind::roundKnob,   61, 305, 124, 28, 28 },
        { "TrebleGainKnob",        "TrebleGainKnob.png",        ControlKind::roundKnob,   61, 370, 124, 28, 28 },
        { "PresenceGainKnob",      "PresenceGainKnob.png",      ControlKind::roundKnob,   61, 436, 124, 28, 28 },
        { "BassBandwidthKnob",     "BassBandwidthKnob.png",     ControlKind::roundKnob,   61, 239, 165, 28, 28 },
        { "MiddleBandwidthKnob",   "MiddleBandwidthKnob.png",   ControlKind::roundKnob,   61, 305, 165, 28, 28 },
        { "TrebleBandwidthKnob",   "TrebleBandwidthKnob.png",   ControlKind::roundKnob,   61, 370, 165, 28, 28 },
        { "PresenceBandwidthKnob", "PresenceBandwidthKnob.png", ControlKind::roundKnob,   61, 436, 165, 28, 28 },
        { "FXKnob",                "FXKnob.png",                ControlKind::pointerKnob, 61, 500, 149, 35, 35 },
    };

    return controls;
}

inline const SkinControl& control (const char* name)
{
    for (auto& c : skinControls())
        if (juce::String (c.name) == name)
            return c;

    jassertfalse;
    return skinControls().front();
}

/** Where each push button's cap sits on the panel (the caps line up; the
    button frames around them differ in size). */
inline juce::Rectangle<int> buttonCap (const SkinControl& button)
{
    const int top = 21, height = 30;

    switch (button.icon)
    {
        case ButtonIcon::gear:     return { 82, top, 30, height };
        case ButtonIcon::previous: return { 300, top, 27, height };
        case ButtonIcon::next:     return { 338, top, 27, height };
        case ButtonIcon::list:     return { 375, top, 27, height };
        case ButtonIcon::none:     break;
    }

    return button.bounds().reduced (3);
}
} // namespace art
