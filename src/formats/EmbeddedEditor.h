#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <memory>

/*  The plug-in's editor inside a window the host gives (an X11 window of
    the host's own), for the formats of our own.

    The editor's size is the window's size, always: when the editor grows
    or shrinks (a docked panel opened or closed), the window follows at once,
    the host is asked for the new size, and the window's size hints name
    that size as its base and largest, so that a host which sizes embedded
    windows by their hints (through suil, as jalv and Ardour do) neither
    stretches it nor keeps it at an old size. A size the host sets
    of its own accord never changes the editor (it is not resizable by the
    user); the window takes the editor's size back.

    Lives on the message thread (the host's UI thread while the host drives
    the loop).
*/
class EmbeddedEditor : private juce::ComponentListener
{
public:
    /** The host's answer to a size request. */
    using RequestSize = std::function<void (int width, int height)>;

    /** The editor, not yet in a window. Throws when the processor has no
        editor to show. */
    EmbeddedEditor (juce::AudioProcessor& processor, RequestSize requestSize);
    ~EmbeddedEditor() override;

    /** Puts the editor into the host's window and shows it. */
    void attachTo (unsigned long parentWindow);
    void setVisible (bool shouldBeVisible);

    /** The window to give the host (an X11 window id), once attached. */
    unsigned long getWindow() const;
    int getWidth() const noexcept;
    int getHeight() const noexcept;

    /** The host has set a size: the window keeps the editor's. */
    void hostResized (int width, int height);

    /** The scale the host names for its window (1 = 100 %); an interface
        size the user chose in the editor replaces it. */
    void setScale (float scale);

private:
    class Holder;

    void componentMovedOrResized (juce::Component&, bool wasMoved, bool wasResized) override;
    void followEditor();

    juce::AudioProcessor& processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor;
    std::unique_ptr<Holder> holder;
    RequestSize requestSize;
};
