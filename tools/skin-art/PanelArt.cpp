// The background: a warm black crackle-finish panel with silk-screened
// legends, knob scales, the recesses of the keys and windows, the tube
// window, the nameplate and four screws. Legends are placed from the
// control rectangles of SkinLayout.h so that none of them covers a control.
#include "Art.h"

#include <cmath>
#include <iostream>

namespace art
{
using namespace juce;

namespace
{
    constexpr int superSampling = 4;

    const float legendHeight = 9.6f;   // capitals about 6 pixels high

    //==========================================================================
    void paintFinish (Image& image)
    {
        Image::BitmapData data (image, Image::BitmapData::readWrite);
        const float w = (float) backgroundWidth, h = (float) backgroundHeight;

        for (int y = 0; y < image.getHeight(); ++y)
        {
            for (int x = 0; x < image.getWidth(); ++x)
            {
                // The paint's texture is sampled in units, so it keeps its grain size at 2x.
                const float fx = unitPosition (x), fy = unitPosition (y);
                // Crackle paint: fine wrinkles over a slow mottle.
                const float wrinkle = fractalNoise (fx / 1.6f, fy / 1.6f, 2, 11u);
                const float mottle = fractalNoise (fx / 45.0f, fy / 45.0f, 3, 23u);
                // Light from above; the corners fall off a little.
                const float light = 0.10f * (1.0f - fy / h);
                const float dx = (fx / w - 0.5f) * 2.0f, dy = (fy / h - 0.45f) * 2.0f;
                const float vignette = 0.10f * (dx * dx * 0.6f + dy * dy * 0.5f);
                const float l = 1.0f + 0.075f * wrinkle + 0.05f * mottle + light - vignette;
                const auto base = colours::panel;
                auto channel = [l] (uint8 v) { return (uint8) jlimit (0, 255, (int) std::lround ((float) v * l)); };
                reinterpret_cast<PixelARGB*> (data.getPixelPointer (x, y))
                    ->setARGB (255, channel (base.getRed()), channel (base.getGreen()), channel (base.getBlue()));
            }
        }
    }

    void drawPanelEdge (Graphics& g)
    {
        const float w = (float) backgroundWidth, h = (float) backgroundHeight;
        g.setColour (Colours::white.withAlpha (0.10f));
        g.fillRect (0.0f, 0.0f, w, 1.0f);
        g.fillRect (0.0f, 0.0f, 1.0f, h);
        g.setColour (Colours::black.withAlpha (0.55f));
        g.fillRect (0.0f, h - 1.0f, w, 1.0f);
        g.fillRect (w - 1.0f, 0.0f, 1.0f, h);
    }

    //==========================================================================
    Image screwSprite (float slotAngle)
    {
        const int size = 12;
        const Point<float> c (6.0f, 6.0f);
        const float r = 3.4f;
        auto sprite = makeShadow (size, size, 0.4f, 1.0f, 1, 0.8f, [&] (Graphics& g)
        {
            g.fillEllipse (Rectangle<float> (r * 2.0f, r * 2.0f).withCentre (c));
        });

        composite (sprite, renderSupersampled (size, size, superSampling, [&] (Graphics& g)
        {
            const auto disc = Rectangle<float> (r * 2.0f, r * 2.0f).withCentre (c);
            g.setGradientFill (ColourGradient (Colour (0xffc9c3b8), c.x - 1.0f, c.y - r,
                                               Colour (0xff3b3732), c.x + 1.0f, c.y + r, false));
            g.fillEllipse (disc);
            g.setColour (Colours::black.withAlpha (0.7f));
            g.drawEllipse (disc.reduced (0.2f), 0.4f);
            // The slot: dark, with its lower wall lit.
            g.setColour (Colour (0xff151310));
            g.fillPath (radialLine (c, -r + 0.5f, r - 0.5f, slotAngle, 1.0f));
            g.setColour (Colours::white.withAlpha (0.35f));
            g.fillPath (radialLine (c.translated (0.0f, 0.55f), -r + 0.9f, r - 0.9f, slotAngle, 0.35f));
        }));

        return sprite;
    }

    void drawScrews (Image& panel)
    {
        const Point<int> places[] = { { 8, 8 }, { 625, 8 }, { 8, 199 }, { 625, 199 } };
        const float angles[] = { 0.35f, 1.9f, 2.6f, 0.95f };

        for (int i = 0; i < 4; ++i)
            composite (panel, screwSprite (angles[i]), places[i].x - 6, places[i].y - 6);
    }

