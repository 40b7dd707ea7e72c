// Knob film strips. The light comes from above and does not turn with the
// knob: shading, highlights and shadows are fixed; the body's outline, the
// inlay and the pointer turn.
#include "Art.h"

#include <cmath>

namespace art
{
using namespace juce;

namespace
{
    constexpr int superSampling = 4;

    //==========================================================================
    // Chicken-head knob, shaded from a height field: a round hub with a long
    // tapering beak and a short rounded tail, a ridge along the beak carrying
    // a cream inlay, rounded edges. Glossy black-brown bakelite.

    float smoothMin (float a, float b, float k)
    {
        const float h = jlimit (0.0f, 1.0f, 0.5f + 0.5f * (b - a) / k);
        return b + (a - b) * h - k * h * (1.0f - h);
    }

    /** Signed distance to a capsule from (0, 0) with radius r1 to (0, length) with radius r2. */
    float taperedCapsule (float x, float y, float r1, float r2, float length)
    {
        x = std::abs (x);
        const float b = (r1 - r2) / length;
        const float a = std::sqrt (1.0f - b * b);
        const float k = -b * x + a * y;

        if (k < 0.0f)
            return std::sqrt (x * x + y * y) - r1;

        if (k > a * length)
            return std::sqrt (x * x + (y - length) * (y - length)) - r2;

        return a * x + b * y - r1;
    }

    struct PointerKnob
    {
        PointerKnob (int width, int height)
            : centre ((float) width * 0.5f, (float) height * 0.5f),
              r ((float) jmin (width, height) * 0.5f)
        {
        }

        /** Signed distance (negative inside) in knob coordinates: y along the pointer. */
        float distance (float x, float y) const
        {
            const float head = std::sqrt (x * x + (y + 0.05f * r) * (y + 0.05f * r)) - 0.57f * r;
            const float beak = taperedCapsule (x, y, 0.40f * r, 0.13f * r, 0.73f * r);
            return smoothMin (head, beak, 0.18f * r);
        }

        /** Knob coordinates of a frame point, for a knob turned to `angle`. */
        Point<float> toKnob (float px, float py, float angle) const
        {
            const float dx = px - centre.x, dy = py - centre.y;
            // Pointer direction in the frame: (sin a, -cos a); across it: (cos a, sin a).
            return { dx * std::cos (angle) + dy * std::sin (angle), dx * std::sin (angle) - dy * std::cos (angle) };
        }

        float nose() const { return 0.86f * r; }

        Point<float> centre;
        float r;
    };

    struct Vec3
    {
        float x, y, z;

        Vec3 normalised() const
        {
            const float l = std::sqrt (x * x + y * y + z * z);
            return { x / l, y / l, z / l };
        }

        float dot (const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
        Vec3 operator+ (const Vec3& o) const { return { x + o.x, y + o.y, z + o.z }; }
    };

    struct SurfacePoint
    {
        float height = 0.0f;
        float coverage = 0.0f;
        Colour albedo;
        float gloss = 0.0f;
    };

    SurfacePoint pointerKnobSurface (const PointerKnob& k, float px, float py, float angle)
    {
        const auto q = k.toKnob (px, py, angle);
        const float d = -k.distance (q.x, q.y);
        SurfacePoint s;

        if (d <= 0.0f)
            return s;

        s.coverage = 1.0f;
        const float bevel = 0.2f * k.r;
        const float t = jmin (d, bevel) / bevel;
        s.height = 3.2f * std::sqrt (1.0f - (1.0f - t) * (1.0f - t));

        // A gentle dome over the hub.
        const float rho2 = (q.x * q.x + q.y * q.y) / (k.r * k.r);
        s.height += 0.9f * jmax (0.0f, 1.0f - rho2 / 0.5f);

        // The ridge along the beak, fading out over the tail.
        const float along = jlimit (0.0f, 1.0f, (q.y + 0.25f * k.r) / (0.3f * k.r));
        const float across = jmax (0.0f, 1.0f - std::abs (q.x) / (0.24f * k.r));
        s.height += 1.1f * along * across * t;

        s.albedo = Colour (0xff3b3531);
        s.gloss = 0.75f;

        // Cream inlay along the ridge.
        const float inlayHalf = 0.045f * k.r;
        if (std::abs (q.x) < inlayHalf && q.y > 0.06f * k.r && q.y < k.nose() - 0.12f * k.r)
        {
            s.albedo = Colour (0xfff3e6c8);
            s.gloss = 0.25f;
        }

        return s;
    }

