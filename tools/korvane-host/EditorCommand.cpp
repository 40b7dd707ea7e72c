#include "CommandOptions.h"
#include "Commands.h"
#include "EditorWindow.h"
#include "PluginLoading.h"
#include "ScreenCapture.h"
#include "XDisplay.h"

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

    struct Drag
    {
        juce::Point<int> from, to;
    };

    Drag parseDrag (const juce::String& text)
    {
        // "X,Y:X,Y", both relative to the editor's top left.
        const auto ends = juce::StringArray::fromTokens (text.trim(), ":", "");

        if (ends.size() != 2 || ends[0].startsWithIgnoreCase ("ctrl") || ends[1].startsWithIgnoreCase ("ctrl"))
            throw std::invalid_argument (("--drag wants X,Y:X,Y, not '" + text + "'").toStdString());

        try
        {
            return { parseClick (ends[0]).position, parseClick (ends[1]).position };
        }
        catch (const std::invalid_argument&)
        {
            throw std::invalid_argument (("--drag wants X,Y:X,Y, not '" + text + "'").toStdString());
        }
    }

    juce::Point<int> parseSize (const juce::String& text)
    {
        // "WxH" in pixels, as the screenshot will have them.
        const auto parts = juce::StringArray::fromTokens (text.trim().toLowerCase(), "x", "");

        if (parts.size() != 2 || parts[0].isEmpty() || parts[1].isEmpty()
            || ! parts[0].containsOnly ("0123456789") || ! parts[1].containsOnly ("0123456789")
            || parts[0].getIntValue() < 1 || parts[1].getIntValue() < 1)
            throw std::invalid_argument (("--wait-size wants WxH in pixels, such as 633x479, not '" + text + "'").toStdString());

        return { parts[0].getIntValue(), parts[1].getIntValue() };
    }

    bool isOneColour (const juce::Image& image)
    {
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (image.getPixelAt (x, y) != image.getPixelAt (0, 0))
                    return false;

        return true;
    }

    /** Runs the message loop until the condition holds or the time is up;
        tells whether it held. */
    template <typename Condition>
    bool waitUntil (Condition&& condition, double seconds)
    {
        const auto end = juce::Time::getMillisecondCounterHiRes() + seconds * 1000.0;

        while (! condition())
        {
            if (juce::Time::getMillisecondCounterHiRes() > end)
                return false;

            waitFor (100);
        }

        return true;
    }

    // Bounds for what a busy machine may take; a healthy run takes a moment.
    constexpr double longestWaitSeconds = 30.0;
}

int runEditor (const juce::StringArray& words)
{
    const CommandOptions options (words, { "click", "drag", "settle", "scale", "wait-size" });
    const auto& args = options.getPositional();

    if (args.size() != 2)
        throw std::invalid_argument ("editor takes a plug-in and an output PNG file");

    const auto output = juce::File::getCurrentWorkingDirectory().getChildFile (args[1]);

    if (! output.hasFileExtension ("png"))
        throw std::invalid_argument ("the screenshot is written as PNG: give a .png file");

    juce::Array<Click> clicks;
    for (const auto& text : options.getAll ("click"))
        clicks.add (parseClick (text));

    juce::Array<Drag> drags;
    for (const auto& text : options.getAll ("drag"))
        drags.add (parseDrag (text));

    const auto settleMs = options.getInteger ("settle", 1500, 50, 60000);
    // The scale a host names for its window; clicks are given in the
    // editor's unscaled units and land scaled.
    const auto scale = options.getNumber ("scale", 1.0, 0.5, 4.0);
    const auto waitForSize = options.has ("wait-size");
    const auto expectedSize = waitForSize ? parseSize (options.get ("wait-size")) : juce::Point<int>();

    if (! XDisplay::isAllowed())
        throw std::runtime_error ("the editor needs an X display, and DISPLAY is not set (without a screen, run it under xvfb-run)");

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

        // A click before the plug-in drew into the window (which the host
        // paints in one colour) would go to nobody.
        if ((! clicks.isEmpty() || ! drags.isEmpty())
            && ! waitUntil ([&] { return ! isOneColour (screen.grab (window.getScreenBounds())); }, longestWaitSeconds))
            std::cerr << "korvane-host: the editor showed nothing in " << longestWaitSeconds << " s; clicking anyway\n";

        for (const auto& click : clicks)
        {
            const auto origin = window.getScreenPosition();
            screen.click (origin + (click.position.toDouble() * scale).roundToInt(), click.withCtrl);
            waitFor (settleMs);
        }

        for (const auto& drag : drags)
        {
            const auto origin = window.getScreenPosition();
            screen.drag (origin + (drag.from.toDouble() * scale).roundToInt(),
                         origin + (drag.to.toDouble() * scale).roundToInt(),
                         [] { waitFor (30); });
            waitFor (settleMs);
        }

        const auto sizeText = [] (int width, int height) { return juce::String (width) + " x " + juce::String (height); };
        juce::String problem;

        if (waitForSize
            && ! waitUntil ([&] { return window.getScreenBounds().getWidth() == expectedSize.x
                                         && window.getScreenBounds().getHeight() == expectedSize.y; },
                            longestWaitSeconds))
            problem = "the editor's window did not reach " + sizeText (expectedSize.x, expectedSize.y) + " in "
                    + juce::String (longestWaitSeconds) + " s: it is " + sizeText (window.getWidth(), window.getHeight());

        // A plug-in's own window (embedded, with its own message thread in
        // LV2) may take a while to follow a resize and repaint: capture until
        // two captures a moment apart agree.
        auto area = window.getScreenBounds();
        auto image = screen.grab (area);
        const auto captureEnd = juce::Time::getMillisecondCounterHiRes() + (waitForSize ? longestWaitSeconds * 1000.0 : 5000.0);

        while (problem.isEmpty() && juce::Time::getMillisecondCounterHiRes() < captureEnd)
        {
            waitFor (250);
            const auto nowArea = window.getScreenBounds();
            const auto again = screen.grab (nowArea);

            if (nowArea == area && sameImage (image, again))
                break;

            area = nowArea;
            image = again;
        }

        if (problem.isEmpty() && waitForSize && (area.getWidth() != expectedSize.x || area.getHeight() != expectedSize.y))
            problem = "the editor's window left " + sizeText (expectedSize.x, expectedSize.y) + " again: it is "
                    + sizeText (area.getWidth(), area.getHeight());

        if (problem.isEmpty())
        {
            output.deleteFile();
            juce::FileOutputStream stream (output);
            juce::PNGImageFormat png;

            if (! stream.openedOk() || ! png.writeImageToStream (image, stream))
                problem = "cannot write " + output.getFullPathName();
            else
                std::cout << "wrote " << output.getFullPathName() << " (" << area.getWidth() << " x "
                          << area.getHeight() << ", " << plugin.description.name << " " << plugin.formatName << ")\n";
        }

        // The plug-in's window leaves before the host's, on failure too.
        window.closeEditor (editor);
        window.removeFromDesktop();

        if (problem.isNotEmpty())
            throw std::runtime_error (problem.toStdString());
    }

    plugin.instance.reset();
    return 0;
}
