#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_events/juce_events.h>

#include <array>
#include <memory>

class Parameter;
class ParameterManager;

/*  The map from MIDI controller numbers to parameters, its map file, and MIDI
    learn.

    The table has one entry per controller number 0 … 127; each names at most
    one parameter, and a parameter appears in at most one entry. A Control
    Change on any channel sets the parameter of its controller to the value
    divided by 127.

    MIDI learn pairs a controller with a parameter by example: with learn on,
    the user moves a control in the editor and turns a knob on the MIDI
    controller, in either order. The last parameter and controller moved are
    the learn candidates; when both are known and the controller is free, the
    controller is assigned to the parameter. A controller that already drives
    a parameter is never taken over by learn.

    Threads: processMidiMessage() runs on the audio thread, everything else on
    the message thread or a host thread. One critical section guards the
    table, the learn state, the settings and the pending flags; it is held
    while a controller sets its parameter, so the parameter's synchronous
    listeners run with it held. Listeners are told asynchronously on the
    message thread (a burst of changes gives one call per kind), except for
    setLearnMode(), which tells them at once on the calling thread. The
    listener list itself is used only on the message thread.
*/
class MidiControl : public juce::AsyncUpdater
{
public:
    static constexpr int numControllers = 128;

    /** Observer of the map. Each round of calls runs from the listener
        registered last to the one registered first. */
    class Listener
    {
    public:
        virtual ~Listener() = default;

        /** An assignment was added, changed or removed, or a map was loaded. */
        virtual void midiMapChanged (MidiControl&) {}
        /** Learn was switched on or off, or its candidates changed. */
        virtual void midiLearnChanged (MidiControl&) {}
        /** A mapped controller set its parameter; see getLastMovedParameter(). */
        virtual void midiControllerMoved (MidiControl&) {}
    };

    explicit MidiControl (ParameterManager& parameters);
    ~MidiControl() override;

    void handleAsyncUpdate() override;

    //==============================================================================
    void setPluginName (const juce::String& name);
    juce::String getPluginName() const;

    ParameterManager& getParameterManager() const noexcept { return parameters; }

    /** Registers a listener unless it is already registered. Not owned. */
    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    //==============================================================================
    /** The controller whose entry is the parameter, or -1. */
    int indexOfParameter (const Parameter* parameter) const;

    /** The parameter controller drives, or nullptr (also for numbers outside 0 … 127). */
    Parameter* getParameterForController (int controller) const;

    /** The number of controllers that drive a parameter. */
    int getAssignmentCount() const;

    /** Makes the controller drive the parameter; nullptr empties the entry.
        A parameter that had another controller loses it. Only automatable
        parameters are accepted. With notify, the listeners hear midiMapChanged. */
    void assignController (int controller, Parameter* parameter, bool notify);

    /** Empties the controller's entry. While learning, the candidates start over. */
    void unassignController (int controller);

    /** Empties every entry. The learn candidates are left alone. */
    void clearAll();

    /** Audio thread: applies a Control Change (any channel) to the mapped
        parameter, and feeds the controller to learn while learning. Other
        messages are ignored. Allocates nothing. */
    void processMidiMessage (const juce::MidiMessage& message);
    void processMidiMessage (const juce::uint8* data, int size);

    /** The parameter a controller set most recently, or nullptr. */
    Parameter* getLastMovedParameter() const;

    //==============================================================================
    /** True for a "MidiControlMap" or "MidiCCMap" element, in any letter case. */
    virtual bool isMapElement (const juce::XmlElement& element) const;

    /** A map element written for this product: its name (or else its
        application) attribute equals the plug-in name, letter case aside.
        Without a plug-in name every map element is accepted. */
    virtual bool isCompatibleMap (const juce::XmlElement& element) const;

    /** Replaces the map with the element's assignments; switches learn off.
        An incompatible element leaves the map empty. */
    virtual void loadMapXml (const juce::XmlElement& element);

    std::unique_ptr<juce::XmlElement> createMapXml() const;

    /** A file that cannot be read or parsed leaves the map as it is; a file
        that cannot be written is not reported either. */
    void loadMapFile (const juce::File& file);
    void saveMapFile (const juce::File& file) const;

    //==============================================================================
    /** The map file new instances load at start-up, and whether they do. */
    void setUseDefaultMap (bool shouldLoadAtStartUp);
    bool getUseDefaultMap() const;
    void setDefaultMapPath (const juce::String& path);
    juce::String getDefaultMapPath() const;

    /** Loads the default map file when it is switched on and its path is an
        absolute one; otherwise does nothing. */
    void loadDefaultMapIfWanted();

    //==============================================================================
    /** Switches learn on or off. On a change the candidates are cleared and
        the listeners hear midiLearnChanged at once on the message thread, or,
        called elsewhere, through the asynchronous update. */
    void setLearnMode (bool shouldLearn);
    bool isLearnMode() const;

    /** The user moved a control of an automatable parameter (while learning). */
    void learnParameterMoved (Parameter* parameter);

    /** A Control Change arrived while learning, before its value is applied. */
    void learnControllerMoved (int controller);

    /** Assigns the candidate controller to the candidate parameter when both
        are known and the controller is free, then announces the learn state. */
    void tryCompleteLearn();

    /** Makes a chosen pair the candidates (the MIDI panel's list selection
        while learning) and tries to complete the learn. */
    void setLearnCandidates (int controller, Parameter* parameter);

    Parameter* getLearnParameter() const;
    int getLearnController() const;

    /** The text the editor shows for the learn state; empty while learn is off. */
    juce::String getLearnStatusText() const;

private:
    static bool isValidController (int controller) noexcept { return controller >= 0 && controller < numControllers; }

    /** The body of assignController(); the caller holds the lock. */
    void assignLocked (int controller, Parameter* parameter, bool notify);
    void clearLearnCandidates() noexcept;
    void callListeners (void (Listener::*callback) (MidiControl&));

    ParameterManager& parameters;
    juce::Array<Listener*> listeners;
    std::array<Parameter*, numControllers> controllerTable {};
    bool learnMode = false;
    Parameter* learnParameter = nullptr;
    int learnController = -1;
    juce::String productName;
    int assignmentCount = 0;
    bool useDefaultMap = false;
    juce::String defaultMapPath;
    bool mapChangedPending = false, learnChangedPending = false, controllerMovedPending = false;
    Parameter* lastMovedParameter = nullptr;
    juce::CriticalSection lock;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiControl)
};
