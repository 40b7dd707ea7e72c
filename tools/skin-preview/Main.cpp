#include "plugin/Korvane.h"
#include "skin/SkinLoader.h"

#include <iostream>

/*  korvane-skin-preview: draws the product's skin, built by the skin loader
    from the embedded skin document, with every control showing the
    parameters' default values, into a PNG file (no window, no display).
*/
namespace
{
    // The surface the controls sit on, painting the skin's background.
    class SkinSurface : public juce::Component
    {
    public:
        const SkinImage* background = nullptr;

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colours::black);

            if (background != nullptr && background->isValid())
                background->drawAt (g, 0, 0);
        }
    };
}

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: korvane-skin-preview <output.png>\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;

    // A settings folder of its own, and a cleared bank: every knob at the
    // value its definition starts with.
    const auto settings = juce::File::createTempFile ("korvane-skin-preview");
    settings.createDirectory();
    BasePlugin::setUserSettingsFolderOverride (settings);

    int result = 0;
    {
        Korvane processor;
        processor.setDefaultPresetsMode (BasePluginOldStyle::clearedPresets);
        processor.startUp();

        SkinSurface surface;
        SkinContext context (processor.getParameterManager(), processor.getEventsMap(), surface);

        if (SkinLoader::loadFromResource ("skin.xml", context) != SkinLoader::Outcome::built || ! context.hasBackground())
        {
            std::cerr << "korvane-skin-preview: the embedded skin did not load\n";
            result = 1;
        }
        else
        {
            surface.background = &context.getBackground();
            surface.setSize (context.getBackground().getWidth(), context.getBackground().getHeight());
            processor.getParameterManager().announceAll();
            juce::MessageManager::getInstance()->runDispatchLoopUntil (200);

            const juce::File output (juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (argv[1])));
            output.deleteFile();
            juce::FileOutputStream stream (output);
            juce::PNGImageFormat png;

            if (! stream.openedOk() || ! png.writeImageToStream (surface.createComponentSnapshot (surface.getLocalBounds()), stream))
            {
                std::cerr << "korvane-skin-preview: cannot write " << output.getFullPathName() << "\n";
                result = 1;
            }
            else
            {
                std::cout << "wrote " << output.getFullPathName() << "\n";
            }
        }
    }

    settings.deleteRecursively();
    return result;
}
