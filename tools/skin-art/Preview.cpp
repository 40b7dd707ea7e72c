// A still of the skin: the background of skin.xml with every control's film
// strip frame for its parameter's initial value composited at its position,
// the way the editor paints them (controls earlier in the file lie on top).
// Also checks that every image has the frame size skin.xml gives. At 2x the
// same from the "@2x" images, with skin.xml's positions and sizes doubled.
#include "Art.h"

#include <cmath>
#include <iostream>
#include <map>

namespace art
{
using namespace juce;

namespace
{
    XmlElement* child (const XmlElement& e, const char* tag)
    {
        for (auto* c : e.getChildIterator())
            if (c->getTagName().equalsIgnoreCase (tag))
                return c;

        return nullptr;
    }

    std::map<String, float> readInitialValues (const File& parametersFile)
    {
        std::map<String, float> values;

        if (auto root = XmlDocument::parse (parametersFile))
            for (auto* p : root->getChildIterator())
                if (p->getTagName().equalsIgnoreCase ("param"))
                    values[p->getStringAttribute ("name")] = jlimit (0.0f, 1.0f, (float) p->getDoubleAttribute ("value"));

        return values;
    }

    String linkedParameter (const XmlElement& e)
    {
        String name;

        if (auto* links = child (e, "links"))
            for (auto* l : links->getChildIterator())
                if (l->getTagName().equalsIgnoreCase ("link") && l->getStringAttribute ("as") == "connectedTo")
                    name = l->getStringAttribute ("param");

        return name;
    }

    int frameIndex (int frames, float value)
    {
        return (int) std::floor ((float) (frames - 1) * jlimit (0.0f, 1.0f, value) + 0.5f);
    }

