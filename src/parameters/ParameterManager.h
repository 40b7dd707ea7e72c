#pragma once

#include "parameters/Parameter.h"

/**
    Owns the parameters of a processor and finds them by identifier or by exact name.

    The set is filled from the embedded parameter definitions and by processor
    layers adding parameters in code; afterwards it is only read. A read-write
    lock guards the set: lookups and listener helpers hold the read side (which
    the same thread may take again, so listeners triggered through the manager
    may look parameters up), clear() and addParameter() the write side.
*/
class ParameterManager
{
public:
    /** Identifiers reserved for the preset layer. */
    static constexpr int32_t currentPresetNumberIdentifier = 110000;
    static constexpr int32_t currentPresetNameIdentifier   = 110001;

    ParameterManager();
    virtual ~ParameterManager();

    /** Reads the definitions from an embedded resource ("parameters.xml"). A
        missing or unparsable resource leaves the set as it was. */
    void loadFromResource (const juce::String& fileName);

    /** Replaces the set with the definitions of a PluginParameters document. */
    void loadFromXml (const juce::XmlElement& root);

    /** Deletes every parameter. */
    void clear();

    /** Takes ownership. A parameter whose identifier or name is already used is
        deleted and false is returned. Adding an object already held returns false
        and changes nothing. */
    bool addParameter (Parameter* parameter);

    int getNumParameters() const;
    /** The parameter at a position in the order added, or nullptr. */
    Parameter* getParameterAt (int index) const;

    Parameter* getParameter (int32_t identifier) const;
    Parameter* getParameterByName (const juce::String& name) const;

    /** These return an empty text or 0 when no parameter has the identifier. */
    juce::String getName (int32_t identifier) const;
    float getValue (int32_t identifier) const;
    float getNormalisedValue (int32_t identifier) const;
    juce::String getText (int32_t identifier) const;

    /** Sets with notification; does nothing when no parameter has the identifier. */
    void setNormalisedValue (int32_t identifier, float value);
    void setCurrentPresetNumber (int32_t number);
    void setCurrentPresetName (const juce::String& name);

    void addListenerToAll (Parameter::Listener* listener);
    void addAsyncListenerToAll (Parameter::Listener* listener);
    void removeAsyncListenerFromAll (Parameter::Listener* listener);

    void addListenerTo (int32_t identifier, Parameter::Listener* listener);
    void addAsyncListenerTo (int32_t identifier, Parameter::Listener* listener);
    void removeAsyncListenerFrom (int32_t identifier, Parameter::Listener* listener);

    /** Tells every parameter's listeners about its present value, in the order
        the parameters were added, without changing any value. */
    void announceAll();

private:
    /** Creates the parameter one param element defines, or nullptr when the entry is to be skipped. */
    static std::unique_ptr<Parameter> createFromDefinition (const juce::XmlElement& definition);

    static constexpr int indexSlots = 10000;

    juce::OwnedArray<Parameter> parameters;
    juce::HashMap<int32_t, Parameter*> byIdentifier { indexSlots };
    juce::HashMap<juce::String, Parameter*> byName { indexSlots };
    juce::ReadWriteLock lock;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterManager)
};
