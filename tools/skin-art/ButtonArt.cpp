// Push buttons (bakelite keys with engraved icons) and the high-cut switch
// (a jewel lamp over a chrome bat-handle toggle).
#include "Art.h"

#include <cmath>

namespace art
{
using namespace juce;

namespace
{
    constexpr int superSampling = 4;

    //==========================================================================
    Path gearIcon (Point<float> c, float radius)
    {
        Path gear;
        const int teeth = 8;
        const float inner = radius * 0.74f;

        for (int i = 0; i < teeth * 4; ++i)
        {
            // Each tooth: rise, top, fall, root.
            const float a = MathConstants<float>::twoPi * ((float) i + 0.5f) / (float) (teeth * 4);
            const float r = (i % 4 == 1 || i % 4 == 2) ? radius : inner;
            const auto p = polar (c, r, a);

            if (i == 0)
                gear.startNewSubPath (p);
            else
                gear.lineTo (p);
        }

        gear.closeSubPath();
        gear.addEllipse (Rectangle<float> (radius * 0.76f, radius * 0.76f).withCentre (c));
        gear.setUsingNonZeroWinding (false);
        return gear;
    }

    Path triangleIcon (Point<float> c, float size, bool pointsLeft)
    {
        const float h = size, w = size * 0.86f;
        const float dir = pointsLeft ? -1.0f : 1.0f;
        Path p;
        p.addTriangle (c.x + dir * w * 0.55f, c.y,
                       c.x - dir * w * 0.45f, c.y - h * 0.5f,
                       c.x - dir * w * 0.45f, c.y + h * 0.5f);
        return p;
    }

    Path listIcon (Point<float> c, float size)
    {
        Path p;
        const float step = size * 0.36f;

        for (int i = -1; i <= 1; ++i)
        {
            const float y = c.y + (float) i * step;
            p.addRectangle (c.x - size * 0.55f, y - 0.9f, 1.8f, 1.8f);
            p.addRectangle (c.x - size * 0.22f, y - 0.8f, size * 0.78f, 1.6f);
        }

        return p;
    }

    Path iconPath (ButtonIcon icon, Point<float> c)
    {
        switch (icon)
        {
            case ButtonIcon::gear:     return gearIcon (c, 6.2f);
            case ButtonIcon::previous: return triangleIcon (c.translated (-0.5f, 0.0f), 9.0f, true);
            case ButtonIcon::next:     return triangleIcon (c.translated (0.5f, 0.0f), 9.0f, false);
            case ButtonIcon::list:     return listIcon (c, 11.0f);
            case ButtonIcon::none:     break;
        }

        return {};
    }

