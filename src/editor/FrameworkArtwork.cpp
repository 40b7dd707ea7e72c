#include "editor/FrameworkArtwork.h"

#include "plugin/EmbeddedResources.h"

namespace
{
    SkinImage loadImage (const char* fileName)
    {
        return SkinImage::loadResource (fileName);
    }

    struct Sheets
    {
        SkinImage iconsLarge = loadImage ("IconsLarge.png");
        SkinImage iconsSmall = loadImage ("IconsSmall.png");
        SkinImage windowIcon = loadImage ("WindowIcon.png");
        SkinImage decorations[4] = { loadImage ("DecorationTop.png"), loadImage ("DecorationBottom.png"),
                                       loadImage ("DecorationLeft.png"), loadImage ("DecorationRight.png") };
        SkinImage radio[2] = { loadImage ("RadioButtonOff.png"), loadImage ("RadioButtonOn.png") };
        SkinImage check[2] = { loadImage ("CheckBoxOff.png"), loadImage ("CheckBoxOn.png") };
        SkinImage textButton = loadImage ("TextButton0.png");
        SkinImage textButtonOverlay = loadImage ("TextButtonOverlay0.png");
    };

    const Sheets& sheets()
    {
        // Decoded on first use, on the message thread, and kept for the
        // library's life.
        static const Sheets instance;
        return instance;
    }

    SkinImage cell (const SkinImage& sheet, int x, int y, int w, int h)
    {
        if (! sheet.isValid() || x < 0 || y < 0 || x + w > sheet.getWidth() || y + h > sheet.getHeight())
            return {};

        return sheet.getClippedImage ({ x, y, w, h });
    }

    constexpr int textButtonCapWidth = 10;
    constexpr int textButtonHeight = 20;
}

namespace FrameworkArtwork
{
    SkinImage getIcon (int index, bool small, bool pressed)
    {
        if (index < 0 || index >= numIcons)
            return {};

        const auto size = small ? smallIconSize : largeIconSize;
        return cell (small ? sheets().iconsSmall : sheets().iconsLarge,
                     index * size, pressed ? size : 0, size, size);
    }

    SkinImage getWindowIcon()
    {
        return sheets().windowIcon;
    }

    SkinImage getDecoration (int side)
    {
        if (side < 1 || side > 4)
            return {};

        return sheets().decorations[side - 1];
    }

    SkinImage getRadioButton (bool on)  { return sheets().radio[on ? 1 : 0]; }
    SkinImage getCheckBox (bool on)     { return sheets().check[on ? 1 : 0]; }

    SkinImage getTextButtonPart (int, int column, bool down)
    {
        // One look is drawn; every look index uses it.
        const int x[] = { 0, textButtonCapWidth, textButtonCapWidth + 1 };
        const int w[] = { textButtonCapWidth, 1, textButtonCapWidth };

        if (column < 0 || column > 2)
            return {};

        return cell (sheets().textButton, x[column], down ? textButtonHeight : 0, w[column], textButtonHeight);
    }

    SkinImage getTextButtonOverlay (int)
    {
        return sheets().textButtonOverlay;
    }

    juce::Typeface::Ptr getInterfaceTypeface (bool bold)
    {
        auto load = [] (const char* fileName) -> juce::Typeface::Ptr
        {
            // JUCE keeps a copy of the bytes; the block may go.
            if (const auto data = loadResourceData (fileName))
                return juce::Typeface::createSystemTypefaceFor (data->getData(), data->getSize());

            return nullptr;
        };

        static const juce::Typeface::Ptr plain = load ("DejaVuSansCondensed.ttf");
        static const juce::Typeface::Ptr boldFace = load ("DejaVuSansCondensed-Bold.ttf");
        return bold ? boldFace : plain;
    }
}

namespace
{
    /** A 16 x 16 icon drawn at `scale` times the pixels. */
    juce::Image drawBrowserIcon (bool group, bool selected, int scale)
    {
        juce::Image image (juce::Image::ARGB, 16 * scale, 16 * scale, true);
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::scale ((float) scale));
        const auto ink = selected ? juce::Colours::white : juce::Colour (0xFF3A3A3A);
        g.setColour (ink);

        if (group)
        {
            // A folder: closed for a group, open while selected.
            juce::Path back;
            back.startNewSubPath (1.5f, 3.5f);
            back.lineTo (6.0f, 3.5f);
            back.lineTo (7.5f, 5.0f);
            back.lineTo (14.5f, 5.0f);
            back.lineTo (14.5f, 13.5f);
            back.lineTo (1.5f, 13.5f);
            back.closeSubPath();

            if (selected)
            {
                g.strokePath (back, juce::PathStrokeType (1.0f));
                juce::Path front;
                front.addQuadrilateral (3.5f, 7.5f, 15.5f, 7.5f, 13.5f, 13.5f, 1.5f, 13.5f);
                g.fillPath (front);
            }
            else
            {
                g.fillPath (back);
            }
        }
        else
        {
            // Two beamed eighth notes.
            g.fillEllipse (2.0f, 10.5f, 4.5f, 3.5f);
            g.fillEllipse (9.5f, 9.0f, 4.5f, 3.5f);
            g.fillRect (5.5f, 3.0f, 1.2f, 9.0f);
            g.fillRect (13.0f, 1.5f, 1.2f, 9.0f);
            juce::Path beam;
            beam.addQuadrilateral (5.5f, 3.0f, 14.2f, 1.5f, 14.2f, 3.8f, 5.5f, 5.3f);
            g.fillPath (beam);
        }

        return image;
    }
}

namespace FrameworkArtwork
{
    SkinImage getBrowserIcon (bool group, bool selected)
    {
        const auto draw = [] (bool g, bool s) { return SkinImage (drawBrowserIcon (g, s, 1), drawBrowserIcon (g, s, 2)); };
        static const SkinImage icons[2][2] = { { draw (false, false), draw (false, true) }, { draw (true, false), draw (true, true) } };
        return icons[group ? 1 : 0][selected ? 1 : 0];
    }
}