    void drawDisplay (Image& target, const XmlElement& e, const File& folder, const String& text, int resolution)
    {
        const auto* pos = child (e, "pos");
        const auto* size = child (e, "size");
        const auto* gfx = child (e, "gfx");
        const int x = pos != nullptr ? pos->getIntAttribute ("left") * resolution : 0;
        const int y = pos != nullptr ? pos->getIntAttribute ("top") * resolution : 0;
        const int w = size != nullptr ? size->getIntAttribute ("width") * resolution : 0;
        const int h = size != nullptr ? size->getIntAttribute ("height") * resolution : 0;
        const auto back = Colour::fromString (e.getStringAttribute ("backgroundColour", "0"));

        Graphics g (target);
        g.setColour (back);
        g.fillRect (x, y, w, h);

        if (gfx == nullptr)
            return;

        const auto font = readImage (folder.getChildFile (scaledFileName (gfx->getStringAttribute ("resource"), resolution)));
        const int fontHeight = gfx->getIntAttribute ("fontHeight") * resolution;
        const int first = (int) gfx->getStringAttribute ("firstASCII", " ")[0];

        if (! font.isValid() || fontHeight < 1)
            return;

        const int glyphW = font.getWidth();
        const int last = first + font.getHeight() / (2 * fontHeight) - 1;
        const int cells = w / glyphW;
        const int x0 = (w % glyphW) / 2, y0 = (h - fontHeight) / 2;

        for (int k = 0; k < cells; ++k)
        {
            int ch = k < text.length() ? (int) (signed char) (text[k] & 0xff) : ' ';
            ch = jlimit ((int) (signed char) first, (int) (signed char) last, ch);
            g.drawImage (font, x + x0 + k * glyphW, y + y0, glyphW, fontHeight,
                         0, (ch - first) * fontHeight, glyphW, fontHeight);
        }
    }
}

bool writePreview (const File& folder, const File& parametersFile, const File& output, int scale, const String& area,
                   int resolution)
{
    const auto skin = XmlDocument::parse (folder.getChildFile ("skin.xml"));

    if (skin == nullptr)
    {
        std::cerr << "cannot read " << folder.getChildFile ("skin.xml").getFullPathName() << "\n";
        return false;
    }

    const auto values = readInitialValues (parametersFile);
    auto canvas = readImage (folder.getChildFile (scaledFileName (skin->getStringAttribute ("background", "Background.png"), resolution)))
                      .convertedToFormat (Image::ARGB);

    if (! canvas.isValid())
    {
        std::cerr << "no background image\n";
        return false;
    }

    bool consistent = true;
    std::vector<XmlElement*> elements;

    for (auto* e : skin->getChildIterator())
        elements.push_back (e);

    // Earlier controls lie above later ones: paint from the last to the first.
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
    {
        const auto& e = **it;
        const auto tag = e.getTagName();
        const auto param = linkedParameter (e);
        const float value = values.count (param) > 0 ? values.at (param) : 0.0f;

        if (tag.equalsIgnoreCase ("Display"))
        {
            drawDisplay (canvas, e, folder, "Warm Tube Drive", resolution);
            continue;
        }

        const auto* gfx = child (e, "gfx");
        const auto* pos = child (e, "pos");
        const auto* size = child (e, "size");

        if (gfx == nullptr || pos == nullptr)
            continue;

        const auto image = readImage (folder.getChildFile (scaledFileName (gfx->getStringAttribute ("resource"), resolution)));
        int frames = gfx->getIntAttribute ("framesNum", 1);
        int frame = 0;

        if (tag.equalsIgnoreCase ("Knob"))
            frame = frameIndex (frames, value);
        else if (tag.equalsIgnoreCase ("ToggleButton"))
        {
            const bool threeD = e.getStringAttribute ("style", "2D") == "3D";
            frames = threeD ? 4 : 2;
            frame = value >= 0.5f ? (threeD ? 2 : 1) : 0;
        }

        if (! image.isValid() || frames < 1)
        {
            std::cerr << e.getStringAttribute ("name") << ": no image\n";
            consistent = false;
            continue;
        }

        const int fw = image.getWidth(), fh = image.getHeight() / frames;

        if (size == nullptr || size->getIntAttribute ("width") * resolution != fw
            || size->getIntAttribute ("height") * resolution != fh || image.getHeight() != fh * frames)
        {
            std::cerr << e.getStringAttribute ("name") << ": image " << image.getWidth() << " x " << image.getHeight()
                      << " does not give " << frames << " frames of the size in skin.xml\n";
            consistent = false;
        }

        Graphics g (canvas);
        g.drawImage (image, pos->getIntAttribute ("left") * resolution, pos->getIntAttribute ("top") * resolution,
                     fw, fh, 0, frame * fh, fw, fh);
    }

    if (area.isNotEmpty())
    {
        const auto v = StringArray::fromTokens (area, ",", "");

        if (v.size() == 4)
            canvas = crop (canvas, Rectangle<int> (v[0].getIntValue(), v[1].getIntValue(), v[2].getIntValue(), v[3].getIntValue())
                                       * resolution);
    }

    if (! writePng (scale > 1 ? enlarge (canvas, scale) : canvas, output))
        return false;

    return consistent;
}

bool checkDoubledImages (const File& folder)
{
    bool ok = true;
    int checked = 0;

    auto files = folder.findChildFiles (File::findFiles, false, "*.png");
    files.sort();

    for (auto& file : files)
    {
        const auto name = file.getFileName();

        if (name.contains ("@"))
            continue;

        const auto doubledFile = folder.getChildFile (scaledFileName (name, 2));
        const auto single = readImage (file).convertedToFormat (Image::ARGB);
        const auto doubled = readImage (doubledFile).convertedToFormat (Image::ARGB);

        if (! doubled.isValid())
        {
            std::cout << name << ": no " << doubledFile.getFileName() << "\n";
            ok = false;
            continue;
        }

        if (doubled.getWidth() != 2 * single.getWidth() || doubled.getHeight() != 2 * single.getHeight())
        {
            std::cout << doubledFile.getFileName() << ": " << doubled.getWidth() << " x " << doubled.getHeight()
                      << ", not twice " << single.getWidth() << " x " << single.getHeight() << "\n";
            ok = false;
            continue;
        }

        // The 2x image averaged down to 1x should look like the 1x one: the
        // mean absolute difference of each (premultiplied) channel.
        const auto reduced = downsample (doubled, 2);
        const Image::BitmapData a (single, Image::BitmapData::readOnly);
        const Image::BitmapData b (reduced, Image::BitmapData::readOnly);
        double sums[4] = { 0, 0, 0, 0 };

        for (int y = 0; y < single.getHeight(); ++y)
        {
            for (int x = 0; x < single.getWidth(); ++x)
            {
                const auto* p = reinterpret_cast<const PixelARGB*> (a.getPixelPointer (x, y));
                const auto* q = reinterpret_cast<const PixelARGB*> (b.getPixelPointer (x, y));
                sums[0] += std::abs ((int) p->getAlpha() - (int) q->getAlpha());
                sums[1] += std::abs ((int) p->getRed() - (int) q->getRed());
                sums[2] += std::abs ((int) p->getGreen() - (int) q->getGreen());
                sums[3] += std::abs ((int) p->getBlue() - (int) q->getBlue());
            }
        }

        const double count = (double) single.getWidth() * (double) single.getHeight();
        std::cout << doubledFile.getFileName() << " (" << doubled.getWidth() << " x " << doubled.getHeight()
                  << "): mean difference A " << String (sums[0] / count, 2) << ", R " << String (sums[1] / count, 2)
                  << ", G " << String (sums[2] / count, 2) << ", B " << String (sums[3] / count, 2) << "\n";
        ++checked;
    }

    std::cout << checked << " doubled images checked\n";
    return ok && checked > 0;
}

bool writeContactSheet (const File& stripFile, int frames, const Array<int>& which, const File& output, int scale)
{
    const auto strip = readImage (stripFile);

    if (! strip.isValid() || frames < 1 || which.isEmpty())
        return false;

    const int fw = strip.getWidth(), fh = strip.getHeight() / frames, gap = 2;
    auto sheet = makeImage (which.size() * (fw + gap) + gap, fh + 2 * gap);

    {
        Graphics g (sheet);
        g.fillAll (colours::panel);

        for (int i = 0; i < which.size(); ++i)
            g.drawImage (strip, gap + i * (fw + gap), gap, fw, fh, 0, jlimit (0, frames - 1, which[i]) * fh, fw, fh);
    }

    return writePng (enlarge (sheet, scale), output);
}
} // namespace art