    Image pushButtonFrame (const SkinControl& button, bool pressed)
    {
        const auto cap = buttonCap (button).toFloat().translated ((float) -button.x, (float) -button.y);
        const float travel = pressed ? 2.0f : 0.0f;
        const float side = pressed ? 1.0f : 3.0f;
        const auto body = cap.withTrimmedTop (travel);
        const auto face = body.withTrimmedBottom (side);
        const float corner = 3.0f;
        const int w = button.width, h = button.height;

        auto frame = makeShadow (w, h, 0.0f, pressed ? 0.8f : 1.8f, pressed ? 1 : 2, pressed ? 0.6f : 0.8f,
                                 [&] (Graphics& g) { g.fillRoundedRectangle (body, corner); });

        const auto icon = iconPath (button.icon, face.getCentre());

        // The lit icon glows a little beyond its engraving.
        if (pressed)
        {
            auto glow = renderSupersampled (w, h, superSampling, [&] (Graphics& g)
            {
                g.setColour (colours::amber);
                g.fillPath (icon);
            });
            blur (glow, 1);

            composite (frame, renderSupersampled (w, h, superSampling, [&] (Graphics& g)
            {
                g.setColour (Colour (0xff0d0b0a));
                g.fillRoundedRectangle (body, corner);
            }));
            composite (frame, renderSupersampled (w, h, superSampling, [&] (Graphics& g)
            {
                g.setGradientFill (ColourGradient (Colour (0xff3a332d), 0.0f, face.getY(),
                                                   Colour (0xff1c1816), 0.0f, face.getBottom(), false));
                g.fillRoundedRectangle (face, corner);
            }));
            composite (frame, glow, 0, 0, 0.9f);
        }
        else
        {
            composite (frame, renderSupersampled (w, h, superSampling, [&] (Graphics& g)
            {
                // The key's sides, seen below its face.
                g.setGradientFill (ColourGradient (Colour (0xff1e1a17), 0.0f, body.getY(),
                                                   Colour (0xff0a0908), 0.0f, body.getBottom(), false));
                g.fillRoundedRectangle (body, corner);

                g.setGradientFill (ColourGradient (Colour (0xff4d453e), 0.0f, face.getY(),
                                                   Colour (0xff25201d), 0.0f, face.getBottom(), false));
                g.fillRoundedRectangle (face, corner);
            }));
        }

        composite (frame, renderSupersampled (w, h, superSampling, [&] (Graphics& g)
        {
            // A slightly dished face: darker in the middle, bright along the upper edge.
            g.setGradientFill (ColourGradient (Colours::black.withAlpha (0.18f), face.getCentreX(), face.getCentreY(),
                                               Colours::black.withAlpha (0.0f), face.getCentreX(), face.getY(), true));
            g.fillRoundedRectangle (face.reduced (1.0f), corner);

            g.setColour (Colours::white.withAlpha (pressed ? 0.12f : 0.30f));
            g.drawLine (face.getX() + corner, face.getY() + 0.6f, face.getRight() - corner, face.getY() + 0.6f, 0.8f);
            g.setColour (Colours::black.withAlpha (0.8f));
            g.drawRoundedRectangle (body.reduced (0.3f), corner, 0.6f);

            // The engraved, paint-filled icon.
            g.setColour (Colours::black.withAlpha (0.7f));
            g.fillPath (icon, AffineTransform::translation (0.0f, -0.6f));
            g.setColour (Colours::white.withAlpha (0.10f));
            g.fillPath (icon, AffineTransform::translation (0.0f, 0.6f));
            g.setColour (pressed ? colours::amberBright : colours::cream);
            g.fillPath (icon);
        }));

        return frame;
    }

    //==========================================================================
    struct ToggleGeometry
    {
        ToggleGeometry (int width, int height)
            : lamp ((float) width * 0.5f, 10.0f),
              pivot ((float) width * 0.5f, (float) height - 18.0f)
        {
        }

        Point<float> lamp, pivot;
        float lampRadius = 5.8f, bezelRadius = 8.0f;
        float nutRadius = 6.5f, washerRadius = 8.5f;
        float throwUp = 14.5f, throwDown = 14.0f;
    };

    void drawLamp (Graphics& g, const ToggleGeometry& t, bool lit)
    {
        const auto disc = [&] (float r) { return Rectangle<float> (r * 2.0f, r * 2.0f).withCentre (t.lamp); };

        // Chrome bezel.
        g.setGradientFill (ColourGradient (Colour (0xffe8e4dc), t.lamp.x, t.lamp.y - t.bezelRadius,
                                           Colour (0xff3a3632), t.lamp.x, t.lamp.y + t.bezelRadius, false));
        g.fillEllipse (disc (t.bezelRadius));
        g.setGradientFill (ColourGradient (Colour (0xff4a4641), t.lamp.x, t.lamp.y - t.bezelRadius,
                                           Colour (0xffd8d2c8), t.lamp.x, t.lamp.y + t.bezelRadius, false));
        g.fillEllipse (disc (t.lampRadius + 1.0f));
        g.setColour (Colours::black.withAlpha (0.8f));
        g.drawEllipse (disc (t.bezelRadius - 0.25f), 0.5f);

        // The jewel.
        if (lit)
        {
            ColourGradient jewel (Colour (0xfffff4d0), t.lamp.x - 0.6f, t.lamp.y - 0.8f,
                                  Colour (0xffd0661a), t.lamp.x, t.lamp.y + t.lampRadius, true);
            jewel.addColour (0.45, Colour (0xffffc45a));
            g.setGradientFill (jewel);
        }
        else
        {
            ColourGradient jewel (Colour (0xff6a3c14), t.lamp.x - 0.6f, t.lamp.y - 1.0f,
                                  Colour (0xff1e0f05), t.lamp.x, t.lamp.y + t.lampRadius, true);
            g.setGradientFill (jewel);
        }

        g.fillEllipse (disc (t.lampRadius));

        // Facets.
        for (int i = 0; i < 8; ++i)
        {
            const float a = MathConstants<float>::twoPi * (float) i / 8.0f;
            Path facet;
            facet.addTriangle (t.lamp, polar (t.lamp, t.lampRadius, a), polar (t.lamp, t.lampRadius, a + MathConstants<float>::twoPi / 8.0f));
            g.setColour ((i % 2 == 0 ? Colours::white : Colours::black).withAlpha (lit ? 0.05f : 0.07f));
            g.fillPath (facet);
        }

        g.setColour (Colours::white.withAlpha (lit ? 0.85f : 0.55f));
        g.fillEllipse (Rectangle<float> (2.2f, 1.6f).withCentre (t.lamp.translated (-2.0f, -2.4f)));
    }

