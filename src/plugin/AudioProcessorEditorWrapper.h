#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class BasePlugin;

/*  What the host's editor window holds. The processor keeps one editor
    component for its whole life; a host window only borrows it through this
    wrapper, which hands it back (hidden, detached) when the window closes,
    so reopening the window shows the editor exactly as it was left.

    The wrapper also sets the editor's size on the screen: the scale a host
    names (VST3's content scale, VST 2.4's scale call, LV2's ui:scaleFactor,
    CLAP's set_scale), or the interface size the user chose instead, scales
    the wrapper, the way JUCE's wrappers expect a host's scale. The editor
    keeps its own units: positions, sizes and mouse movements are the
    unscaled skin's.
*/
class AudioProcessorEditorWrapper : public juce::AudioProcessorEditor,
                                    private juce::ComponentListener,
                                    private juce::ChangeListener
{
public:
    AudioProcessorEditorWrapper (BasePlugin& owner, juce::Component& editorComponent);
    ~AudioProcessorEditorWrapper() override;

    void paint (juce::Graphics& g) override;
    void setScaleFactor (float newScale) override;

    /** The factor the editor is drawn at on the screen (before the desktop's own). */
    float getEffectiveScale() const noexcept { return effectiveScale; }

private:
    void componentMovedOrResized (juce::Component& component, bool wasMoved, bool wasResized) override;
    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void followInterfaceSize();

    BasePlugin& plugin;
    juce::Component& content;
    float hostScale = 1.0f, effectiveScale = 1.0f;
};
