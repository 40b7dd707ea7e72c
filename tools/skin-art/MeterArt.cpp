// The VU meters: edgewise meters whose needle swings up and down across a
// curved scale on a backlit amber face, behind glass.
#include "Art.h"

#include <cmath>

namespace art
{
using namespace juce;

namespace
{
    constexpr int superSampling = 4;

    /** Scale position (0 ... 1) of a level in dB: -24 dB is 0, 0 dB is 0.8, +6 dB is 1. */
    float scalePosition (float dB) { return dB / 30.0f + 0.8f; }

    struct MeterGeometry
    {
        MeterGeometry (int w, int h, bool mirrored)
            : width ((float) w), height ((float) h), mirror (mirrored)
        {
            // The scale arc passes 3 pixels inside the far edge of the window.
            arcRadius = pivotDistance + width - 3.5f;
            const float halfTravel = (bottomY - topY) * 0.5f;
            maxAngle = std::asin (halfTravel / arcRadius);
        }

        /** Needle angle from the horizontal (upwards positive) for a scale position. */
        float angleFor (float position) const { return -maxAngle + 2.0f * maxAngle * position; }

        Point<float> pivot() const
        {
            return { mirror ? width + pivotDistance : -pivotDistance, (topY + bottomY) * 0.5f };
        }

        /** The point at `radius` from the pivot in the direction of `position`. */
        Point<float> at (float position, float radius) const
        {
            const float a = angleFor (position);
            const auto p = pivot();
            const float dx = radius * std::cos (a);
            return { mirror ? p.x - dx : p.x + dx, p.y - radius * std::sin (a) };
        }

        float width, height;
        bool mirror;
        float pivotDistance = 96.0f;
        float topY = 8.0f, bottomY = 74.0f;  // needle tip at full scale and at rest
        float arcRadius = 0.0f, maxAngle = 0.0f;
    };

    struct Tick { float dB; bool major; const char* label; };

    const Tick ticks[] = {
        { -20.0f, true,  "20" }, { -15.0f, false, nullptr }, { -10.0f, true, "10" }, { -7.0f, false, nullptr },
        { -5.0f,  true,  "5" },  { -3.0f,  false, nullptr }, { -2.0f, false, nullptr }, { -1.0f, false, nullptr },
        { 0.0f,   true,  "0" },  { 1.0f,   false, nullptr }, { 2.0f, false, nullptr },  { 3.0f, true, "3" },
        { 6.0f,   true,  "6" },
    };

    const Colour ink (0xff2b1a0c);
    const Colour redInk (0xffb3261a);

    /** The backlit face: brightest at the middle, falling off to the edges.
        `window` is in units; the grain is one unit across at every scale. */
    void paintFace (Image& frame, Rectangle<int> window)
    {
        Image::BitmapData data (frame, Image::BitmapData::readWrite);
        const float cx = (float) window.getCentreX() - 0.5f, cy = (float) window.getCentreY() - 4.0f;
        const int scale = outputScale();

        for (int y = window.getY() * scale; y < window.getBottom() * scale; ++y)
        {
            for (int x = window.getX() * scale; x < window.getRight() * scale; ++x)
            {
                const float dx = (unitPosition (x) - cx) / ((float) window.getWidth() * 0.75f);
                const float dy = (unitPosition (y) - cy) / ((float) window.getHeight() * 0.62f);
                const float glow = std::exp (-(dx * dx + dy * dy));
                const float grain = 0.012f * whiteNoise (x / scale, y / scale, 0xface);
                const float l = jlimit (0.0f, 1.0f, 0.55f + 0.45f * glow + grain);
                const auto r = (uint8) jlimit (0, 255, (int) std::lround (255.0f * (0.80f + 0.20f * l)));
                const auto g = (uint8) jlimit (0, 255, (int) std::lround (255.0f * (0.42f + 0.40f * l)));
                const auto b = (uint8) jlimit (0, 255, (int) std::lround (255.0f * (0.14f + 0.36f * l * l)));
                reinterpret_cast<PixelARGB*> (data.getPixelPointer (x, y))->setARGB (255, r, g, b);
            }
        }
    }

