// The editor's own artwork, outside the skin: the icon buttons of its windows
// and dialogs, the title bar's window icon, the edge decorations of its light
// grey windows, radio buttons, check boxes and the caps of its text buttons.
// Everything sits on a light grey (#c5c5c5) window, lit from above.
#include "Art.h"

#include <cmath>
#include <iostream>
#include <map>

namespace art
{
using namespace juce;

namespace
{
    constexpr int superSampling = 8;

    const Colour windowGrey   { 0xffc5c5c5 };
    const Colour symbolGrey   { 0xff3a3a3a };
    const Colour titleBarGrey { 0xff444444 };

    PixelARGB* pixelAt (Image::BitmapData& data, int x, int y)
    {
        return reinterpret_cast<PixelARGB*> (data.getPixelPointer (x, y));
    }

    //==========================================================================
    // Symbols are built as a sequence of filled shapes and cut-outs ("ink"):
    // a cut clears whatever was inked before it, which gives the small light
    // gaps that separate overlapping parts (the front sheet of the copy
    // symbol from the one behind it, a folder's flap from its back). Shapes
    // are given on a 20 x 20 grid centred in the icon.
    constexpr float grid = 20.0f;

    struct Ink
    {
        struct Step
        {
            Path path;
            bool cut;
        };

        Ink& fill (const Path& p)
        {
            steps.push_back ({ p, false });
            return *this;
        }

        /** Clears `p`, and `gap` around it. */
        Ink& cut (const Path& p, float gap = 0.0f)
        {
            steps.push_back ({ p, true });

            if (gap > 0.0f)
            {
                Path ring;
                PathStrokeType (gap * 2.0f, PathStrokeType::curved, PathStrokeType::rounded).createStrokedPath (ring, p);
                steps.push_back ({ ring, true });
            }

            return *this;
        }

        std::vector<Step> steps;
    };

    /** How an icon is drawn at one size: grid units per pixel, and whether
        the icon is the small one (which leaves out fine detail). */
    struct IconScale
    {
        float unitsPerPixel;
        bool small;

        float px (float pixels) const { return pixels * unitsPerPixel; }
    };

    Path stroked (const Path& p, float width, PathStrokeType::EndCapStyle cap = PathStrokeType::rounded,
                  PathStrokeType::JointStyle joint = PathStrokeType::curved)
    {
        Path result;
        PathStrokeType (width, joint, cap).createStrokedPath (result, p);
        return result;
    }

    Path segment (float x1, float y1, float x2, float y2, float width,
                  PathStrokeType::EndCapStyle cap = PathStrokeType::rounded)
    {
        Path p;
        p.startNewSubPath (x1, y1);
        p.lineTo (x2, y2);
        return stroked (p, width, cap);
    }

    Path roundedBox (float x, float y, float w, float h, float corner)
    {
        Path p;
        p.addRoundedRectangle (x, y, w, h, corner);
        return p;
    }

    Path polygon (std::initializer_list<Point<float>> points, float corner = 0.0f)
    {
        Path p;
        bool first = true;

        for (auto point : points)
        {
            if (first)
                p.startNewSubPath (point);
            else
                p.lineTo (point);

            first = false;
        }

        p.closeSubPath();
        return corner > 0.0f ? p.createPathWithRoundedCorners (corner) : p;
    }

    /** A bar from a to b that narrows from widthA to widthB. */
    Path taperedBar (Point<float> a, Point<float> b, float widthA, float widthB)
    {
        const auto d = (b - a) / a.getDistanceFrom (b);
        const Point<float> n (-d.y, d.x);
        return polygon ({ a + n * (widthA * 0.5f), b + n * (widthB * 0.5f),
                          b - n * (widthB * 0.5f), a - n * (widthA * 0.5f) }, 0.3f);
    }

    //==========================================================================
    // The symbols.
    const float line = 2.0f;   // the usual stroke, in grid units

    Ink closeSymbol (const IconScale&)
    {
        Ink ink;
        ink.fill (segment (4.6f, 4.6f, 15.4f, 15.4f, 2.7f));
        ink.fill (segment (15.4f, 4.6f, 4.6f, 15.4f, 2.7f));
        return ink;
    }

    void sheetLines (Ink& ink, float x, float y, float width, int count, float step)
    {
        for (int i = 0; i < count; ++i)
            ink.fill (roundedBox (x, y + step * (float) i, i == count - 1 ? width * 0.6f : width, 1.1f, 0.4f));
    }

    Ink copySymbol (const IconScale& s)
    {
        Ink ink;
        const auto back = roundedBox (2.5f, 1.8f, 10.0f, 12.5f, 1.3f);
        const auto front = roundedBox (7.5f, 5.7f, 10.0f, 12.5f, 1.3f);
        ink.fill (stroked (back, line));
        ink.cut (front, 1.3f);
        ink.fill (stroked (front, line));

        if (! s.small)
            sheetLines (ink, 10.2f, 9.4f, 4.8f, 3, 2.6f);

        return ink;
    }

    Ink scissorsSymbol (const IconScale& s)
    {
        Ink ink;
        const float ringRadius = 2.9f, ringY = 15.2f;

        for (float side : { -1.0f, 1.0f })
        {
            const Point<float> ring (10.0f + side * 4.6f, ringY);
            Path r;
            r.addEllipse (Rectangle<float> (ringRadius * 2.0f, ringRadius * 2.0f).withCentre (ring));
            ink.fill (stroked (r, 1.9f));

            // The blade leaves the top of its ring and crosses to the other side.
            const Point<float> root (ring.x - side * 1.6f, ring.y - ringRadius + 0.4f);
            const Point<float> tip (10.0f - side * 5.0f, 1.4f);
            ink.fill (taperedBar (root, tip, 2.5f, 0.7f));
        }

        if (! s.small)
        {
            Path pivot;
            pivot.addEllipse (Rectangle<float> (1.3f, 1.3f).withCentre ({ 10.0f, 7.7f }));
            ink.cut (pivot);
        }

        return ink;
    }