    //==========================================================================
    // Recesses: the keys' wells, the display window, the meter window, the tube window.

    void drawRecess (Graphics& g, Rectangle<float> area, float corner, Colour fill)
    {
        g.setColour (fill);
        g.fillRoundedRectangle (area, corner);

        // Inner shadow along the top, lit lip along the bottom.
        {
            Graphics::ScopedSaveState save (g);
            Path clip;
            clip.addRoundedRectangle (area, corner);
            g.reduceClipRegion (clip);
            g.setGradientFill (ColourGradient (Colours::black.withAlpha (0.6f), 0.0f, area.getY(),
                                               Colours::black.withAlpha (0.0f), 0.0f, area.getY() + 3.0f, false));
            g.fillRect (area);
        }

        g.setGradientFill (ColourGradient (Colours::white.withAlpha (0.0f), 0.0f, area.getCentreY(),
                                           Colours::white.withAlpha (0.14f), 0.0f, area.getBottom() + 1.0f, false));
        g.drawRoundedRectangle (area.expanded (0.5f), corner + 0.5f, 1.0f);
    }

    void drawPresetArea (Graphics& g)
    {
        const auto display = control ("PresetNameDisplay").bounds().toFloat();
        drawRecess (g, display.expanded (3.0f), 3.0f, Colour (0xff0c0b0b));
        // A thin dark-chrome frame round the glass.
        g.setColour (Colour (0xff3a3631));
        g.drawRect (display.expanded (1.0f), 1.0f);
        g.setColour (colours::displayBack);
        g.fillRect (display);

        for (auto& c : skinControls())
            if (c.kind == ControlKind::pushButton)
                drawButtonWell (g, buttonCap (c).toFloat());
    }

    void drawMeterWindow (Graphics& g)
    {
        const auto left = control ("LeftVUMeter").bounds();
        const auto right = control ("RightVUMeter").bounds();
        const auto both = left.getUnion (right).toFloat();
        drawRecess (g, both.expanded (4.0f, 4.0f), 4.0f, Colour (0xff0d0b0a));
    }

    //==========================================================================
    // The tube window between the equaliser and the meters.

    const Rectangle<float> tubeWindow (484.0f, 62.0f, 48.0f, 68.0f);

