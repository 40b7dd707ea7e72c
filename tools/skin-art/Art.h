// The drawing programs of korvane-skin-art, one per kind of image.
#pragma once

#include "ArtCommon.h"
#include "SkinLayout.h"

namespace art
{
//==============================================================================
// Knobs (KnobArt.cpp). Frame i of n shows the knob turned to knobAngle (i / (n - 1)).

/** Black chicken-head knob with a cream inlay, for the large controls. */
juce::Image drawPointerKnobStrip (int width, int height, int frames);

/** Small knurled knob with a spun-aluminium cap, for the equaliser. */
juce::Image drawRoundKnobStrip (int width, int height, int frames, juce::Colour skirtLine);

/** The radii of the scale printed on the panel around a knob of this kind and size. */
juce::Range<float> knobScaleRadii (ControlKind kind, int width, int height);

//==============================================================================
// Buttons (ButtonArt.cpp).

/** Two frames: released, pressed. The cap sits at buttonCap() on the panel. */
juce::Image drawPushButtonStrip (const SkinControl& button);

/** Four frames: off, off pressed, on, on pressed: a jewel lamp over a bat-handle toggle. */
juce::Image drawLampToggleStrip (int width, int height);

/** Where the toggle's lever ends (in frame coordinates) when it is thrown up or down. */
juce::Point<float> toggleLeverTip (int width, int height, bool up);

/** The recess in the panel around a button cap (drawn on the background). */
void drawButtonWell (juce::Graphics& g, juce::Rectangle<float> cap);

//==============================================================================
// Meters (MeterArt.cpp).

/** An edgewise meter in a backlit amber window; frame i shows the needle at
    i / (frames - 1) of the scale (-24 dB ... +6 dB, 0 dB at 0.8). The needle's
    pivot sits beyond the left edge, or beyond the right edge when mirrored. */
juce::Image drawMeterStrip (int width, int height, int frames, bool pivotOnRight);

//==============================================================================
// Bitmap font (FontArt.cpp).

constexpr int glyphWidth = 7;
constexpr int glyphHeight = 9;
constexpr int firstGlyph = 32;
constexpr int glyphCount = 96;

/** Whether pixel (x, y) of character c's 7 x 9 cell is ink. */
bool glyphPixel (int character, int x, int y);

/** 7 x 1728: the 96 glyphs of characters 32 ... 127, then the same glyphs
    inverted; at 2x every pixel doubled. */
juce::Image drawFontStrip();

/** Tiny 3 x 5 digits, for meter scales: draws text made of 0-9, '+' and '-',
    a unit a pixel (on a context drawing in units, so doubled at 2x). */
void drawTinyText (juce::Graphics& g, const juce::String& text, int x, int y, juce::Colour colour);
int tinyTextWidth (const juce::String& text);

//==============================================================================
// The background (PanelArt.cpp).

juce::Image drawBackground();

//==============================================================================
// Preview (Preview.cpp): the background with every control of skin.xml at its
// parameter's initial value, as the editor shows it when it opens.

/** At a resolution of 2, from the "@2x" images (`area` stays in units). */
bool writePreview (const juce::File& skinFolder, const juce::File& parametersFile,
                   const juce::File& output, int scale, const juce::String& area = {}, int resolution = 1);

/** For every PNG of the folder, checks that its "@2x" image is there and
    exactly twice its size, and prints how far the 2x image averaged down
    (2 x 2 box filter) differs from it: the mean absolute difference of each
    premultiplied channel, in levels of 255. */
bool checkDoubledImages (const juce::File& folder);

/** Frames of a strip side by side, enlarged, for a close look. */
bool writeContactSheet (const juce::File& strip, int frames, const juce::Array<int>& which,
                        const juce::File& output, int scale);

//==============================================================================
// The editor's own artwork outside the skin (UiArt.cpp): icon buttons, the
// window icon, window edge decorations, radio buttons, check boxes and text
// button caps, for windows of a light grey (#c5c5c5).

/** The icon sheets: iconCount icons side by side, the normal look in the
    upper row and the pressed look in the lower one. By index: close, copy,
    cut, paste, delete entry, down, up, left, right, plus, minus, load, bin,
    refresh, settings, open folder, save. */
constexpr int iconCount = 17;
constexpr int largeIconSize = 43;
constexpr int smallIconSize = 27;

struct UiImage
{
    juce::String name;
    juce::Image image;
};

/** Every image, with its file name. */
std::vector<UiImage> drawUiArtwork();

/** The file names drawUiArtwork() gives, in the same order. */
juce::StringArray uiImageNames();

/** All of them as the editor puts them together, on the window grey; at a
    resolution of 2 from the "@2x" images (`area` stays in units). */
bool writeUiPreview (const juce::File& folder, const juce::File& output, int scale,
                     const juce::String& area = {}, int resolution = 1);
} // namespace art