    Ink pasteSymbol (const IconScale& s)
    {
        Ink ink;
        ink.fill (roundedBox (2.5f, 3.4f, 11.5f, 15.6f, 1.5f));

        const auto clip = roundedBox (5.3f, 1.2f, 5.9f, 4.2f, 1.0f);
        ink.cut (clip, 1.0f);
        ink.fill (clip);

        const auto sheet = roundedBox (8.6f, 8.0f, 9.4f, 11.0f, 1.0f);
        ink.cut (sheet, 1.3f);
        ink.fill (stroked (sheet, 1.8f));

        if (! s.small)
            sheetLines (ink, 10.8f, 11.0f, 5.0f, 3, 2.4f);

        return ink;
    }

    Path foldedSheet (float left, float top, float right, float bottom, float fold)
    {
        return polygon ({ { left, top }, { right - fold, top }, { right, top + fold }, { right, bottom }, { left, bottom } }, 0.8f);
    }

    Ink deleteSymbol (const IconScale& s)
    {
        Ink ink;
        const float left = 2.8f, top = 1.5f, right = 14.2f, bottom = 18.5f, fold = 4.0f;
        ink.fill (stroked (foldedSheet (left, top, right, bottom, fold), line));
        ink.fill (stroked (polygon ({ { right - fold, top }, { right - fold, top + fold }, { right, top + fold } }), 1.4f));

        if (! s.small)
            sheetLines (ink, 5.4f, 8.0f, 5.0f, 2, 2.6f);

        // The cross lies over the sheet's lower right corner.
        const Point<float> c (14.6f, 14.6f);
        const float arm = 4.0f, width = 2.6f;
        Path cross;
        cross.addPath (segment (c.x - arm, c.y - arm, c.x + arm, c.y + arm, width));
        cross.addPath (segment (c.x + arm, c.y - arm, c.x - arm, c.y + arm, width));
        ink.cut (cross, 1.3f);
        ink.fill (cross);
        return ink;
    }

    /** A solid triangle pointing down, rotated by quarter turns (1 = left,
        2 = up, 3 = right), with slightly rounded corners. It sits a little
        towards its point, so that its weight rather than its box is centred. */
    Ink triangleSymbol (int quarterTurns)
    {
        auto t = polygon ({ { 3.0f, 6.4f }, { 17.0f, 6.4f }, { 10.0f, 15.2f } });
        t.applyTransform (AffineTransform::rotation (MathConstants<float>::halfPi * (float) quarterTurns, 10.0f, 10.0f));
        Path rounded (t);
        rounded.addPath (stroked (t, 0.9f));

        Ink ink;
        ink.fill (rounded);
        return ink;
    }

    /** Plus and minus keep their bars on whole pixels: 3 pixels thick on
        the small key (centred on its middle pixel), 4 on the large one
        (half a pixel right of and below the middle, where 4 pixels fit). */
    Ink plusMinusSymbol (const IconScale& s, bool plus)
    {
        const float thickness = s.px (s.small ? 3.0f : 4.0f);
        const float length = s.px (s.small ? 13.0f : 20.0f);
        const float centre = 10.0f + (s.small ? 0.0f : s.px (0.5f));
        Path bars;
        bars.addRectangle (centre - length * 0.5f, centre - thickness * 0.5f, length, thickness);

        if (plus)
            bars.addRectangle (centre - thickness * 0.5f, centre - length * 0.5f, thickness, length);

        Ink ink;
        ink.fill (bars);
        return ink;
    }

    Path folderBack (float top)
    {
        return polygon ({ { 2.4f, top }, { 7.6f, top }, { 9.4f, top + 2.0f }, { 16.4f, top + 2.0f },
                          { 16.4f, 17.6f }, { 2.4f, 17.6f } }, 1.0f);
    }

    Path folderFlap (float top)
    {
        return polygon ({ { 5.6f, top }, { 19.2f, top }, { 16.4f, 17.6f }, { 2.4f, 17.6f } }, 0.9f);
    }

    Ink openFolderSymbol (const IconScale&)
    {
        Ink ink;
        ink.fill (stroked (folderBack (3.2f), line));
        const auto flap = folderFlap (8.6f);
        ink.cut (flap, 1.2f);
        ink.fill (flap);
        return ink;
    }

    Ink loadSymbol (const IconScale&)
    {
        Ink ink;
        ink.fill (stroked (folderBack (6.4f), line));

        // An arrow rises out of the open folder.
        Path arrow;
        arrow.addRectangle (10.1f, 5.0f, 2.6f, 9.0f);
        arrow.addPath (polygon ({ { 11.4f, 0.6f }, { 16.0f, 5.6f }, { 6.8f, 5.6f } }, 0.5f));
        ink.cut (arrow, 1.2f);
        ink.fill (arrow);

        const auto flap = folderFlap (11.0f);
        ink.cut (flap, 1.2f);
        ink.fill (flap);
        return ink;
    }