    Image drawTube()
    {
        const auto win = tubeWindow;
        const float cx = win.getCentreX();
        const float glassTop = win.getY() + 5.0f, glassBottom = win.getBottom() - 10.0f;
        const float glassHalf = 11.0f;
        const Rectangle<float> plateArea (cx - glassHalf + 3.0f, glassTop + 16.0f, glassHalf * 2.0f - 6.0f, 24.0f);

        Path glass;
        glass.startNewSubPath (cx - glassHalf, glassBottom);
        glass.lineTo (cx - glassHalf, glassTop + glassHalf);
        glass.addCentredArc (cx, glassTop + glassHalf, glassHalf, glassHalf, 0.0f,
                             -MathConstants<float>::halfPi, MathConstants<float>::halfPi);
        glass.lineTo (cx + glassHalf, glassBottom);
        glass.closeSubPath();

        // The heater's glow, soft and wide.
        auto glow = renderSupersampled (backgroundWidth, backgroundHeight, 2, [&] (Graphics& g)
        {
            g.reduceClipRegion (win.toNearestInt());
            ColourGradient warm (Colour (0xffff9a3a).withAlpha (0.55f), cx, plateArea.getCentreY() + 2.0f,
                                 Colour (0xffff7a1a).withAlpha (0.0f), cx, plateArea.getCentreY() + 30.0f, true);
            g.setGradientFill (warm);
            g.fillRect (win);
        });

        auto tube = renderSupersampled (backgroundWidth, backgroundHeight, superSampling, [&] (Graphics& g)
        {
            g.reduceClipRegion (win.toNearestInt());

            // Socket and base.
            g.setGradientFill (ColourGradient (Colour (0xff2c2824), cx, glassBottom, Colour (0xff0e0c0b), cx, win.getBottom(), false));
            g.fillRoundedRectangle (cx - glassHalf - 4.0f, glassBottom - 1.0f, (glassHalf + 4.0f) * 2.0f, 9.0f, 2.0f);
            g.setGradientFill (ColourGradient (Colour (0xff3a3530), cx - glassHalf, 0.0f, Colour (0xff141210), cx + glassHalf, 0.0f, false));
            g.fillRect (cx - glassHalf + 1.0f, glassBottom - 4.0f, glassHalf * 2.0f - 2.0f, 4.0f);

            // Plates: two dark grey anodes with ribs, lit orange from within.
            for (int side = -1; side <= 1; side += 2)
            {
                const float x0 = side < 0 ? plateArea.getX() : cx + 1.5f;
                const float x1 = side < 0 ? cx - 1.5f : plateArea.getRight();
                const Rectangle<float> plate (x0, plateArea.getY(), x1 - x0, plateArea.getHeight());
                g.setGradientFill (ColourGradient (Colour (0xff57504a), plate.getX(), 0.0f, Colour (0xff26221f), plate.getRight(), 0.0f, false));
                g.fillRect (plate);
                g.setColour (Colours::black.withAlpha (0.45f));
                g.fillRect (plate.getX() + plate.getWidth() * 0.5f - 0.4f, plate.getY(), 0.8f, plate.getHeight());
                g.setColour (Colour (0xffff9a40).withAlpha (0.35f));
                g.fillRect (side < 0 ? plate.getRight() - 1.0f : plate.getX(), plate.getY() + 2.0f, 1.0f, plate.getHeight() - 4.0f);
            }

            // The glowing cathode between the plates.
            g.setColour (Colour (0xffff8a2a).withAlpha (0.8f));
            g.fillRect (cx - 1.2f, plateArea.getY() + 3.0f, 2.4f, plateArea.getHeight() - 6.0f);
            g.setColour (Colour (0xffffe0a0));
            g.fillRect (cx - 0.45f, plateArea.getY() + 5.0f, 0.9f, plateArea.getHeight() - 10.0f);

            // Mica discs and support rods.
            g.setColour (Colour (0xff9a928a).withAlpha (0.55f));
            g.fillRect (cx - glassHalf + 1.5f, plateArea.getY() - 2.5f, glassHalf * 2.0f - 3.0f, 1.5f);
            g.fillRect (cx - glassHalf + 1.5f, plateArea.getBottom() + 1.0f, glassHalf * 2.0f - 3.0f, 1.5f);
            g.setColour (Colour (0xff8a847c).withAlpha (0.6f));
            g.fillRect (cx - glassHalf + 3.0f, plateArea.getY() - 5.0f, 0.7f, plateArea.getHeight() + 12.0f);
            g.fillRect (cx + glassHalf - 3.7f, plateArea.getY() - 5.0f, 0.7f, plateArea.getHeight() + 12.0f);

            // Getter flash in the dome: a silvery mirror, darker at its rim.
            ColourGradient getter (Colour (0xffcfc9c0).withAlpha (0.6f), cx - 3.0f, glassTop + 3.0f,
                                   Colour (0xff3a3632).withAlpha (0.0f), cx, glassTop + 13.0f, true);
            g.setGradientFill (getter);
            g.fillEllipse (cx - glassHalf + 1.0f, glassTop + 0.5f, glassHalf * 2.0f - 2.0f, 12.0f);
            g.setColour (Colours::white.withAlpha (0.45f));
            g.fillEllipse (cx - 5.5f, glassTop + 2.5f, 2.5f, 1.6f);

            // The heater's ends glowing through the micas.
            g.setColour (Colour (0xffffb060).withAlpha (0.7f));
            g.fillRect (cx - 0.5f, plateArea.getY() - 4.0f, 1.0f, 2.0f);
            g.fillRect (cx - 0.5f, plateArea.getBottom() + 2.5f, 1.0f, 2.0f);

            // Warm light caught in the glass beside the plates.
            g.setGradientFill (ColourGradient (Colour (0xffff9a40).withAlpha (0.35f), cx, plateArea.getCentreY(),
                                               Colour (0xffff9a40).withAlpha (0.0f), cx, plateArea.getY() - 6.0f, true));
            g.fillRect (cx - glassHalf, plateArea.getY() - 6.0f, 1.0f, plateArea.getHeight() + 12.0f);
            g.fillRect (cx + glassHalf - 1.0f, plateArea.getY() - 6.0f, 1.0f, plateArea.getHeight() + 12.0f);

            // The glass: faint outline, a highlight down the left side.
            g.setColour (Colours::white.withAlpha (0.20f));
            g.strokePath (glass, PathStrokeType (0.7f));
            g.setGradientFill (ColourGradient (Colours::white.withAlpha (0.30f), 0.0f, glassTop + 4.0f,
                                               Colours::white.withAlpha (0.04f), 0.0f, glassBottom, false));
            g.fillRoundedRectangle (cx - glassHalf + 2.0f, glassTop + 5.0f, 1.6f, glassBottom - glassTop - 9.0f, 0.8f);
            g.setColour (Colours::white.withAlpha (0.10f));
            g.fillRoundedRectangle (cx + glassHalf - 4.0f, glassTop + 9.0f, 1.0f, glassBottom - glassTop - 16.0f, 0.5f);
        });

        composite (glow, tube);
        return glow;
    }