    Path leverPath (const ToggleGeometry& t, Point<float> tip, float ballRadius)
    {
        const float baseHalf = 2.6f, tipHalf = 1.8f;
        const float dir = tip.y < t.pivot.y ? -1.0f : 1.0f;
        Path p;
        p.startNewSubPath (t.pivot.x - baseHalf, t.pivot.y);
        p.lineTo (tip.x - tipHalf, tip.y - dir * ballRadius * 0.5f);
        p.lineTo (tip.x + tipHalf, tip.y - dir * ballRadius * 0.5f);
        p.lineTo (t.pivot.x + baseHalf, t.pivot.y);
        p.closeSubPath();
        p.addEllipse (Rectangle<float> (ballRadius * 2.0f, ballRadius * 2.0f).withCentre (tip));
        return p;
    }

    Image lampToggleFrame (int width, int height, bool on, bool pressed)
    {
        const ToggleGeometry t (width, height);
        // Pressed: the lever is on its way to the other side.
        const float reach = pressed ? 6.0f : (on ? t.throwUp : t.throwDown);
        const bool up = pressed ? ! on : on;
        const auto tip = t.pivot.translated (0.0f, up ? -reach : reach);
        const float ball = pressed ? 3.4f : 3.2f;
        const auto lever = leverPath (t, tip, ball);
        const auto disc = [&] (Point<float> c, float r) { return Rectangle<float> (r * 2.0f, r * 2.0f).withCentre (c); };

        auto frame = makeCanvas (width, height);

        // Lamp glow on the panel.
        if (on)
        {
            auto glow = renderSupersampled (width, height, superSampling, [&] (Graphics& g)
            {
                g.setGradientFill (ColourGradient (colours::amber.withAlpha (0.55f), t.lamp.x, t.lamp.y,
                                                   colours::amber.withAlpha (0.0f), t.lamp.x, t.lamp.y + t.bezelRadius + 7.0f, true));
                g.fillEllipse (disc (t.lamp, t.bezelRadius + 7.0f));
            });
            composite (frame, glow);
        }

        composite (frame, makeShadow (width, height, 0.3f, 1.6f, 1, 0.8f, [&] (Graphics& g)
        {
            g.fillEllipse (disc (t.lamp, t.bezelRadius));
            g.fillEllipse (disc (t.pivot, t.washerRadius));
        }));

        // The lever's shadow falls down and to the right.
        composite (frame, makeShadow (width, height, 1.6f, 2.6f, 1, 0.55f, [&] (Graphics& g) { g.fillPath (lever); }));

        composite (frame, renderSupersampled (width, height, superSampling, [&] (Graphics& g)
        {
            drawLamp (g, t, on);

            // Washer and hexagon nut.
            g.setGradientFill (ColourGradient (Colour (0xff8c867e), t.pivot.x, t.pivot.y - t.washerRadius,
                                               Colour (0xff24211e), t.pivot.x, t.pivot.y + t.washerRadius, false));
            g.fillEllipse (disc (t.pivot, t.washerRadius));
            g.setColour (Colours::black.withAlpha (0.7f));
            g.drawEllipse (disc (t.pivot, t.washerRadius - 0.25f), 0.5f);

            Path nut;
            for (int i = 0; i < 6; ++i)
            {
                const auto p = polar (t.pivot, t.nutRadius, MathConstants<float>::twoPi * (float) i / 6.0f + MathConstants<float>::pi / 6.0f);
                if (i == 0) nut.startNewSubPath (p); else nut.lineTo (p);
            }
            nut.closeSubPath();
            g.setGradientFill (ColourGradient (Colour (0xfff0ece4), t.pivot.x - 3.0f, t.pivot.y - t.nutRadius,
                                               Colour (0xff4a4640), t.pivot.x + 2.0f, t.pivot.y + t.nutRadius, false));
            g.fillPath (nut);
            g.setColour (Colours::black.withAlpha (0.6f));
            g.strokePath (nut, PathStrokeType (0.5f));

            // Bushing in the nut.
            g.setGradientFill (ColourGradient (Colour (0xff2a2724), t.pivot.x, t.pivot.y - 3.0f,
                                               Colour (0xffb0aa9f), t.pivot.x, t.pivot.y + 3.0f, false));
            g.fillEllipse (disc (t.pivot, 3.4f));

            // Chrome bat handle: a bright streak left of the middle, dark edges.
            ColourGradient chrome (Colour (0xff3c3935), t.pivot.x - 3.0f, 0.0f,
                                   Colour (0xff2e2b28), t.pivot.x + 3.0f, 0.0f, false);
            chrome.addColour (0.30, Colour (0xfff6f3ec));
            chrome.addColour (0.55, Colour (0xffa29c92));
            chrome.addColour (0.80, Colour (0xff5c5852));
            g.setGradientFill (chrome);
            g.fillPath (lever);

            // The ball end, lit from above.
            ColourGradient ballShade (Colour (0xffffffff), tip.x - 1.0f, tip.y - ball * 0.6f,
                                      Colour (0xff3a3733), tip.x + ball * 0.4f, tip.y + ball, true);
            ballShade.addColour (0.35, Colour (0xffc8c2b8));
            g.setGradientFill (ballShade);
            g.fillEllipse (disc (tip, ball));
            g.setColour (Colours::black.withAlpha (0.55f));
            g.drawEllipse (disc (tip, ball - 0.2f), 0.4f);
            g.strokePath (lever, PathStrokeType (0.35f));
        }));

        return frame;
    }
}

//==============================================================================
Image drawPushButtonStrip (const SkinControl& button)
{
    return stackFrames ({ pushButtonFrame (button, false), pushButtonFrame (button, true) });
}

Image drawLampToggleStrip (int width, int height)
{
    return stackFrames ({ lampToggleFrame (width, height, false, false),
                          lampToggleFrame (width, height, false, true),
                          lampToggleFrame (width, height, true, false),
                          lampToggleFrame (width, height, true, true) });
}

Point<float> toggleLeverTip (int width, int height, bool up)
{
    const ToggleGeometry t (width, height);
    return t.pivot.translated (0.0f, up ? -t.throwUp : t.throwDown);
}

void drawButtonWell (Graphics& g, Rectangle<float> cap)
{
    const auto well = cap.expanded (2.0f, 2.0f).withTrimmedTop (0.0f);
    g.setColour (Colour (0xff0a0908));
    g.fillRoundedRectangle (well, 4.0f);

    // Light from above: the lower lip of the well is lit, the upper one in shadow.
    g.setGradientFill (ColourGradient (Colours::white.withAlpha (0.0f), 0.0f, well.getCentreY(),
                                       Colours::white.withAlpha (0.16f), 0.0f, well.getBottom(), false));
    g.drawRoundedRectangle (well.expanded (0.5f), 4.5f, 1.0f);
}
} // namespace art