    Ink binSymbol (const IconScale& s)
    {
        Ink ink;
        ink.fill (stroked (roundedBox (7.6f, 1.4f, 4.8f, 3.4f, 1.0f), 1.6f));
        ink.cut (roundedBox (2.0f, 4.4f, 16.0f, 3.0f, 0.0f));
        ink.fill (roundedBox (2.8f, 4.4f, 14.4f, 2.4f, 0.7f));
        ink.fill (polygon ({ { 4.4f, 8.2f }, { 15.6f, 8.2f }, { 14.6f, 18.6f }, { 5.4f, 18.6f } }, 1.0f));

        const int slots = s.small ? 2 : 3;

        for (int i = 0; i < slots; ++i)
        {
            const float x = slots == 2 ? 8.1f + 3.8f * (float) i : 7.3f + 2.7f * (float) i;
            ink.cut (roundedBox (x - 0.65f, 10.2f, 1.3f, 6.4f, 0.6f));
        }

        return ink;
    }

    Ink refreshSymbol (const IconScale&)
    {
        Ink ink;
        const Point<float> c (10.0f, 10.0f);
        const float radius = 6.3f, width = 2.4f;

        // Two arcs, each ending in an arrowhead pointing on clockwise.
        for (float start : { 0.0f, MathConstants<float>::pi })
        {
            const float from = start + degreesToRadians (36.0f);
            const float to = start + degreesToRadians (146.0f);
            Path arc;
            arc.addCentredArc (c.x, c.y, radius, radius, 0.0f, from, to, true);
            ink.fill (stroked (arc, width, PathStrokeType::butt));

            const auto p = polar (c, radius, to);
            const Point<float> along (std::cos (to), std::sin (to));   // clockwise tangent
            const Point<float> out (std::sin (to), -std::cos (to));    // away from the centre
            ink.fill (polygon ({ p + along * 4.4f, p + out * 3.8f - along * 0.4f, p - out * 3.8f - along * 0.4f }, 0.3f));
        }

        return ink;
    }

    Ink gearSymbol (const IconScale&)
    {
        const Point<float> c (10.0f, 10.0f);
        const int teeth = 8;
        const float outer = 9.2f, root = 6.6f;
        Path gear;

        for (int i = 0; i < teeth; ++i)
        {
            const float a = MathConstants<float>::twoPi * (float) i / (float) teeth;
            const float points[][2] = { { -14.0f, root }, { -8.5f, outer }, { 8.5f, outer }, { 14.0f, root } };

            for (auto& pt : points)
            {
                const auto p = polar (c, pt[1], a + degreesToRadians (pt[0]));

                if (i == 0 && &pt == &points[0])
                    gear.startNewSubPath (p);
                else
                    gear.lineTo (p);
            }
        }

        gear.closeSubPath();
        gear = gear.createPathWithRoundedCorners (0.5f);

        Path hole;
        hole.addEllipse (Rectangle<float> (6.4f, 6.4f).withCentre (c));

        Ink ink;
        ink.fill (gear);
        ink.cut (hole);
        return ink;
    }

    Ink saveSymbol (const IconScale& s)
    {
        Ink ink;
        ink.fill (polygon ({ { 2.4f, 2.4f }, { 14.6f, 2.4f }, { 17.6f, 5.4f }, { 17.6f, 17.6f }, { 2.4f, 17.6f } }, 1.2f));

        // The metal shutter with its window, and the label.
        ink.cut (roundedBox (5.6f, 4.2f, 8.0f, 4.6f, 0.5f));
        ink.fill (roundedBox (10.6f, 5.0f, 1.8f, 3.0f, 0.3f));
        ink.cut (roundedBox (4.6f, 10.6f, 10.8f, 5.4f, 0.7f));

        if (! s.small)
        {
            ink.fill (roundedBox (6.2f, 12.2f, 7.6f, 0.9f, 0.3f));
            ink.fill (roundedBox (6.2f, 14.0f, 7.6f, 0.9f, 0.3f));
        }

        return ink;
    }

    Ink iconSymbol (int index, const IconScale& s)
    {
        switch (index)
        {
            case 0:  return closeSymbol (s);
            case 1:  return copySymbol (s);
            case 2:  return scissorsSymbol (s);
            case 3:  return pasteSymbol (s);
            case 4:  return deleteSymbol (s);
            case 5:  return triangleSymbol (0);
            case 6:  return triangleSymbol (2);
            case 7:  return triangleSymbol (1);
            case 8:  return triangleSymbol (3);
            case 9:  return plusMinusSymbol (s, true);
            case 10: return plusMinusSymbol (s, false);
            case 11: return loadSymbol (s);
            case 12: return binSymbol (s);
            case 13: return refreshSymbol (s);
            case 14: return gearSymbol (s);
            case 15: return openFolderSymbol (s);
            case 16: return saveSymbol (s);
            default: break;
        }

        return {};
    }

    /** The ink as a white mask (premultiplied, so only the alpha matters) of
        width x height units, drawn through `transform` (grid units to units). */
    Image renderInk (const Ink& ink, int width, int height, const AffineTransform& transform)
    {
        const int perUnit = superSampling * outputScale();
        const int w = width * perUnit, h = height * perUnit;
        std::vector<float> coverage ((size_t) w * (size_t) h, 0.0f);

        for (auto& step : ink.steps)
        {
            auto layer = makeImage (w, h);

            {
                Graphics g (layer);
                g.setColour (Colours::white);
                g.fillPath (step.path, transform.scaled ((float) perUnit));
            }

            const Image::BitmapData data (layer, Image::BitmapData::readOnly);

            for (int y = 0; y < h; ++y)
            {
                for (int x = 0; x < w; ++x)
                {
                    const float a = (float) reinterpret_cast<const PixelARGB*> (data.getPixelPointer (x, y))->getAlpha() / 255.0f;
                    auto& c = coverage[(size_t) y * (size_t) w + (size_t) x];
                    c = step.cut ? c * (1.0f - a) : c + a * (1.0f - c);
                }
            }
        }

        auto big = makeImage (w, h);

        {
            Image::BitmapData data (big, Image::BitmapData::writeOnly);

            for (int y = 0; y < h; ++y)
            {
                for (int x = 0; x < w; ++x)
                {
                    const auto v = (uint8) jlimit (0, 255, (int) std::lround (coverage[(size_t) y * (size_t) w + (size_t) x] * 255.0f));
                    pixelAt (data, x, y)->setARGB (v, v, v, v);
                }
            }
        }

        return downsample (big, superSampling);
    }