    /** Lights a height field from above (and a little from the viewer's side):
        a canvas of width x height units, sampled `factor` times per pixel of
        the output scale in each direction; `sample` takes units. */
    Image shadeSurface (int width, int height, int factor, const std::function<SurfacePoint (float, float)>& sample)
    {
        const int perUnit = factor * outputScale();
        const int w = width * perUnit, h = height * perUnit;
        std::vector<SurfacePoint> field ((size_t) (w * h));

        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                field[(size_t) (y * w + x)] = sample (((float) x + 0.5f) / (float) perUnit, ((float) y + 0.5f) / (float) perUnit);

        auto heightAt = [&] (int x, int y)
        {
            x = jlimit (0, w - 1, x);
            y = jlimit (0, h - 1, y);
            return field[(size_t) (y * w + x)].height;
        };

        const Vec3 light = Vec3 { -0.25f, -0.85f, 0.9f }.normalised();
        const Vec3 halfway = (light + Vec3 { 0.0f, 0.0f, 1.0f }).normalised();
        auto big = makeImage (w, h);
        Image::BitmapData data (big, Image::BitmapData::writeOnly);

        for (int y = 0; y < h; ++y)
        {
            for (int x = 0; x < w; ++x)
            {
                const auto& s = field[(size_t) (y * w + x)];

                if (s.coverage <= 0.0f)
                    continue;

                // Slopes in height per unit, the same at every scale.
                const float step = 2.0f / (float) perUnit;
                const float dx = (heightAt (x + 1, y) - heightAt (x - 1, y)) / step;
                const float dy = (heightAt (x, y + 1) - heightAt (x, y - 1)) / step;
                const auto n = Vec3 { -dx, -dy, 1.0f }.normalised();
                const float diffuse = jmax (0.0f, n.dot (light));
                const float specular = s.gloss * std::pow (jmax (0.0f, n.dot (halfway)), 40.0f);
                const float shade = 0.30f + 0.95f * diffuse;

                auto channel = [&] (uint8 v) {
                    return (uint8) jlimit (0, 255, (int) std::lround ((float) v * shade + 255.0f * specular * 0.85f));
                };

                reinterpret_cast<PixelARGB*> (data.getPixelPointer (x, y))
                    ->setARGB (255, channel (s.albedo.getRed()), channel (s.albedo.getGreen()), channel (s.albedo.getBlue()));
            }
        }

        return downsample (big, factor);
    }

    Image pointerKnobFrame (int width, int height, float angle)
    {
        const PointerKnob knob (width, height);

        auto silhouette = [&] (Graphics& g)
        {
            // The outline, traced from the distance field.
            Path p;
            const int steps = 360;
            for (int i = 0; i < steps; ++i)
            {
                const float phi = MathConstants<float>::twoPi * (float) i / (float) steps;
                float lo = 0.0f, hi = knob.r;
                for (int it = 0; it < 24; ++it)
                {
                    const float mid = (lo + hi) * 0.5f;
                    (knob.distance (mid * std::sin (phi), mid * std::cos (phi)) < 0.0f ? lo : hi) = mid;
                }
                const auto point = polar (knob.centre, lo, angle + phi);
                if (i == 0) p.startNewSubPath (point); else p.lineTo (point);
            }
            p.closeSubPath();
            g.fillPath (p);
        };

        auto frame = makeShadow (width, height, 0.4f, 1.8f, 1, 0.85f, silhouette);
        composite (frame, makeShadow (width, height, 0.8f, 3.4f, 2, 0.35f, silhouette));
        composite (frame, shadeSurface (width, height, superSampling, [&] (float x, float y)
        {
            return pointerKnobSurface (knob, x, y, angle);
        }));
        return frame;
    }

    //==========================================================================
    // Round knob: knurled black skirt, spun-aluminium cap.