    //==========================================================================
    // Knob scales and switch marks.

    void drawKnobScales (Graphics& g)
    {
        for (auto& c : skinControls())
        {
            if (c.kind != ControlKind::pointerKnob && c.kind != ControlKind::roundKnob)
                continue;

            const auto centre = c.centre();
            const auto radii = knobScaleRadii (c.kind, c.width, c.height);
            const bool centred = String (c.name).contains ("Gain") && c.kind == ControlKind::roundKnob;
            const int ticks = 11;

            for (int i = 0; i < ticks; ++i)
            {
                const bool major = i == 0 || i == ticks - 1 || (centred && i == ticks / 2);
                const float angle = knobAngle ((float) i / (float) (ticks - 1));
                const float inner = major ? radii.getStart() - 0.8f : radii.getStart();
                g.setColour (Colours::black.withAlpha (0.5f));
                g.fillPath (radialLine (centre.translated (0.0f, -0.7f), inner, radii.getEnd(), angle, major ? 1.1f : 0.8f));
                g.setColour (colours::cream.withAlpha (major ? 0.95f : 0.7f));
                g.fillPath (radialLine (centre, inner, radii.getEnd(), angle, major ? 1.1f : 0.8f));
            }
        }
    }

    //==========================================================================
    // Legends.

    struct Legend
    {
        const char* text;
        float x, baseline;
        bool header;
        Justification justification = Justification::horizontallyCentred;
    };

    /** Legends must leave every control free: report any that would cover one. */
    void checkClear (const String& text, const Font& font, float x, float baseline, Justification justification)
    {
        const float width = textWidth (font, text);
        const float left = justification.testFlags (Justification::horizontallyCentred) ? x - width * 0.5f
                         : justification.testFlags (Justification::right) ? x - width : x;
        const Rectangle<float> box (left, baseline - font.getAscent() * 0.75f, width, font.getAscent() * 0.75f);

        for (auto& c : skinControls())
            if (box.intersects (c.bounds().toFloat()))
                std::cerr << "warning: legend \"" << text << "\" covers " << c.name << "\n";
    }

    void legend (Graphics& g, const String& text, const Font& font, float x, float baseline, Colour colour,
                 Justification justification = Justification::horizontallyCentred)
    {
        checkClear (text, font, x, baseline, justification);
        drawLegend (g, text, font, x, baseline, colour, justification);
    }

    /** A header with engraved rules running out to `left` and `right`. */
    void drawHeaderRules (Graphics& g, const Font& font, const char* text, float centre, float baseline, float left, float right)
    {
        const float half = textWidth (font, text) * 0.5f + 4.0f;
        const float y = std::round (baseline - 3.0f) + 0.5f;

        for (auto span : { Range<float> (left, centre - half), Range<float> (centre + half, right) })
        {
            if (span.getLength() <= 1.0f)
                continue;

            g.setColour (Colours::black.withAlpha (0.6f));
            g.fillRect (span.getStart(), y - 1.5f, span.getLength(), 1.0f);
            g.setColour (colours::amber.withAlpha (0.55f));
            g.fillRect (span.getStart(), y - 0.5f, span.getLength(), 1.0f);
        }
    }

