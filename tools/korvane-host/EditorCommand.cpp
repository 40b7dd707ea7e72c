#include "CommandOptions.h"
#include "Commands.h"
#include "EditorWindow.h"
#include "PluginLoading.h"
#include "ScreenCapture.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <iostream>
#include <stdexcept>

namespace
{
    void waitFor (int milliseconds)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }

    bool sameImage (const juce::Image& a, const juce::Image& b)
    {
        if (a.getBounds() != b.getBounds())
            return false;

        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                    return false;

        return true;
    }

    struct Click
    {
        juce::Point<int> position;
        bool withCtrl = false;
    };

    Click parseClick (const juce::String& text)
    {
        // "X,Y" or "ctrl:X,Y", relative to the editor's top left.
        auto rest = text.trim();
        Click click;

        if (rest.startsWithIgnoreCase ("ctrl:"))
        {
            click.withCtrl = true;
            rest = rest.substring (5);
        }

        const auto parts = juce::StringArray::fromTokens (rest, ",", "");

        if (parts.size() != 2 || ! parts[0].trim().containsOnly ("0123456789")
            || ! parts[1].trim().containsOnly ("0123456789") || parts[0].isEmpty() || parts[1].isEmpty())
            throw std::invalid_argument (("--click wants X,Y or ctrl:X,Y, not '" + text + "'").toStdString());

        click.position = { parts[0].getIntValue(), parts[1].getIntValue() };
        return click;
    }
}

int runEditor (const juce::StringArray& words)
{
    const CommandOptions options (words, { "click", "settle", "scale" });
    const auto& args = options.getPositional();

    if (args.size() != 2)
        throw std::invalid_argument ("editor takes a plug-in and an output PNG file");

    const auto output = juce::File::getCurrentWorkingDirectory().getChildFile (args[1]);

    if (! output.hasFileExtension ("png"))
        throw std::invalid_argument ("the screenshot is written as PNG: give a .png file");

    juce::Array<Click> clicks;
    for (const auto& text : options.getAll ("click"))
        clicks.add (parseClick (text));

    const auto settleMs = options.getInteger ("settle", 1500, 50, 60000);
    // The scale a host names for its window; clicks are given in the
    // editor's unscaled units and land scaled.
    const auto scale = options.getNumber ("scale", 1.0, 0.5, 4.0);

    ScreenCapture screen;
    PluginLoader loader;
    auto plugin = loader.load (args[0], 44100.0, 512);

    if (! plugin.instance->hasEditor())
        throw std::runtime_error ("the plug-in has no editor");

    std::unique_ptr<juce::AudioProcessorEditor> editor (plugin.instance->createEditorIfNeeded());

    if (editor == nullptr)
        throw std::runtime_error ("the plug-in gave no editor");

    if (options.has ("scale"))
        editor->setScaleFactor ((float) scale);

    {
        EditorWindow window (*editor);
        window.show();
        waitFor (settleMs);

        for (const auto& click : clicks)
        {
            const auto origin = window.getScreenPosition();
            screen.click (origin + (click.position.toDouble() * scale).roundToInt(), click.withCtrl);
            waitFor (settleMs);
        }

        // A plug-in's own window (embedded, with its own message thread in
        // LV2) may take a while to follow a resize and repaint: capture until
        // two captures a moment apart agree.
        auto area = window.getScreenBounds();
        auto image = screen.grab (area);

        for (int attempt = 0; attempt < 20; ++attempt)
        {
            waitFor (250);
            const auto nowArea = window.getScreenBounds();
            const auto again = screen.grab (nowArea);

            if (nowArea == area && sameImage (image, again))
                break;

            area = nowArea;
            image = again;
        }

        output.deleteFile();
        juce::FileOutputStream stream (output);
        juce::PNGImageFormat png;

        if (! stream.openedOk() || ! png.writeImageToStream (image, stream))
            throw std::runtime_error (("cannot write " + output.getFullPathName()).toStdString());

        std::cout << "wrote " << output.getFullPathName() << " (" << area.getWidth() << " x "
                  << area.getHeight() << ", " << plugin.description.name << " " << plugin.formatName << ")\n";

        window.closeEditor (editor);
        window.removeFromDesktop();
    }

    plugin.instance.reset();
    return 0;
}
