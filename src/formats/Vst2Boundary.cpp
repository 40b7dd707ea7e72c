/*  The VST 2.4 entry point, as a thin layer around JUCE's.

    JUCE's wrapper (whose VSTPluginMain the build renames juceVstPluginMain)
    makes the effect; this layer puts its own dispatcher and process call in
    front of JUCE's, for what a host may legally do that JUCE's code does not
    survive or answer:
      - a block longer than the block size the host announced: JUCE sizes
        its temporary channels (used when output pointers are null or alias
        each other) for the announced size, so a longer block is passed on
        in pieces no longer than that;
      - a question for a text (a parameter's name, label or display, a
        program's name) that JUCE leaves unanswered, for example for an
        index beyond the parameters: the host's buffer is given a
        terminating zero first, so it never reads what it held before;
      - an exception: none leaves the entry point or a host's call (the
        entry point returns no instance, a call answers 0, a block is
        silent).

    The effects are found in a fixed table without a lock, since the
    process call runs on the host's audio thread.
*/
#undef VSTPluginMain

#include <juce_core/juce_core.h>

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace Vst2
{
#include <pluginterfaces/vst2.x/aeffectx.h>
}

extern "C" Vst2::AEffect* juceVstPluginMain (Vst2::audioMasterCallback audioMaster);

namespace
{
    // JUCE's wrapper starts with this block size until the host sets one.
    constexpr std::int32_t initialBlockSize = 1024;
    constexpr int maxChannels = 8;
    constexpr int maxInstances = 512;

    struct Boundary
    {
        std::atomic<bool> taken { false };
        std::atomic<Vst2::AEffect*> effect { nullptr };
        Vst2::AEffectDispatcherProc dispatcher = nullptr;
        Vst2::AEffectProcessProc processReplacing = nullptr;
        std::atomic<std::int32_t> blockSize { initialBlockSize };
    };

    Boundary boundaries[maxInstances];

    Boundary* boundaryOf (Vst2::AEffect* effect) noexcept
    {
        for (auto& boundary : boundaries)
            if (boundary.effect.load (std::memory_order_acquire) == effect)
                return &boundary;

        return nullptr;
    }

    bool answersWithText (std::int32_t opcode) noexcept
    {
        switch (opcode)
        {
            case Vst2::effGetProgramName:
            case Vst2::effGetParamLabel:
            case Vst2::effGetParamDisplay:
            case Vst2::effGetParamName:
            case Vst2::effGetProgramNameIndexed:
            case Vst2::effGetEffectName:
            case Vst2::effGetVendorString:
            case Vst2::effGetProductString:
                return true;
            default:
                return false;
        }
    }

    Vst2::VstIntPtr dispatch (Vst2::AEffect* effect, int opcode, int index, Vst2::VstIntPtr value, void* const ptr, float opt)
    {
        auto* boundary = boundaryOf (effect);

        if (boundary == nullptr)
            return 0;

        if (answersWithText (opcode) && ptr != nullptr)
            *static_cast<char*> (ptr) = 0;

        if (opcode == Vst2::effSetBlockSize && value > 0)
            boundary->blockSize.store ((std::int32_t) juce::jmin ((Vst2::VstIntPtr) 1 << 24, value));

        const auto dispatcher = boundary->dispatcher;
        Vst2::VstIntPtr result = 0;

        try
        {
            result = dispatcher (effect, opcode, index, value, ptr, opt);
        }
        catch (...)
        {
            result = 0;
        }

        if (opcode == Vst2::effClose)
        {
            // JUCE deleted the effect: its entry is free again.
            boundary->effect.store (nullptr, std::memory_order_release);
            boundary->taken.store (false, std::memory_order_release);
        }

        return result;
    }

    void processGuarded (Boundary& boundary, Vst2::AEffect* effect, float** inputs, float** outputs, int numSamples) noexcept
    {
        try
        {
            boundary.processReplacing (effect, inputs, outputs, numSamples);
        }
        catch (...)
        {
            for (int channel = 0; outputs != nullptr && channel < effect->numOutputs; ++channel)
                if (outputs[channel] != nullptr)
                    std::fill (outputs[channel], outputs[channel] + numSamples, 0.0f);
        }
    }

    void processReplacing (Vst2::AEffect* effect, float** inputs, float** outputs, int numSamples)
    {
        auto* boundary = boundaryOf (effect);

        if (boundary == nullptr)
            return;

        const auto limit = boundary->blockSize.load();

        if (numSamples <= limit || effect->numInputs > maxChannels || effect->numOutputs > maxChannels)
        {
            processGuarded (*boundary, effect, inputs, outputs, numSamples);
            return;
        }

        float* in[maxChannels] {};
        float* out[maxChannels] {};

        for (int done = 0; done < numSamples; done += limit)
        {
            const auto count = juce::jmin (limit, numSamples - done);

            for (int channel = 0; channel < effect->numInputs; ++channel)
                in[channel] = inputs != nullptr && inputs[channel] != nullptr ? inputs[channel] + done : nullptr;

            for (int channel = 0; channel < effect->numOutputs; ++channel)
                out[channel] = outputs != nullptr && outputs[channel] != nullptr ? outputs[channel] + done : nullptr;

            processGuarded (*boundary, effect, in, out, count);
        }
    }
}

extern "C" __attribute__ ((visibility ("default"))) Vst2::AEffect* VSTPluginMain (Vst2::audioMasterCallback audioMaster);

extern "C" __attribute__ ((visibility ("default"))) Vst2::AEffect* VSTPluginMain (Vst2::audioMasterCallback audioMaster)
{
    Vst2::AEffect* effect = nullptr;

    try
    {
        effect = juceVstPluginMain (audioMaster);
    }
    catch (...)
    {
        return nullptr;
    }

    if (effect == nullptr || effect->processReplacing == nullptr)
        return effect;

    for (auto& boundary : boundaries)
    {
        // Hosts may create instances on several threads at once: an entry
        // is taken first, filled, and only then found.
        bool expected = false;

        if (! boundary.taken.compare_exchange_strong (expected, true, std::memory_order_acq_rel))
            continue;

        boundary.dispatcher = effect->dispatcher;
        boundary.processReplacing = effect->processReplacing;
        boundary.blockSize.store (initialBlockSize);
        boundary.effect.store (effect, std::memory_order_release);

        effect->dispatcher = &dispatch;
        effect->processReplacing = &processReplacing;
        return effect;
    }

    // More instances than the table holds: JUCE's own calls, unguarded.
    return effect;
}
