#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class BasePlugin;

/*  The framework's editor component. The processor creates it once during
    start-up and keeps it; host windows only wrap it.

    This is the plain editor a processor gets when its layers create no
    richer one: it paints the plug-in's name and refreshes on a timer.
*/
class BasePluginEditor : public juce::Component,
                         public juce::Timer
{
public:
    /** Size of the product's editor area above the status bar. */
    static constexpr int defaultWidth = 633;
    static constexpr int defaultHeight = 207;

    explicit BasePluginEditor (BasePlugin& processor);
    ~BasePluginEditor() override;

    /** Resizes the editor, and the host's window with it. */
    void setEditorSize (int width, int height);
    int getContentHeight() const noexcept { return contentHeight; }

    /** Plain controls for when no skin loaded. */
    virtual void buildDefaultLayout();
    virtual void refreshTick() {}
    virtual bool hasStatusBar() const { return false; }
    virtual void showDebugPanel() {}

    /** Gives this editor and everything inside it the framework's look. */
    void applyLookAndFeel();

    void paint (juce::Graphics& g) override;

protected:
    BasePlugin& processor;

private:
    void timerCallback() override { refreshTick(); }

    juce::LookAndFeel_V4 lookAndFeel;
    int contentHeight = 0;
};