    Image drawLegends()
    {
        auto layer = makeCanvas (backgroundWidth, backgroundHeight);
        const auto font = legendFont (legendHeight);
        const auto headerFont = legendFont (legendHeight).withExtraKerningFactor (0.14f);

        {
            Graphics g (layer);
            drawInUnits (g);

            auto centreX = [] (const char* name) { return control (name).centre().x; };
            auto top = [] (const char* name) { return (float) control (name).y; };

            const float eqLeft = centreX ("BassGainKnob") - 14.0f;
            const float rowLabelRight = eqLeft - 6.0f;

            const Legend legends[] = {
                // Preamp and filters.
                { "PREAMP",    centreX ("PreampGainKnob"), 9.0f, true },
                { "GAIN",      centreX ("PreampGainKnob"), top ("PreampGainKnob") - 4.0f, false },
                { "LOW CUT",   centreX ("LowCutKnob"),     top ("LowCutKnob") - 5.0f, false },
                { "HIGH CUT",  centreX ("HighCutKnob"),    top ("HighCutKnob") - 5.0f, false },
                { "HI-CUT",    centreX ("HighCutOnOffButton"), top ("HighCutOnOffButton") - 4.0f, false },

                // Preset section.
                { "OPTIONS",   centreX ("OptionsButton"),      12.0f, false },
                { "PRESET",    centreX ("PresetNameDisplay"),  12.0f, true },
                { "PREV",      (float) buttonCap (control ("PrevPresetButton")).getCentreX(),   12.0f, false },
                { "NEXT",      (float) buttonCap (control ("NextPresetButton")).getCentreX(),   12.0f, false },
                { "BROWSE",    (float) buttonCap (control ("BrowsePresetButton")).getCentreX(), 12.0f, false },

                // Tube.
                { "TUBE",       (centreX ("TubeBiasKnob") + centreX ("ToneKnob")) * 0.5f, 69.0f, true },
                { "BIAS",       centreX ("TubeBiasKnob"),   top ("TubeBiasKnob") - 5.0f, false },
                { "TONE",       centreX ("ToneKnob"),       top ("ToneKnob") - 5.0f, false },
                { "BRIGHTNESS", centreX ("BrightnessKnob"), top ("BrightnessKnob") - 5.0f, false },

                // Equaliser.
                { "EQUALIZER",  (centreX ("BassGainKnob") + centreX ("PresenceGainKnob")) * 0.5f, 69.0f, true },
                { "BASS",       centreX ("BassFrequencyKnob"),     top ("BassFrequencyKnob") - 4.0f, false },
                { "MIDDLE",     centreX ("MiddleFrequencyKnob"),   top ("MiddleFrequencyKnob") - 4.0f, false },
                { "TREBLE",     centreX ("TrebleFrequencyKnob"),   top ("TrebleFrequencyKnob") - 4.0f, false },
                { "PRESENCE",   centreX ("PresenceFrequencyKnob"), top ("PresenceFrequencyKnob") - 4.0f, false },
                { "FREQ",       rowLabelRight, control ("BassFrequencyKnob").centre().y + 3.0f, false, Justification::right },
                { "GAIN",       rowLabelRight, control ("BassGainKnob").centre().y + 3.0f, false, Justification::right },
                { "BANDWIDTH",  rowLabelRight, control ("BassBandwidthKnob").centre().y + 3.0f, false, Justification::right },

                // Mix and output.
                { "FX",         centreX ("FXKnob"),           top ("FXKnob") - 5.0f, true },
                { "OUTPUT",     centreX ("OutputVolumeKnob"), 34.0f, true },
                { "VOLUME",     centreX ("OutputVolumeKnob"), top ("OutputVolumeKnob") - 5.0f, false },
                { "L",          centreX ("LeftVUMeter"),      201.0f, false },
                { "R",          centreX ("RightVUMeter"),     201.0f, false },
            };

            for (auto& l : legends)
                legend (g, l.text, l.header ? headerFont : font, l.x, l.baseline,
                            l.header ? colours::amber : colours::cream, l.justification);

            // Header rules.
            drawHeaderRules (g, headerFont, "TUBE", (centreX ("TubeBiasKnob") + centreX ("ToneKnob")) * 0.5f, 69.0f,
                             (float) control ("TubeBiasKnob").x - 2.0f, (float) control ("ToneKnob").getRight() + 4.0f);
            drawHeaderRules (g, headerFont, "EQUALIZER", (centreX ("BassGainKnob") + centreX ("PresenceGainKnob")) * 0.5f, 69.0f,
                             rowLabelRight - 40.0f, (float) control ("PresenceGainKnob").getRight() + 6.0f);
            drawHeaderRules (g, headerFont, "PRESET", centreX ("PresetNameDisplay"), 12.0f,
                             (float) control ("PresetNameDisplay").x - 3.0f, (float) control ("PresetNameDisplay").getRight() + 3.0f);
            drawHeaderRules (g, headerFont, "FX", centreX ("FXKnob"), top ("FXKnob") - 5.0f,
                             (float) control ("FXKnob").x - 6.0f, (float) control ("FXKnob").getRight() + 6.0f);

            // Dry and wet at the ends of the mix knob's travel, on and off at the switch's.
            const auto fx = control ("FXKnob");
            const auto small = legendFont (legendHeight * 0.9f);
            legend (g, "DRY", small, (float) fx.x + 6.0f, (float) fx.getBottom() + 9.0f, colours::creamDim, Justification::right);
            legend (g, "WET", small, (float) fx.getRight() - 6.0f, (float) fx.getBottom() + 9.0f, colours::creamDim, Justification::left);

            const auto sw = control ("HighCutOnOffButton");
            const auto upTip = toggleLeverTip (sw.width, sw.height, true) + sw.bounds().getPosition().toFloat();
            const auto downTip = toggleLeverTip (sw.width, sw.height, false) + sw.bounds().getPosition().toFloat();
            legend (g, "ON", small, (float) sw.x - 3.0f, upTip.y + 3.0f, colours::creamDim, Justification::right);
            legend (g, "OFF", small, (float) sw.x - 3.0f, downTip.y + 3.0f, colours::creamDim, Justification::right);
        }

        // Worn silk-screen: the paint is not quite even.
        modulateAlpha (layer, [] (float x, float y)
        {
            return 0.9f + 0.1f * fractalNoise (x / 3.0f, y / 3.0f, 2, 37u);
        });

        return layer;
    }