    /** Draws the mask in `colour`, moved by (dx, dy) units. The mask and the
        context's image are at the output scale, so `g` works in pixels. */
    void drawMask (Graphics& g, const Image& mask, Colour colour, int dx = 0, int dy = 0)
    {
        g.setColour (colour);
        g.drawImageAt (mask, dx * outputScale(), dy * outputScale(), true);
    }

    //==========================================================================
    // The light grey key an icon sits on.
    Image iconKey (int size, bool pressed)
    {
        const float s = (float) size;
        const float corner = s * 0.17f;
        const Rectangle<float> body (0.0f, 0.0f, s, s);

        return renderSupersampled (size, size, superSampling, [&] (Graphics& g)
        {
            Path shape;
            shape.addRoundedRectangle (body, corner);

            if (pressed)
            {
                // Pushed in: darker, shaded from the top, lit along the bottom.
                g.setGradientFill (ColourGradient (Colour (0xffb6b6b6), 0.0f, 0.0f, Colour (0xffcdcdcd), 0.0f, s, false));
                g.fillPath (shape);

                g.saveState();
                g.reduceClipRegion (shape);
                g.setGradientFill (ColourGradient (Colours::black.withAlpha (0.20f), 0.0f, 1.0f,
                                                   Colours::black.withAlpha (0.0f), 0.0f, 1.0f + s * 0.16f, false));
                g.fillRect (body);
                g.setColour (Colours::white.withAlpha (0.35f));
                g.fillRect (body.getX() + corner, s - 2.0f, s - 2.0f * corner, 1.0f);
                g.restoreState();

                g.setColour (Colour (0xff7c7c7c));
            }
            else
            {
                g.setGradientFill (ColourGradient (Colour (0xffe3e3e3), 0.0f, 0.0f, Colour (0xffcbcbcb), 0.0f, s, false));
                g.fillPath (shape);

                // A soft sheen over the upper half and a bright line along the top.
                g.saveState();
                g.reduceClipRegion (shape);
                g.setGradientFill (ColourGradient (Colours::white.withAlpha (0.45f), 0.0f, 1.0f,
                                                   Colours::white.withAlpha (0.0f), 0.0f, s * 0.5f, false));
                g.fillRect (body.reduced (1.0f));
                g.setColour (Colours::white.withAlpha (0.75f));
                g.fillRect (body.getX() + corner * 0.7f, 1.0f, s - 1.4f * corner, 1.0f);
                g.setColour (Colours::black.withAlpha (0.08f));
                g.fillRect (body.getX() + corner * 0.7f, s - 2.0f, s - 1.4f * corner, 1.0f);
                g.restoreState();

                g.setColour (Colour (0xff8e8e8e));
            }

            g.drawRoundedRectangle (body.reduced (0.5f), corner - 0.5f, 1.0f);
        });
    }

    Image iconFrame (int index, int size, bool pressed)
    {
        // The symbol fills about 60 % of the key, on whole pixels.
        const float symbolPixels = std::round ((float) size * 0.6f);
        const IconScale scale { grid / symbolPixels, size < 32 };
        const float offset = ((float) size - symbolPixels) * 0.5f + (pressed ? 1.0f : 0.0f);
        const auto transform = AffineTransform::scale (symbolPixels / grid).translated (offset, offset);
        const auto mask = renderInk (iconSymbol (index, scale), size, size, transform);

        auto frame = iconKey (size, pressed);

        {
            // Printed into the key: a faint light lip under the symbol. The
            // mask is in pixels already, so the context is not scaled.
            Graphics g (frame);
            drawMask (g, mask, Colours::white.withAlpha (pressed ? 0.30f : 0.55f), 0, 1);
            drawMask (g, mask, symbolGrey);
        }

        return frame;
    }

    Image drawIconSheet (int size)
    {
        auto sheet = makeCanvas (size * iconCount, size * 2);

        for (int i = 0; i < iconCount; ++i)
        {
            composite (sheet, iconFrame (i, size, false), i * size, 0);
            composite (sheet, iconFrame (i, size, true), i * size, size);
        }

        return sheet;
    }

