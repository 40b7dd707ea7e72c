#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class HalcyonEffect;

/*  The product as the plug-in formats of our own (LV2, CLAP) drive it: the
    processor, created the way JUCE's wrappers create it (JUCE initialised,
    its message thread running while no editor is open), and what every
    C plug-in interface needs from it:

    - the host parameters by index, set by the host without being reported
      back to it;
    - processing of blocks from separate, possibly aliased input and output
      channels, blocks of any length (longer ones in pieces), with the
      block's MIDI events, bypassed or not;
    - latency, meter levels and state;
    - the parameter changes made inside the plug-in (editor, presets, the
      MIDI map), collected from any thread for the host to take on its own:
      each parameter's latest value and its begun and ended gestures.

    Construction throws when the product cannot be created.
*/
class ProcessorAdapter : private juce::AudioProcessorListener
{
public:
    /** `formatName` names a format JUCE has no wrapper type for. */
    explicit ProcessorAdapter (juce::AudioProcessor::WrapperType wrapperType, const juce::String& formatName = {});
    ~ProcessorAdapter() override;

    juce::AudioProcessor& getProcessor() noexcept;
    HalcyonEffect& getEffect() noexcept { return effect; }

    //==============================================================================
    static constexpr int maxParameters = 128;
    int getNumParameters() const noexcept { return numParameters; }
    float getParameter (int index) const;
    /** A change from the host: applied at once, never reported back. */
    void setParameterFromHost (int index, float normalisedValue);
    juce::String getParameterName (int index) const;
    juce::String getParameterSymbol (int index) const;
    juce::String getParameterText (int index, float normalisedValue) const;
    /** The normalised value the text stands for, or NaN for a text that is none. */
    float getParameterValueForText (int index, const juce::String& text) const;
    float getParameterDefault (int index) const;

    /** The values an instance starts with under the factory's settings (the
        factory bank's first preset), whatever this machine's user settings
        say: what a format's description gives hosts as defaults. */
    std::vector<float> getFactoryStartValues();

    //==============================================================================
    /** Before the first block, and again whenever the rate or the largest
        block changes (from the host's main thread, never while processing). */
    void prepare (double sampleRate, int maximumBlockSize);
    void release();
    bool isPrepared() const noexcept { return prepared; }

    /** One block: inputs and outputs may be the same buffers, and a null
        pointer is a silent input or an unused output. One input (a mono
        track) feeds both channels. MIDI events carry their positions in
        the block. */
    void process (const float* const* inputs, int numInputs, float* const* outputs, int numOutputs,
                  int numSamples, const juce::MidiBuffer& midi, bool bypassed) noexcept;

    int getLatencySamples() const noexcept;
    void getMeterLevels (float& left, float& right) const noexcept;

    //==============================================================================
    juce::MemoryBlock getState();
    /** False when the bytes hold no state of this plug-in (nothing restored). */
    bool setState (const void* data, size_t size);

    //==============================================================================
    /** What happened to one parameter inside the plug-in since the host last
        asked: gestures begun, a new value, gestures ended. */
    struct Change
    {
        int gesturesBegun = 0;
        bool valueChanged = false;
        float value = 0.0f;
        int gesturesEnded = 0;
    };

    /** Calls `use (index, change)` for every parameter that changed inside
        the plug-in since the last call, and forgets the changes. Any thread. */
    template <typename Use>
    void takeChanges (Use&& use)
    {
        for (int index = 0; index < numParameters; ++index)
        {
            auto& pending = changes[(size_t) index];

            if (! pending.any.exchange (false))
                continue;

            Change change;
            change.gesturesBegun = pending.begun.exchange (0);
            change.valueChanged = pending.valueChanged.exchange (false);
            change.value = pending.value.load();
            change.gesturesEnded = pending.ended.exchange (0);
            use (index, change);
        }
    }

    /** True once after the plug-in's latency (or its program, or anything a
        host shows) changed. */
    bool takeProcessorChange() noexcept { return processorChanged.exchange (false); }

    /** Called (on the changing thread, the audio thread among them) whenever
        a change is collected; it must neither block nor allocate. Set it
        before processing starts. */
    void setChangeCallback (std::function<void()> callback) { changeCallback = std::move (callback); }

private:
    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float newValue) override;
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override;
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override;
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override;

    void processPiece (const float* const* inputs, int numInputs, float* const* outputs, int numOutputs,
                       int offset, int numSamples, const juce::MidiBuffer& midi, bool bypassed);

    struct PendingChange
    {
        std::atomic<bool> any { false }, valueChanged { false };
        std::atomic<float> value { 0.0f };
        std::atomic<int> begun { 0 }, ended { 0 };
    };

    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    struct MessageThreadHolder;
    std::unique_ptr<MessageThreadHolder> messageThread;
    std::unique_ptr<juce::AudioProcessor> processor;
    HalcyonEffect& effect;
    const int numParameters;

    bool prepared = false;
    int blockSize = 0;
    juce::AudioBuffer<float> buffer;
    juce::MidiBuffer pieceMidi;

    std::array<PendingChange, maxParameters> changes;
    std::atomic<bool> processorChanged { false };
    std::function<void()> changeCallback;
};
