// korvane-skin-art: draws the artwork of Korvane's embedded skin.
//
//   korvane-skin-art <output folder>
//       writes Background.png, Fonts.png and every control's film strip, and
//       each of them again drawn at twice the resolution ("Background@2x.png", ...)
//   korvane-skin-art --preview <skin folder> <parameters.xml> <output.png> [scale [x,y,w,h]]
//       composites skin.xml's controls at their initial values over the background
//       (optionally enlarged, optionally only a part of it)
//   korvane-skin-art --preview-2x <skin folder> <parameters.xml> <output.png> [scale [x,y,w,h]]
//       the same from the "@2x" images (the part still in 1x pixels)
//   korvane-skin-art --contact <strip.png> <frames> <output.png> <scale> <frame,frame,...>
//       lays chosen frames of a strip side by side, enlarged
//   korvane-skin-art --ui <output folder>
//       writes the editor's window artwork: icon sheets, window icon,
//       edge decorations, radio buttons, check boxes, text button caps,
//       at 1x and at 2x ("IconsLarge.png", "IconsLarge@2x.png", ...)
//   korvane-skin-art --ui-preview <ui folder> <output.png> [scale [x,y,w,h]]
//       shows that artwork put together as the editor uses it
//   korvane-skin-art --ui-preview-2x <ui folder> <output.png> [scale [x,y,w,h]]
//       the same from the "@2x" images (the part still in 1x pixels)
//   korvane-skin-art --check-2x <folder>
//       checks that every image has its "@2x" image at twice the size, and
//       prints how far that one, averaged down, differs from the 1x one
#include "Art.h"

#include <juce_events/juce_events.h>

#include <iostream>

namespace
{
using namespace juce;

/** Every image is drawn at these output scales; 1x keeps the plain file name. */
constexpr int outputScales[] = { 1, 2 };

/** Sets the output scale for a scope, and puts 1x back after it. */
struct ScopedOutputScale
{
    explicit ScopedOutputScale (int scale) { art::setOutputScale (scale); }
    ~ScopedOutputScale() { art::setOutputScale (1); }