    //==========================================================================
    // The window icon: a small glowing valve.
    Image drawWindowIcon()
    {
        const int size = 24;
        const float cx = 12.0f;
        Path glass;
        glass.addRoundedRectangle (6.0f, 1.5f, 12.0f, 17.0f, 6.0f, 6.0f, true, true, false, false);

        auto icon = makeCanvas (size, size);

        // The warm light around the glass.
        auto halo = renderSupersampled (size, size, superSampling, [&] (Graphics& g)
        {
            g.setColour (colours::amber);
            g.fillEllipse (Rectangle<float> (14.0f, 17.0f).withCentre ({ cx, 10.0f }));
        });
        blur (halo, 3);
        composite (icon, halo);

        // The glowing heater, blurred into a soft core.
        auto core = renderSupersampled (size, size, superSampling, [&] (Graphics& g)
        {
            g.setColour (colours::amberBright);
            g.fillRoundedRectangle (Rectangle<float> (3.0f, 8.0f).withCentre ({ cx, 11.5f }), 1.5f);
        });
        blur (core, 1);

        composite (icon, renderSupersampled (size, size, superSampling, [&] (Graphics& g)
        {
            // Smoky glass, lit from inside.
            ColourGradient inside (colours::amber.withAlpha (0.85f), cx, 11.5f,
                                   Colour (0xff3a2a1c).withAlpha (0.85f), cx, 3.0f, true);
            inside.addColour (0.55, colours::amberDeep.withAlpha (0.85f));
            g.setGradientFill (inside);
            g.fillPath (glass);

            // The plates either side of the heater.
            g.setColour (Colour (0xff4a4038));
            g.fillRect (Rectangle<float> (7.8f, 6.0f, 1.6f, 11.0f));
            g.fillRect (Rectangle<float> (14.6f, 6.0f, 1.6f, 11.0f));
            g.setColour (Colour (0xff8a7a68));
            g.fillRect (Rectangle<float> (7.8f, 6.0f, 0.6f, 11.0f));
            g.fillRect (Rectangle<float> (14.6f, 6.0f, 0.6f, 11.0f));
        }));

        composite (icon, core);

        composite (icon, renderSupersampled (size, size, superSampling, [&] (Graphics& g)
        {
            g.setColour (Colour (0xfffff6dc));
            g.fillRoundedRectangle (Rectangle<float> (1.2f, 6.0f).withCentre ({ cx, 11.5f }), 0.6f);

            // The envelope's edge and a reflection down its left side.
            g.setColour (Colour (0xffeee4d2).withAlpha (0.9f));
            g.strokePath (glass, PathStrokeType (0.9f));
            g.setColour (Colours::white.withAlpha (0.75f));
            g.fillRoundedRectangle (Rectangle<float> (7.1f, 4.8f, 1.0f, 8.0f), 0.5f);

            // The base, and its pins.
            g.setColour (Colour (0xffc8beb0));
            for (float x : { 9.0f, 12.0f, 15.0f })
                g.fillRect (Rectangle<float> (x - 0.6f, 21.0f, 1.2f, 2.5f));

            const Rectangle<float> base (6.0f, 17.8f, 12.0f, 3.8f);
            g.setGradientFill (ColourGradient (Colour (0xff5a5148), 0.0f, base.getY(), Colour (0xff1c1814), 0.0f, base.getBottom(), false));
            g.fillRoundedRectangle (base, 1.2f);
            g.setColour (Colour (0xffa89c8c));
            g.drawRoundedRectangle (base.reduced (0.35f), 1.0f, 0.7f);
        }));

        return icon;
    }

    //==========================================================================
    // Edge decorations: a beveled, finely ribbed strip along a window side,
    // dark at the edge and fading into the window's grey. Depth 0 is the
    // window edge; the strip repeats every 40 pixels along the edge (the ribs
    // have a period of 4 and the grain is looked up modulo 40).
    enum class Edge { top, bottom, left, right };

    constexpr int decorationLength = 40;
    constexpr int decorationDepth = 10;

    /** The strip's pixel at `depth` from the edge and `along` it. The
        inner, fading rows are a black or white veil, so that it blends into
        whatever grey lies beneath it. */
    PixelARGB decorationPixel (int depth, int along, bool lit)
    {
        // The bevel: dark rim, slope, bright (or, away from the light, dimmer) crest.
        const int rim[] = { 0x22, 0x42, 0x80, lit ? 0xee : 0xd9, lit ? 0xd8 : 0xcf };

        if (depth < 5)
        {
            const auto v = (uint8) rim[depth];
            return PixelARGB (255, v, v, v);
        }

        // Ribs, one groove every 4 pixels with a lit ridge after it, fading
        // inwards, over a shade that darkens the grey towards the edge.
        const float fade = 1.0f - (float) (depth - 5) / 5.0f;
        const int phase = along % 4;
        float delta = -16.0f * fade * fade;
        delta += phase == 0 ? -22.0f * fade : phase == 1 ? 12.0f * fade : phase == 2 ? 4.0f * fade : 0.0f;
        delta += 2.0f * fade * whiteNoise (along % decorationLength, 0, 71u);

        const float grey = (float) windowGrey.getRed();
        const float alpha = delta < 0.0f ? -delta / grey : delta / (255.0f - grey);
        const auto a = (uint8) jlimit (0, 255, (int) std::lround (alpha * 255.0f));
        const uint8 v = delta < 0.0f ? 0 : a;   // premultiplied white or black
        return PixelARGB (a, v, v, v);
    }

    Image drawDecoration (Edge edge)
    {
        const bool horizontal = edge == Edge::top || edge == Edge::bottom;
        const bool lit = edge == Edge::top || edge == Edge::left;
        auto image = makeImage (horizontal ? decorationLength : decorationDepth,
                                horizontal ? decorationDepth : decorationLength);

        {
            Image::BitmapData data (image, Image::BitmapData::writeOnly);

            for (int y = 0; y < image.getHeight(); ++y)
            {
                for (int x = 0; x < image.getWidth(); ++x)
                {
                    int depth = 0, along = 0;

                    switch (edge)
                    {
                        case Edge::top:    depth = y; along = x; break;
                        case Edge::bottom: depth = decorationDepth - 1 - y; along = x; break;
                        case Edge::left:   depth = x; along = y; break;
                        case Edge::right:  depth = decorationDepth - 1 - x; along = y; break;
                    }

                    *pixelAt (data, x, y) = decorationPixel (depth, along, lit);
                }
            }
        }

        // The bevel's rows and the one-pixel ribs are pixel art: at 2x each
        // pixel is doubled, which keeps them crisp.
        if (outputScale() != 1)
            return enlarge (image, outputScale());

        return image;
    }