    Image roundKnobFrame (int width, int height, float angle, Colour skirtLine)
    {
        const Point<float> c ((float) width * 0.5f, (float) height * 0.5f);
        const float r = (float) jmin (width, height) * 0.5f;
        const float skirt = r * 0.76f, cap = r * 0.55f;
        const auto disc = [&] (float radius) { return Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (c); };

        auto frame = makeShadow (width, height, 0.3f, 1.5f, 1, 0.85f, [&] (Graphics& g) { g.fillEllipse (disc (skirt)); });
        composite (frame, makeShadow (width, height, 0.5f, 2.8f, 2, 0.3f, [&] (Graphics& g) { g.fillEllipse (disc (skirt)); }));

        auto body = renderSupersampled (width, height, superSampling, [&] (Graphics& g)
        {
            // Skirt, lit from above.
            g.setGradientFill (ColourGradient (Colour (0xff4a433d), c.x, c.y - skirt,
                                               Colour (0xff0b0a09), c.x, c.y + skirt, false));
            g.fillEllipse (disc (skirt));

            // Knurled edge: fine ridges, brighter on the upper side.
            const int ridges = 44;

            for (int i = 0; i < ridges; ++i)
            {
                const float a = MathConstants<float>::twoPi * (float) i / (float) ridges;
                const float lit = 0.5f + 0.5f * std::cos (a);
                g.setColour (Colours::white.withAlpha (0.05f + 0.20f * lit));
                g.fillPath (radialLine (c, skirt - 1.5f, skirt - 0.15f, a, 0.35f));
                g.setColour (Colours::black.withAlpha (0.45f));
                g.fillPath (radialLine (c, skirt - 1.5f, skirt - 0.15f, a + MathConstants<float>::pi / (float) ridges, 0.35f));
            }

            g.setGradientFill (ColourGradient (Colours::white.withAlpha (0.35f), c.x, c.y - skirt,
                                               Colours::white.withAlpha (0.0f), c.x, c.y, false));
            g.drawEllipse (disc (skirt - 0.3f), 0.6f);

            // The skirt's index line.
            g.setColour (Colours::black.withAlpha (0.5f));
            g.fillPath (radialLine (c, cap + 0.3f, skirt - 0.2f, angle, 2.0f));
            g.setColour (skirtLine);
            g.fillPath (radialLine (c, cap + 0.6f, skirt - 0.5f, angle, 1.2f));

            // Cap shadow ring on the skirt.
            g.setColour (Colours::black.withAlpha (0.5f));
            g.drawEllipse (disc (cap + 0.4f), 0.8f);

            // Spun aluminium: concentric grain, a bright bow-tie of reflected light.
            const int wedges = 144;

            for (int i = 0; i < wedges; ++i)
            {
                const float a0 = MathConstants<float>::twoPi * (float) i / (float) wedges;
                const float a1 = MathConstants<float>::twoPi * (float) (i + 1) / (float) wedges + 0.01f;
                const float mid = (a0 + a1) * 0.5f;
                const float level = 0.60f + 0.22f * std::cos (2.0f * mid) + 0.05f * std::cos (4.0f * mid)
                                    + 0.03f * whiteNoise (i, 7, 0x5eed);
                const auto grey = (uint8) jlimit (0, 255, (int) std::lround (255.0f * jlimit (0.0f, 1.0f, level)));
                g.setColour (Colour (grey, (uint8) jmax (0, grey - 4), (uint8) jmax (0, grey - 14)));
                Path wedge;
                wedge.addPieSegment (disc (cap), a0, a1, 0.0f);
                g.fillPath (wedge);
            }

            // The cap is domed: darker towards the lower edge.
            g.setGradientFill (ColourGradient (Colours::black.withAlpha (0.0f), c.x, c.y - cap * 0.3f,
                                               Colours::black.withAlpha (0.35f), c.x, c.y + cap, false));
            g.fillEllipse (disc (cap));

            // Chamfer of the cap.
            g.setGradientFill (ColourGradient (Colours::white.withAlpha (0.7f), c.x, c.y - cap,
                                               Colours::black.withAlpha (0.5f), c.x, c.y + cap, false));
            g.drawEllipse (disc (cap - 0.25f), 0.5f);

            // Engraved pointer on the cap.
            g.setColour (Colours::white.withAlpha (0.35f));
            g.fillPath (radialLine (c.translated (0.0f, 0.35f), 1.6f, cap - 1.0f, angle, 1.2f));
            g.setColour (Colour (0xff1a1614));
            g.fillPath (radialLine (c, 1.6f, cap - 1.0f, angle, 1.2f));
        });

        composite (frame, body);
        return frame;
    }
}

//==============================================================================
Image drawPointerKnobStrip (int width, int height, int frames)
{
    std::vector<Image> images;

    for (int i = 0; i < frames; ++i)
        images.push_back (pointerKnobFrame (width, height, knobAngle ((float) i / (float) (frames - 1))));

    return stackFrames (images);
}

Image drawRoundKnobStrip (int width, int height, int frames, Colour skirtLine)
{
    std::vector<Image> images;

    for (int i = 0; i < frames; ++i)
        images.push_back (roundKnobFrame (width, height, knobAngle ((float) i / (float) (frames - 1)), skirtLine));

    return stackFrames (images);
}

Range<float> knobScaleRadii (ControlKind kind, int width, int height)
{
    const float r = (float) jmin (width, height) * 0.5f;

    if (kind == ControlKind::pointerKnob)
        return { r * 0.89f, r - 0.1f };

    return { r * 0.84f, r - 0.2f };
}
} // namespace art
