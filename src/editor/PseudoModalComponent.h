#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    A panel shown above the editor that blocks the editor behind it.

    A plug-in editor lives inside the host's window and cannot rely on modal
    operating-system dialogs, so overlays are drawn inside the editor: on
    first show() the component moves into its covering window, which takes
    the full bounds of the nearest ancestor marked as Desktop (the editor)
    and swallows every click meant for what lies beneath. Without such an
    ancestor the overlay is just a child that shows and hides.
*/
class PseudoModalComponent : public juce::Component
{
public:
    /** Marks the component overlays open on. */
    class Desktop
    {
    public:
        virtual ~Desktop() = default;
    };

    /** Covers the desktop component while the overlay shows; dims it for
        dialogs. */
    class CoveringWindow : public juce::Component
    {
    public:
        explicit CoveringWindow (PseudoModalComponent& owner);

        void paint (juce::Graphics& g) override;
        void parentSizeChanged() override;
        void mouseDown (const juce::MouseEvent&) override {}

    private:
        PseudoModalComponent& owner;
    };

    enum class Placement { centred, atPoint };

    explicit PseudoModalComponent (const juce::String& name = {});
    ~PseudoModalComponent() override;

    /** Shows the overlay centred on the desktop component. */
    void show();
    /** Shows it with its top left at the point, given in the coordinates of
        relativeTo (or of the covering window when null). */
    void showAt (juce::Point<int> point, juce::Component* relativeTo = nullptr);
    void hide();

    /** Whether the overlay is up (its covering window visible, or, without a
        desktop ancestor, the component itself). */
    bool isOverlayShown() const;

    CoveringWindow& getCoveringWindow() noexcept         { return coveringWindow; }
    bool isAttached() const noexcept                     { return getParentComponent() == &coveringWindow; }

    /** Whether the covering window darkens what it covers. */
    virtual bool dimsBackground() const                  { return false; }
    /** Places the component in the covering window by the placement mode. */
    virtual void updatePlacement();
    /** Called after the covering window was shown or hidden. */
    virtual void pseudoModalVisibilityChanged()          {}

private:
    /** Moves the component into its covering window below the desktop ancestor. */
    bool attach();
    void showWith (Placement mode, juce::Point<int> point);

    CoveringWindow coveringWindow;
    Placement placement = Placement::centred;
    juce::Point<int> placementPoint;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PseudoModalComponent)
};
