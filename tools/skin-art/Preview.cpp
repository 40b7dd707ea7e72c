// A still of the skin: the background of skin.xml with every control's film
// strip frame for its parameter's initial value composited at its position,
// the way the editor paints them (controls earlier in the file lie on top).
// Also checks that every image has the frame size skin.xml gives.
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

    void drawDisplay (Image& target, const XmlElement& e, const File& folder, const String& text)
    {
        const auto* pos = child (e, "pos");
        const auto* size = child (e, "size");
        const auto* gfx = child (e, "gfx");
        const int x = pos != nullptr ? pos->getIntAttribute ("left") : 0;
        const int y = pos != nullptr ? pos->getIntAttribute ("top") : 0;
        const int w = size != nullptr ? size->getIntAttribute ("width") : 0;
        const int h = size != nullptr ? size->getIntAttribute ("height") : 0;
        const auto back = Colour::fromString (e.getStringAttribute ("backgroundColour", "0"));

        Graphics g (target);
        g.setColour (back);
        g.fillRect (x, y, w, h);

        if (gfx == nullptr)
            return;

        const auto font = readImage (folder.getChildFile (gfx->getStringAttribute ("resource")));
        const int fontHeight = gfx->getIntAttribute ("fontHeight");
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

bool writePreview (const File& folder, const File& parametersFile, const File& output, int scale, const String& area)
{
    const auto skin = XmlDocument::parse (folder.getChildFile ("skin.xml"));

    if (skin == nullptr)
    {
        std::cerr << "cannot read " << folder.getChildFile ("skin.xml").getFullPathName() << "\n";
        return false;
    }

    const auto values = readInitialValues (parametersFile);
    auto canvas = readImage (folder.getChildFile (skin->getStringAttribute ("background", "Background.png")))
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
            drawDisplay (canvas, e, folder, "Warm Tube Drive");
            continue;
        }

        const auto* gfx = child (e, "gfx");
        const auto* pos = child (e, "pos");
        const auto* size = child (e, "size");

        if (gfx == nullptr || pos == nullptr)
            continue;

        const auto image = readImage (folder.getChildFile (gfx->getStringAttribute ("resource")));
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

        if (size == nullptr || size->getIntAttribute ("width") != fw || size->getIntAttribute ("height") != fh
            || image.getHeight() != fh * frames)
        {
            std::cerr << e.getStringAttribute ("name") << ": image " << image.getWidth() << " x " << image.getHeight()
                      << " does not give " << frames << " frames of the size in skin.xml\n";
            consistent = false;
        }

        Graphics g (canvas);
        g.drawImage (image, pos->getIntAttribute ("left"), pos->getIntAttribute ("top"), fw, fh, 0, frame * fh, fw, fh);
    }

    if (area.isNotEmpty())
    {
        const auto v = StringArray::fromTokens (area, ",", "");

        if (v.size() == 4)
            canvas = crop (canvas, { v[0].getIntValue(), v[1].getIntValue(), v[2].getIntValue(), v[3].getIntValue() });
    }

    if (! writePng (scale > 1 ? enlarge (canvas, scale) : canvas, output))
        return false;

    return consistent;
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