    //==========================================================================
    // Radio buttons and check boxes, 15 x 14, pressed into the window: the
    // control takes the upper 13 x 13 pixels, the bottom row catches a light lip.
    const Rectangle<float> markArea (1.0f, 0.0f, 13.0f, 13.0f);

    void drawMarkWell (Graphics& g, const Path& shape)
    {
        g.setColour (Colours::white.withAlpha (0.6f));
        g.fillPath (shape, AffineTransform::translation (0.0f, 1.0f));

        g.setGradientFill (ColourGradient (Colour (0xffc2c2c2), 0.0f, markArea.getY(),
                                           Colour (0xfff4f4f4), 0.0f, markArea.getBottom(), false));
        g.fillPath (shape);

        // The shadow of the upper rim inside.
        g.saveState();
        g.reduceClipRegion (shape);
        g.setGradientFill (ColourGradient (Colours::black.withAlpha (0.16f), 0.0f, markArea.getY() + 1.0f,
                                           Colours::black.withAlpha (0.0f), 0.0f, markArea.getY() + 4.0f, false));
        g.fillRect (markArea);
        g.restoreState();

        g.setColour (Colour (0xff6c6c6c));
        g.strokePath (shape, PathStrokeType (1.0f), AffineTransform());
    }

    Image drawRadioButton (bool on)
    {
        return renderSupersampled (15, 14, superSampling, [&] (Graphics& g)
        {
            Path ring;
            ring.addEllipse (markArea.reduced (0.5f));
            drawMarkWell (g, ring);

            if (on)
            {
                const auto c = markArea.getCentre();
                g.setColour (Colour (0xff0c0c0c));
                g.fillEllipse (Rectangle<float> (5.4f, 5.4f).withCentre (c));
                g.setColour (Colours::white.withAlpha (0.30f));
                g.fillEllipse (Rectangle<float> (1.6f, 1.2f).withCentre (c.translated (-0.9f, -1.1f)));
            }
        });
    }

    Image drawCheckBox (bool on)
    {
        return renderSupersampled (15, 14, superSampling, [&] (Graphics& g)
        {
            Path box;
            box.addRoundedRectangle (markArea.reduced (0.5f), 2.2f);
            drawMarkWell (g, box);

            Path tick;
            tick.startNewSubPath (4.3f, 6.6f);
            tick.lineTo (6.7f, 9.2f);
            tick.lineTo (11.0f, 3.4f);
            g.setColour (on ? Colours::black : Colour (0xffe6e6e6));
            g.strokePath (tick, PathStrokeType (on ? 2.1f : 1.9f, PathStrokeType::curved, PathStrokeType::rounded));
        });
    }

    //==========================================================================
    // Text buttons: caps of a rounded, beveled light grey button. The middle
    // column carries no gloss; the overlay adds it over the stretched middle,
    // and the caps have the same gloss already, so that the parts join up.
    constexpr int textButtonCap = 10;
    constexpr int textButtonWidth = 2 * textButtonCap + 1;
    constexpr int textButtonHeight = 20;

    /** The gloss of the pixel row whose top edge lies `y` units down. */
    float glossAlpha (float y)
    {
        // White, 25 % just inside the outline, gone by the middle of the height.
        if (y < 1.0f || y >= (float) (textButtonHeight / 2))
            return 0.0f;

        return 0.25f * (1.0f - (y - 1.0f) / (float) (textButtonHeight / 2 - 1));
    }

    float rowTop (int y)
    {
        return (float) y / (float) outputScale();
    }

    Image textButtonFace (bool pressed)
    {
        const float w = (float) textButtonWidth, h = (float) textButtonHeight, corner = 4.0f;
        const Rectangle<float> body (0.0f, 0.0f, w, h);

        return renderSupersampled (textButtonWidth, textButtonHeight, superSampling, [&] (Graphics& g)
        {
            Path shape;
            shape.addRoundedRectangle (body, corner);

            g.setGradientFill (pressed ? ColourGradient (Colour (0xffa4a4a4), 0.0f, 0.0f, Colour (0xffc6c6c6), 0.0f, h, false)
                                       : ColourGradient (Colour (0xffececec), 0.0f, 0.0f, Colour (0xffbebebe), 0.0f, h, false));
            g.fillPath (shape);

            g.saveState();
            g.reduceClipRegion (shape);

            if (pressed)
            {
                // Inverted bevel: shadow under the upper edge, light along the lower one.
                g.setColour (Colours::black.withAlpha (0.22f));
                g.fillRect (0.0f, 1.0f, w, 1.0f);
                g.setColour (Colours::black.withAlpha (0.09f));
                g.fillRect (0.0f, 2.0f, w, 1.0f);
                g.setColour (Colours::white.withAlpha (0.40f));
                g.fillRect (0.0f, h - 2.0f, w, 1.0f);
            }
            else
            {
                g.setColour (Colours::white.withAlpha (0.80f));
                g.fillRect (0.0f, 1.0f, w, 1.0f);
                g.setColour (Colours::black.withAlpha (0.14f));
                g.fillRect (0.0f, h - 2.0f, w, 1.0f);
            }

            g.restoreState();

            g.setColour (pressed ? Colour (0xff3c3c3c) : Colour (0xff4e4e4e));
            g.drawRoundedRectangle (body.reduced (0.5f), corner - 0.5f, 1.0f);
        });
    }