    Image meterFrame (int w, int h, bool mirrored, float position)
    {
        const MeterGeometry m (w, h, mirrored);
        const Rectangle<int> window (2, 2, w - 4, h - 4);

        auto frame = makeCanvas (w, h);
        {
            Graphics g (frame);
            drawInUnits (g);
            g.fillAll (Colour (0xff0b0a09));
        }
        paintFace (frame, window);

        // Scale: ticks on the arc, a red band from 0 dB up.
        composite (frame, renderSupersampled (w, h, superSampling, [&] (Graphics& g)
        {
            g.reduceClipRegion (window);

            Path redBand;
            const int steps = 24;
            for (int i = 0; i <= steps; ++i)
            {
                const float p = scalePosition (0.0f) + (1.0f - scalePosition (0.0f)) * (float) i / (float) steps;
                const auto q = m.at (p, m.arcRadius - 0.2f);
                if (i == 0) redBand.startNewSubPath (q); else redBand.lineTo (q);
            }
            g.setColour (redInk.withAlpha (0.85f));
            g.strokePath (redBand, PathStrokeType (1.6f));

            Path arc;
            for (int i = 0; i <= steps; ++i)
            {
                const float p = scalePosition (-20.0f) + (scalePosition (0.0f) - scalePosition (-20.0f)) * (float) i / (float) steps;
                const auto q = m.at (p, m.arcRadius - 0.2f);
                if (i == 0) arc.startNewSubPath (q); else arc.lineTo (q);
            }
            g.setColour (ink.withAlpha (0.8f));
            g.strokePath (arc, PathStrokeType (0.6f));

            for (auto& t : ticks)
            {
                const float p = scalePosition (t.dB);
                const float length = t.major ? 4.0f : 2.4f;
                g.setColour ((t.dB > 0.0f ? redInk : ink).withAlpha (0.95f));
                g.drawLine (Line<float> (m.at (p, m.arcRadius - length), m.at (p, m.arcRadius)), t.major ? 0.9f : 0.6f);
            }
        }));

        // Scale numbers, pixel-sharp, beside their ticks on the pivot side
        // (pixel art: at 2x each of their pixels is doubled).
        {
            Graphics g (frame);
            drawInUnits (g);

            for (auto& t : ticks)
            {
                if (t.label == nullptr)
                    continue;

                const String text (t.label);
                const auto anchor = m.at (scalePosition (t.dB), m.arcRadius - 6.0f);
                const int tw = tinyTextWidth (text);
                const int x = mirrored ? (int) std::round (anchor.x) : (int) std::round (anchor.x) - tw;
                const int y = (int) std::round (anchor.y - 2.5f);
                drawTinyText (g, text, x, y, (t.dB > 0.0f ? redInk : ink).withAlpha (0.9f));
            }

            // "VU" printed below the scale.
            const int vx = window.getCentreX() - 3, vy = h - 11;
            g.setColour (ink.withAlpha (0.85f));
            const char* v[5] = { "#.#", "#.#", "#.#", "#.#", ".#." };
            const char* u[5] = { "#.#", "#.#", "#.#", "#.#", "###" };
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                {
                    if (v[row][col] == '#') g.fillRect (vx + col, vy + row, 1, 1);
                    if (u[row][col] == '#') g.fillRect (vx + 4 + col, vy + row, 1, 1);
                }
        }

        // The needle and its shadow on the face.
        const auto needleLine = Line<float> (m.at (position, m.pivotDistance * 0.5f), m.at (position, m.arcRadius + 0.3f));
        auto shadow = renderSupersampled (w, h, superSampling, [&] (Graphics& g)
        {
            g.reduceClipRegion (window);
            g.setColour (Colours::black);
            g.drawLine (needleLine.getStart().x + 0.8f, needleLine.getStart().y + 1.8f,
                        needleLine.getEnd().x + 0.8f, needleLine.getEnd().y + 1.8f, 1.1f);
        });
        blur (shadow, 1);
        composite (frame, shadow, 0, 0, 0.3f);

        composite (frame, renderSupersampled (w, h, superSampling, [&] (Graphics& g)
        {
            g.reduceClipRegion (window);
            g.setColour (Colour (0xff120a05));
            g.drawLine (needleLine, 1.05f);
        }));

        // Glass: the bezel's shadow along the top, a faint diagonal reflection.
        composite (frame, renderSupersampled (w, h, superSampling, [&] (Graphics& g)
        {
            g.reduceClipRegion (window);
            const auto wf = window.toFloat();
            g.setGradientFill (ColourGradient (Colours::black.withAlpha (0.55f), 0.0f, wf.getY(),
                                               Colours::black.withAlpha (0.0f), 0.0f, wf.getY() + 6.0f, false));
            g.fillRect (wf);
            g.setGradientFill (ColourGradient (Colours::black.withAlpha (0.0f), 0.0f, wf.getBottom() - 5.0f,
                                               Colours::black.withAlpha (0.35f), 0.0f, wf.getBottom(), false));
            g.fillRect (wf);

            const float sx = mirrored ? -1.0f : 1.0f;
            Path streak;
            streak.startNewSubPath (wf.getX() - 4.0f, wf.getY() + 14.0f);
            streak.lineTo (wf.getRight() + 4.0f, wf.getY() + 14.0f - 22.0f * sx);
            streak.lineTo (wf.getRight() + 4.0f, wf.getY() + 22.0f - 22.0f * sx);
            streak.lineTo (wf.getX() - 4.0f, wf.getY() + 22.0f);
            streak.closeSubPath();
            g.setColour (Colours::white.withAlpha (0.09f));
            g.fillPath (streak);
        }));

        // Bezel: dark frame, lit along its lower inner edge, one unit a ring.
        {
            Graphics g (frame);
            drawInUnits (g);
            g.setColour (Colour (0xff2e2925));
            g.drawRect (Rectangle<int> (1, 1, w - 2, h - 2), 1);
            g.setColour (Colour (0xff4e4640));
            g.fillRect (1, h - 2, w - 2, 1);
            g.setColour (Colour (0xff060505));
            g.drawRect (Rectangle<int> (0, 0, w, h), 1);
        }

        return frame;
    }
}

Image drawMeterStrip (int width, int height, int frames, bool pivotOnRight)
{
    std::vector<Image> images;

    for (int i = 0; i < frames; ++i)
        images.push_back (meterFrame (width, height, pivotOnRight, (float) i / (float) (frames - 1)));

    return stackFrames (images);
}
} // namespace art