    //==========================================================================
    void drawNameplate (Graphics& g)
    {
        const float left = (float) buttonCap (control ("BrowsePresetButton")).getRight() + 12.0f;
        const float right = (float) control ("LeftVUMeter").x - 6.0f;
        const float centre = (left + right) * 0.5f;

        const auto logo = logoFont (24.0f).withExtraKerningFactor (0.10f);
        const float baseline = 31.0f;
        const float width = textWidth (logo, "KORVANE");
        const float x = std::round (centre - width * 0.5f);
        checkClear ("KORVANE", logo, x, baseline, Justification::left);
        g.setFont (logo);
        g.setColour (Colours::black.withAlpha (0.7f));
        g.drawSingleLineText ("KORVANE", (int) x, (int) baseline - 1);
        g.setColour (Colours::white.withAlpha (0.10f));
        g.drawSingleLineText ("KORVANE", (int) x, (int) baseline + 1);
        g.setGradientFill (ColourGradient (colours::amberBright, 0.0f, baseline - 16.0f,
                                           colours::amber.darker (0.25f), 0.0f, baseline, false));
        g.drawSingleLineText ("KORVANE", (int) x, (int) baseline);

        // A thin rule, and the subtitle under it.
        g.setColour (colours::amber.withAlpha (0.6f));
        g.fillRect (x + 2.0f, baseline + 3.0f, width - 4.0f, 1.0f);
        g.setColour (Colours::black.withAlpha (0.5f));
        g.fillRect (x + 2.0f, baseline + 2.0f, width - 4.0f, 1.0f);

        const auto sub = scriptFont (11.0f);
        legend (g, "vintage tube distortion", sub, centre, baseline + 13.0f, colours::cream.withAlpha (0.9f));
    }
}

//==============================================================================
Image drawBackground()
{
    auto panel = makeCanvas (backgroundWidth, backgroundHeight);
    paintFinish (panel);

    composite (panel, renderSupersampled (backgroundWidth, backgroundHeight, superSampling, [] (Graphics& g)
    {
        drawPanelEdge (g);
        drawPresetArea (g);
        drawMeterWindow (g);
        drawRecess (g, tubeWindow, 4.0f, Colour (0xff080706));
        drawKnobScales (g);
    }));

    composite (panel, drawTube());
    composite (panel, drawLegends());

    {
        Graphics g (panel);
        drawInUnits (g);
        drawNameplate (g);
    }

    drawScrews (panel);
    return panel;
}
} // namespace art
