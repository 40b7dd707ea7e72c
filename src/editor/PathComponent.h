#pragma once

#include "editor/ListenerSet.h"
#include "skin/TextButtonEx.h"

#include <memory>

/**
    A file path in a box with a "Browse" button that picks another file.
    A path too long for its box shows its start and "[...]" at the right end.
    Disabled, box and button are drawn at half opacity.
*/
class PathComponent : public juce::Component,
                      public juce::Button::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void pathChanged (PathComponent* component) = 0;
    };

    static constexpr const char* clippedMarker = "[...]";

    PathComponent();
    ~PathComponent() override;

    /** Takes the path when it differs from the present one, ignoring case;
        tells the listeners when asked to. */
    void setPath (const juce::String& newPath, bool notify);
    const juce::String& getPath() const noexcept          { return path; }

    /** What the file chooser shows: its title, where it starts, its pattern. */
    void setChooser (const juce::String& title, const juce::File& startFile, const juce::String& pattern);
    const juce::String& getChooserTitle() const noexcept  { return chooserTitle; }
    const juce::String& getChooserPattern() const noexcept { return chooserPattern; }
    const juce::File& getChooserStart() const noexcept    { return chooserStart; }

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    TextButtonEx& getBrowseButton() noexcept              { return browseButton; }
    /** The box the path is drawn in, and whether the path needs the marker. */
    juce::Rectangle<int> getPathBox() const;
    bool isPathClipped() const;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override                { lookAndFeelChanged(); }
    void enablementChanged() override;
    void buttonClicked (juce::Button* button) override;

private:
    juce::String path;
    juce::String chooserTitle, chooserPattern;
    juce::File chooserStart;
    TextButtonEx browseButton { "Browse" };
    juce::Font font { 14.0f };
    std::unique_ptr<juce::FileChooser> chooser;
    ListenerSet<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PathComponent)
};
