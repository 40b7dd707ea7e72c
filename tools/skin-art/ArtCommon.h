// Shared drawing helpers of korvane-skin-art: supersampled canvases, blur,
// deterministic noise, the unit's colours and fonts, engraving and PNG output.
#pragma once

#include <juce_graphics/juce_graphics.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace art
{
//==============================================================================
// The unit's colours.
namespace colours
{
    const juce::Colour panel       { 0xff25211e }; // warm black crackle paint
    const juce::Colour panelDeep   { 0xff141210 };
    const juce::Colour cream       { 0xffeadcbc }; // silk-screened legends
    const juce::Colour creamDim    { 0xffb9ab8e };
    const juce::Colour amber       { 0xfff2a94a }; // headers, lamps, inlays
    const juce::Colour amberBright { 0xffffd089 };
    const juce::Colour amberDeep   { 0xff9c5a1c };
    const juce::Colour bakelite    { 0xff1a1715 };
    const juce::Colour displayBack { 0xff232224 }; // the preset display's fill
}

//==============================================================================
// Canvases. Images are JUCE ARGB images (premultiplied alpha).

/** An empty transparent image. */
juce::Image makeImage (int width, int height);

/** Draws at `factor` times the size (the callback draws in final pixel
    coordinates; the graphics context is scaled) and averages the result down
    with a box filter, which gives exact, smooth anti-aliasing. */
juce::Image renderSupersampled (int width, int height, int factor,
                                const std::function<void (juce::Graphics&)>& draw);

/** Averages each factor x factor block of pixels into one. */
juce::Image downsample (const juce::Image& source, int factor);

/** Approximately Gaussian blur (three box passes) with the given box radius, in place. */
void blur (juce::Image& image, int radius);

/** Draws `layer` over `target` at (x, y) with the given opacity. */
void composite (juce::Image& target, const juce::Image& layer, int x = 0, int y = 0, float opacity = 1.0f);

/** A soft shadow of everything drawn by `silhouette`, offset and blurred. */
juce::Image makeShadow (int width, int height, float offsetX, float offsetY, int blurRadius,
                        float opacity, const std::function<void (juce::Graphics&)>& silhouette);

/** Multiplies the alpha of every pixel by the result of `factor (x, y)`. */
void modulateAlpha (juce::Image& image, const std::function<float (int, int)>& factor);

/** Stacks frames of equal size vertically into one film strip. */
juce::Image stackFrames (const std::vector<juce::Image>& frames);

/** Reduces the image to at most `maxColours` colours (alpha included) by
    median cut in premultiplied space, without dithering, so that writePng
    can store it with a palette. Deterministic. */
juce::Image quantise (const juce::Image& image, int maxColours);

/** Copies a rectangle out of an image. */
juce::Image crop (const juce::Image& source, juce::Rectangle<int> area);

/** Nearest-neighbour enlargement, for close-up inspection. */
juce::Image enlarge (const juce::Image& source, int factor);

//==============================================================================
// Deterministic noise: the same numbers on every run and every machine.

std::uint32_t hash (std::int32_t x, std::int32_t y, std::uint32_t seed);
float whiteNoise (std::int32_t x, std::int32_t y, std::uint32_t seed);          // -1 ... 1
float valueNoise (float x, float y, std::uint32_t seed);                        // smooth, -1 ... 1
float fractalNoise (float x, float y, int octaves, std::uint32_t seed);         // about -1 ... 1

//==============================================================================
// Fonts, read from the DejaVu files so the output does not depend on the
// machine's font configuration (the default sans-serif font is the fallback).

juce::Font legendFont (float height);   // DejaVu Sans Condensed Bold
juce::Font plainFont (float height);    // DejaVu Sans Condensed
juce::Font logoFont (float height);     // DejaVu Serif Bold
juce::Font scriptFont (float height);   // DejaVu Serif Condensed Italic

/** Width of a single line of text. */
float textWidth (const juce::Font& font, const juce::String& text);

/** A silk-screened legend: `text` centred on centreX (or aligned per
    `justification`) with its baseline at baselineY, in `colour`, with a faint
    lower lip where the paint catches the light. */
void drawLegend (juce::Graphics& g, const juce::String& text, const juce::Font& font,
                 float x, float baselineY, juce::Colour colour,
                 juce::Justification justification = juce::Justification::horizontallyCentred);

//==============================================================================
// Geometry helpers.

/** Point at `radius` from `centre` in direction `angle` (radians, 0 = up, clockwise). */
juce::Point<float> polar (juce::Point<float> centre, float radius, float angle);

/** A thick radial line from radius r1 to r2 along `angle`. */
juce::Path radialLine (juce::Point<float> centre, float r1, float r2, float angle, float thickness);

/** The knobs' rotation: 300 degrees, from -150 (minimum) to +150 (maximum). */
float knobAngle (float proportion);

//==============================================================================
/** Writes the image as a PNG file: RGB when fully opaque, palette when it has
    at most 256 colours, else RGBA; maximum compression, with the smallest of
    the row filters. The output depends only on the pixels. */
bool writePng (const juce::Image& image, const juce::File& file);

/** Reads a PNG (or any format JUCE decodes). */
juce::Image readImage (const juce::File& file);
} // namespace art
