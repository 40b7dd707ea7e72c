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
// The output scale. Everything is laid out in units, the pixels of the 1x
// images; the same drawing is made at 1x and, for screens with more pixels
// than units, at 2x. Canvases, supersampling buffers, blur radii, shadow
// offsets and noise are in units; the pixel operations (downsample, quantise,
// crop, enlarge) work on pixels whatever the scale.

/** Pixels per unit of the images being drawn: 1 or 2. */
int outputScale();
void setOutputScale (int scale);

/** The unit coordinate of a pixel, in the 1x convention (pixel i lies at i):
    the position of its centre, less half a unit. */
float unitPosition (int pixel);

/** Makes a graphics context on a canvas (an image made by makeCanvas or
    drawn at the output scale) draw in units. */
void drawInUnits (juce::Graphics& g);

//==============================================================================
// Canvases. Images are JUCE ARGB images (premultiplied alpha).

/** An empty transparent image of exactly width x height pixels. */
juce::Image makeImage (int width, int height);

/** An empty transparent canvas of width x height units. */
juce::Image makeCanvas (int width, int height);

/** A canvas of width x height units drawn at `factor` times the output
    scale (the callback draws in units; the graphics context is scaled) and
    averaged down with a box filter, which gives exact, smooth anti-aliasing. */
juce::Image renderSupersampled (int width, int height, int factor,
                                const std::function<void (juce::Graphics&)>& draw);

/** Averages each factor x factor block of pixels into one. */
juce::Image downsample (const juce::Image& source, int factor);

/** Approximately Gaussian blur (three box passes) with the given box radius
    in units, in place. At 2x the passes' radii are chosen so that the blur
    spreads as far, in units, as at 1x. */
void blur (juce::Image& image, int radius);

/** Draws `layer` over `target` at (x, y) units with the given opacity (both
    drawn at the output scale). */
void composite (juce::Image& target, const juce::Image& layer, int x = 0, int y = 0, float opacity = 1.0f);

/** A soft shadow of everything drawn by `silhouette`, offset and blurred (in units). */
juce::Image makeShadow (int width, int height, float offsetX, float offsetY, int blurRadius,
                        float opacity, const std::function<void (juce::Graphics&)>& silhouette);

/** Multiplies the alpha of every pixel by the result of `factor (x, y)`,
    called with the pixel's unitPosition(). */
void modulateAlpha (juce::Image& image, const std::function<float (float, float)>& factor);

/** Stacks frames of equal size vertically into one film strip. */
juce::Image stackFrames (const std::vector<juce::Image>& frames);

/** Reduces the image to at most `maxColours` colours (alpha included) by
    median cut in premultiplied space, without dithering, so that writePng
    can store it with a palette. Deterministic. */
juce::Image quantise (const juce::Image& image, int maxColours);

/** Copies a rectangle out of an image. */
juce::Image crop (const juce::Image& source, juce::Rectangle<int> area);

/** Nearest-neighbour enlargement: for close-up inspection, and for pixel art
    drawn at 1x and shown with each pixel doubled at 2x. */
juce::Image enlarge (const juce::Image& source, int factor);

/** The file name of an image at the given scale: "Knob.png", "Knob@2x.png". */
juce::String scaledFileName (const juce::String& name, int scale);

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