    JUCE_DECLARE_NON_COPYABLE (ScopedOutputScale)
};

bool writeArtworkAt (const File& folder, int scale)
{
    const ScopedOutputScale scoped (scale);
    bool ok = true;

    auto write = [&] (const Image& image, const String& name)
    {
        // Film strips keep to a 256-colour palette (no visible loss on these
        // small, mostly dark images, a quarter of the size); the background
        // keeps every colour of its gradients.
        const bool palette = name != "Background.png";
        const auto fileName = art::scaledFileName (name, scale);
        const bool written = art::writePng (palette ? art::quantise (image, 256) : image, folder.getChildFile (fileName));
        std::cout << (written ? "wrote " : "FAILED ") << fileName << " (" << image.getWidth() << " x "
                  << image.getHeight() << ")\n";
        ok = ok && written;
    };

    write (art::drawBackground(), "Background.png");
    write (art::drawFontStrip(), "Fonts.png");

    for (auto& c : art::skinControls())
    {
        switch (c.kind)
        {
            case art::ControlKind::pointerKnob:
                write (art::drawPointerKnobStrip (c.width, c.height, c.frames), c.resource);
                break;

            case art::ControlKind::roundKnob:
                write (art::drawRoundKnobStrip (c.width, c.height, c.frames,
                                                String (c.name).contains ("Gain") ? art::colours::amber
                                                                                  : art::colours::cream),
                       c.resource);
                break;

            case art::ControlKind::pushButton:
                write (art::drawPushButtonStrip (c), c.resource);
                break;

            case art::ControlKind::lampToggle:
                write (art::drawLampToggleStrip (c.width, c.height), c.resource);
                break;

            case art::ControlKind::meter:
                write (art::drawMeterStrip (c.width, c.height, c.frames, String (c.name).startsWith ("Right")),
                       c.resource);
                break;

            case art::ControlKind::display:
                break;
        }
    }

    return ok;
}

bool writeArtwork (const File& folder)
{
    if (! folder.createDirectory())
    {
        std::cerr << "cannot create " << folder.getFullPathName() << "\n";
        return false;
    }

    bool ok = true;

    for (int scale : outputScales)
        ok = writeArtworkAt (folder, scale) && ok;

    return ok;
}

bool writeUiArtwork (const File& folder)
{
    if (! folder.createDirectory())
    {
        std::cerr << "cannot create " << folder.getFullPathName() << "\n";
        return false;
    }

    bool ok = true;

    for (int scale : outputScales)
    {
        const ScopedOutputScale scoped (scale);

        for (auto& [name, image] : art::drawUiArtwork())
        {
            // A palette of 256 colours is plenty for these flat greys.
            const auto fileName = art::scaledFileName (name, scale);
            const bool written = art::writePng (art::quantise (image, 256), folder.getChildFile (fileName));
            std::cout << (written ? "wrote " : "FAILED ") << fileName << " (" << image.getWidth() << " x "
                      << image.getHeight() << ")\n";
            ok = ok && written;
        }
    }

    return ok;
}

int run (const StringArray& args)
{
    if (args.size() >= 4 && (args[0] == "--preview" || args[0] == "--preview-2x"))
        return art::writePreview (File::getCurrentWorkingDirectory().getChildFile (args[1]),
                                  File::getCurrentWorkingDirectory().getChildFile (args[2]),
                                  File::getCurrentWorkingDirectory().getChildFile (args[3]),
                                  args.size() > 4 ? args[4].getIntValue() : 1,
                                  args.size() > 5 ? args[5] : String(),
                                  args[0] == "--preview-2x" ? 2 : 1) ? 0 : 1;

    if (args.size() >= 6 && args[0] == "--contact")
    {
        Array<int> frames;

        for (auto& f : StringArray::fromTokens (args[5], ",", ""))
            frames.add (f.getIntValue());

        return art::writeContactSheet (File::getCurrentWorkingDirectory().getChildFile (args[1]), args[2].getIntValue(),
                                       frames, File::getCurrentWorkingDirectory().getChildFile (args[3]),
                                       jmax (1, args[4].getIntValue())) ? 0 : 1;
    }

    if (args.size() == 2 && args[0] == "--ui")
        return writeUiArtwork (File::getCurrentWorkingDirectory().getChildFile (args[1])) ? 0 : 1;

    if (args.size() >= 3 && (args[0] == "--ui-preview" || args[0] == "--ui-preview-2x"))
        return art::writeUiPreview (File::getCurrentWorkingDirectory().getChildFile (args[1]),
                                    File::getCurrentWorkingDirectory().getChildFile (args[2]),
                                    args.size() > 3 ? jmax (1, args[3].getIntValue()) : 1,
                                    args.size() > 4 ? args[4] : String(),
                                    args[0] == "--ui-preview-2x" ? 2 : 1) ? 0 : 1;

    if (args.size() == 2 && args[0] == "--check-2x")
        return art::checkDoubledImages (File::getCurrentWorkingDirectory().getChildFile (args[1])) ? 0 : 1;

    if (args.size() == 1 && ! args[0].startsWith ("-"))
        return writeArtwork (File::getCurrentWorkingDirectory().getChildFile (args[0])) ? 0 : 1;

    std::cerr << "usage: korvane-skin-art <output folder>\n"
                 "       korvane-skin-art --preview[-2x] <skin folder> <parameters.xml> <output.png> [scale [x,y,w,h]]\n"
                 "       korvane-skin-art --contact <strip.png> <frames> <output.png> <scale> <frame,frame,...>\n"
                 "       korvane-skin-art --ui <output folder>\n"
                 "       korvane-skin-art --ui-preview[-2x] <ui folder> <output.png> [scale [x,y,w,h]]\n"
                 "       korvane-skin-art --check-2x <folder>\n";
    return 2;
}
}

int main (int argc, char** argv)
{
    StringArray args;

    for (int i = 1; i < argc; ++i)
        args.add (String::fromUTF8 (argv[i]));

    const int result = run (args);
    DeletedAtShutdown::deleteAll();
    MessageManager::deleteInstance();
    return result;
}