    /** How much of each pixel lies inside the outline (where the gloss goes). */
    Image textButtonInside()
    {
        return renderSupersampled (textButtonWidth, textButtonHeight, superSampling, [] (Graphics& g)
        {
            g.setColour (Colours::white);
            g.fillRoundedRectangle (Rectangle<float> (0.0f, 0.0f, (float) textButtonWidth, (float) textButtonHeight).reduced (1.0f), 3.0f);
        });
    }

    Image drawTextButtonCaps()
    {
        const auto inside = textButtonInside();
        const Image::BitmapData insideData (inside, Image::BitmapData::readOnly);
        std::vector<Image> rows;

        for (bool pressed : { false, true })
        {
            auto face = textButtonFace (pressed);
            Image::BitmapData data (face, Image::BitmapData::readWrite);

            for (int y = 0; y < face.getHeight(); ++y)
            {
                for (int x = 0; x < face.getWidth(); ++x)
                {
                    if (x / outputScale() == textButtonCap)
                        continue;

                    const float inner = (float) reinterpret_cast<const PixelARGB*> (insideData.getPixelPointer (x, y))->getAlpha() / 255.0f;
                    const float a = glossAlpha (rowTop (y)) * inner;
                    auto* p = pixelAt (data, x, y);
                    auto blend = [a] (uint8 v, float white) { return (uint8) jlimit (0, 255, (int) std::lround ((float) v * (1.0f - a) + white * a)); };
                    const float alpha = (float) p->getAlpha();
                    p->setARGB (p->getAlpha(), blend (p->getRed(), alpha), blend (p->getGreen(), alpha), blend (p->getBlue(), alpha));
                }
            }

            rows.push_back (face);
        }

        return stackFrames (rows);
    }

    Image drawTextButtonOverlay()
    {
        auto overlay = makeCanvas (1, textButtonHeight);
        Image::BitmapData data (overlay, Image::BitmapData::writeOnly);

        for (int y = 0; y < overlay.getHeight(); ++y)
        {
            const auto a = (uint8) jlimit (0, 255, (int) std::lround (glossAlpha (rowTop (y)) * 255.0f));

            for (int x = 0; x < overlay.getWidth(); ++x)
                pixelAt (data, x, y)->setARGB (a, a, a, a);
        }

        return overlay;
    }
}

//==============================================================================
std::vector<UiImage> drawUiArtwork()
{
    return {
        { "IconsLarge.png", drawIconSheet (largeIconSize) },
        { "IconsSmall.png", drawIconSheet (smallIconSize) },
        { "WindowIcon.png", drawWindowIcon() },
        { "DecorationTop.png", drawDecoration (Edge::top) },
        { "DecorationBottom.png", drawDecoration (Edge::bottom) },
        { "DecorationLeft.png", drawDecoration (Edge::left) },
        { "DecorationRight.png", drawDecoration (Edge::right) },
        { "RadioButtonOff.png", drawRadioButton (false) },
        { "RadioButtonOn.png", drawRadioButton (true) },
        { "CheckBoxOff.png", drawCheckBox (false) },
        { "CheckBoxOn.png", drawCheckBox (true) },
        { "TextButton0.png", drawTextButtonCaps() },
        { "TextButtonOverlay0.png", drawTextButtonOverlay() },
    };
}

//==============================================================================
// The preview: every image of the folder as the editor uses it, on the
// window grey: the icon sheets, the window icon on a title bar, a window
// framed by the tiled decorations below a strip of the skin's panel paint,
// and radio buttons, check boxes and text buttons of several widths. At 2x
// the same from the "@2x" images: the context draws in units, the images'
// pixels are taken two to a unit.
namespace
{
    void drawTextButton (Graphics& g, const Image& caps, const Image& overlay, Rectangle<int> area,
                         const String& text, bool pressed, int r)
    {
        const int sy = pressed ? textButtonHeight : 0;
        const int middle = area.getWidth() - 2 * textButtonCap;
        g.drawImage (caps, area.getX(), area.getY(), textButtonCap, textButtonHeight,
                     0, sy * r, textButtonCap * r, textButtonHeight * r);
        g.drawImage (caps, area.getX() + textButtonCap, area.getY(), middle, textButtonHeight,
                     textButtonCap * r, sy * r, r, textButtonHeight * r);
        g.drawImage (caps, area.getRight() - textButtonCap, area.getY(), textButtonCap, textButtonHeight,
                     (textButtonCap + 1) * r, sy * r, textButtonCap * r, textButtonHeight * r);
        g.drawImage (overlay, area.getX() + textButtonCap, area.getY(), middle, textButtonHeight,
                     0, 0, r, textButtonHeight * r);

        g.setColour (Colours::black);
        g.setFont (plainFont (13.0f));
        g.drawText (text, area.translated (pressed ? 1 : 0, pressed ? 1 : 0), Justification::centred, false);
    }

    /** Draws an image of r pixels a unit at (x, y) units. */
    void place (Graphics& g, const Image& image, int x, int y, int r)
    {
        g.drawImage (image, x, y, image.getWidth() / r, image.getHeight() / r, 0, 0, image.getWidth(), image.getHeight());
    }

