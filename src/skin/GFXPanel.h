#pragma once

#include "skin/BaseGFXController.h"

/**
    A skin container: a film-strip control holding controls of its own, read
    from its controls element (with the offset ofsX, ofsY added to every
    child's position). Panels nest.

    The panel itself ignores mouse clicks and lets its children receive them.
    It owns the controls it creates. Registering a listener on a panel
    registers it on every child controller as well.
*/
class GFXPanel : public BaseGFXController,
                 public juce::Component
{
public:
    explicit GFXPanel (const juce::String& controlName = {});
    ~GFXPanel() override;

    /** The film-strip reading, transparent from the gfx child, then the
        controls child: each known element becomes a child control, added as
        the panel's topmost child; afterwards every child component moves by
        (ofsX, ofsY). Finally the panel takes its own position and frame size. */
    void loadFromXml (const juce::XmlElement& element,
                      ParameterManager& parameterSet,
                      const EventsMap& eventMap,
                      juce::Component* editor) override;

    /** Registers on the panel and on every child controller. */
    void addListener (Listener* listener) override;

    /** Takes ownership of a controller and makes its component the panel's
        topmost child. Does nothing for null. */
    void addChildController (std::unique_ptr<GUIController> controller);

    int getNumChildControllers() const;
    GUIController* getChildController (int index) const;

    bool isTransparent() const noexcept         { return transparent; }
    void setTransparent (bool shouldBeTransparent);

    void paint (juce::Graphics& g) override;
    void blinkStateChanged() override           { repaint(); }

private:
    juce::CriticalSection lock;
    juce::OwnedArray<GUIController> childControllers;
    juce::Array<juce::Component*> childComponents;
    bool transparent = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXPanel)
};
