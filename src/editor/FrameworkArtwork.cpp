#include "editor/FrameworkArtwork.h"

#include "plugin/EmbeddedResources.h"

namespace
{
    juce::Image loadImage (const char* fileName)
    {
        juce::Image image;
        loadResourceImage (fileName, image);
        return image;
    }

    struct Sheets
    {
        juce::Image iconsLarge = loadImage ("IconsLarge.png");
        juce::Image iconsSmall = loadImage ("IconsSmall.png");
        juce::Image windowIcon = loadImage ("WindowIcon.png");
        juce::Image decorations[4] = { loadImage ("DecorationTop.png"), loadImage ("DecorationBottom.png"),
                                       loadImage ("DecorationLeft.png"), loadImage ("DecorationRight.png") };
        juce::Image radio[2] = { loadImage ("RadioButtonOff.png"), loadImage ("RadioButtonOn.png") };
        juce::Image check[2] = { loadImage ("CheckBoxOff.png"), loadImage ("CheckBoxOn.png") };
        juce::Image textButton = loadImage ("TextButton0.png");
        juce::Image textButtonOverlay = loadImage ("TextButtonOverlay0.png");
    };

    const Sheets& sheets()
    {
        // Decoded on first use, on the message thread, and kept for the
        // library's life.
        static const Sheets instance;
        return instance;
    }

    juce::Image cell (const juce::Image& sheet, int x, int y, int w, int h)
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
    juce::Image getIcon (int index, bool small, bool pressed)
    {
        if (index < 0 || index >= numIcons)
            return {};

        const auto size = small ? smallIconSize : largeIconSize;
        return cell (small ? sheets().iconsSmall : sheets().iconsLarge,
                     index * size, pressed ? size : 0, size, size);
    }

    juce::Image getWindowIcon()
    {
        return sheets().windowIcon;
    }

    juce::Image getDecoration (int side)
    {
        if (side < 1 || side > 4)
            return {};

        return sheets().decorations[side - 1];
    }

    juce::Image getRadioButton (bool on)  { return sheets().radio[on ? 1 : 0]; }
    juce::Image getCheckBox (bool on)     { return sheets().check[on ? 1 : 0]; }

    juce::Image getTextButtonPart (int, int column, bool down)
    {
        // One look is drawn; every look index uses it.
        const int x[] = { 0, textButtonCapWidth, textButtonCapWidth + 1 };
        const int w[] = { textButtonCapWidth, 1, textButtonCapWidth };

        if (column < 0 || column > 2)
            return {};

        return cell (sheets().textButton, x[column], down ? textButtonHeight : 0, w[column], textButtonHeight);
    }

    juce::Image getTextButtonOverlay (int)
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
    juce::Image drawBrowserIcon (bool group, bool selected)
    {
        juce::Image image (juce::Image::ARGB, 16, 16, true);
        juce::Graphics g (image);
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
    juce::Image getBrowserIcon (bool group, bool selected)
    {
        static const juce::Image icons[2][2] = { { drawBrowserIcon (false, false), drawBrowserIcon (false, true) },
                                                 { drawBrowserIcon (true, false), drawBrowserIcon (true, true) } };
        return icons[group ? 1 : 0][selected ? 1 : 0];
    }
}