    void tile (Graphics& g, const Image& image, Rectangle<int> area, int r)
    {
        g.saveState();
        g.reduceClipRegion (area);

        for (int y = area.getY(); y < area.getBottom(); y += image.getHeight() / r)
            for (int x = area.getX(); x < area.getRight(); x += image.getWidth() / r)
                place (g, image, x, y, r);

        g.restoreState();
    }
}

bool writeUiPreview (const File& folder, const File& output, int scale, const String& area, int resolution)
{
    const int r = resolution;
    std::map<String, Image> images;

    for (auto& name : uiImageNames())
    {
        const auto file = folder.getChildFile (scaledFileName (name, r));
        images[name] = readImage (file);

        if (! images[name].isValid())
        {
            std::cerr << "cannot read " << file.getFullPathName() << "\n";
            return false;
        }
    }

    const auto& large = images["IconsLarge.png"];
    const auto& small = images["IconsSmall.png"];
    const int largeWidth = large.getWidth() / r, smallWidth = small.getWidth() / r;
    auto canvas = makeImage ((largeWidth + 8) * r, 390 * r);

    {
        Graphics g (canvas);

        if (r != 1)
            g.addTransform (AffineTransform::scale ((float) r));

        g.setImageResamplingQuality (Graphics::lowResamplingQuality);
        g.fillAll (windowGrey);

        place (g, large, 4, 4, r);
        place (g, small, 4, 98, r);

        // The title bar.
        const Rectangle<int> titleBar (smallWidth + 16, 98, largeWidth - smallWidth - 12, 24);
        g.setColour (titleBarGrey);
        g.fillRect (titleBar);
        place (g, images["WindowIcon.png"], titleBar.getX(), titleBar.getY(), r);
        g.setColour (Colour (0xffe0e0e0));
        g.setFont (legendFont (14.0f));
        g.drawText ("Korvane", titleBar.withTrimmedLeft (30), Justification::centredLeft, false);

        // A window of the editor below a strip of the skin's panel paint.
        const Rectangle<int> window (4, 166, 420, 210);
        g.setColour (colours::panel);
        g.fillRect (window.withHeight (24));
        const auto inside = window.withTrimmedTop (24);
        const int depth = decorationDepth;
        tile (g, images["DecorationTop.png"], inside.withHeight (depth), r);
        tile (g, images["DecorationBottom.png"], inside.withTop (inside.getBottom() - depth), r);
        tile (g, images["DecorationLeft.png"], inside.withWidth (depth).withTrimmedTop (depth).withTrimmedBottom (depth), r);
        tile (g, images["DecorationRight.png"], inside.withLeft (inside.getRight() - depth).withTrimmedTop (depth).withTrimmedBottom (depth), r);

        g.setFont (plainFont (13.0f));
        int y = inside.getY() + 20;

        for (int i = 0; i < 2; ++i)
        {
            const int x = inside.getX() + 24;
            place (g, images[i == 0 ? "RadioButtonOff.png" : "RadioButtonOn.png"], x, y + i * 22, r);
            place (g, images[i == 0 ? "CheckBoxOff.png" : "CheckBoxOn.png"], x + 120, y + i * 22, r);
            g.setColour (Colours::black);
            g.drawText (i == 0 ? "Mono" : "Stereo", x + 20, y + i * 22 - 3, 90, 20, Justification::centredLeft, false);
            g.drawText (i == 0 ? "Bypass" : "Oversample", x + 140, y + i * 22 - 3, 100, 20, Justification::centredLeft, false);
        }

        y += 60;
        const char* labels[] = { "Load", "Save", "Browse", "Yes", "No" };
        const int widths[] = { 64, 64, 80, 48, 48 };

        for (int row = 0; row < 2; ++row)
        {
            int x = inside.getX() + 24;

            for (int i = 0; i < 5; ++i)
            {
                drawTextButton (g, images["TextButton0.png"], images["TextButtonOverlay0.png"],
                                { x, y + row * 30, widths[i], textButtonHeight }, labels[i], row == 1, r);
                x += widths[i] + 8;
            }
        }

        // The decorations on their own, twice over to show the repeat.
        int x = window.getRight() + 20;
        tile (g, images["DecorationTop.png"], { x, 170, 80, depth }, r);
        tile (g, images["DecorationBottom.png"], { x, 190, 80, depth }, r);
        tile (g, images["DecorationLeft.png"], { x + 100, 170, depth, 80 }, r);
        tile (g, images["DecorationRight.png"], { x + 120, 170, depth, 80 }, r);

        // The pieces of the text button, and the marks, apart.
        place (g, images["TextButton0.png"], x + 150, 170, r);
        place (g, images["TextButtonOverlay0.png"], x + 180, 170, r);
        place (g, images["RadioButtonOff.png"], x, 220, r);
        place (g, images["RadioButtonOn.png"], x + 20, 220, r);
        place (g, images["CheckBoxOff.png"], x + 40, 220, r);
        place (g, images["CheckBoxOn.png"], x + 60, 220, r);
    }

    if (area.isNotEmpty())
    {
        const auto v = StringArray::fromTokens (area, ",", "");

        if (v.size() == 4)
            canvas = crop (canvas, Rectangle<int> (v[0].getIntValue(), v[1].getIntValue(), v[2].getIntValue(), v[3].getIntValue()) * r);
    }

    return writePng (scale > 1 ? enlarge (canvas, scale) : canvas, output);
}

StringArray uiImageNames()
{
    return { "IconsLarge.png", "IconsSmall.png", "WindowIcon.png",
             "DecorationTop.png", "DecorationBottom.png", "DecorationLeft.png", "DecorationRight.png",
             "RadioButtonOff.png", "RadioButtonOn.png", "CheckBoxOff.png", "CheckBoxOn.png",
             "TextButton0.png", "TextButtonOverlay0.png" };
}
} // namespace art
