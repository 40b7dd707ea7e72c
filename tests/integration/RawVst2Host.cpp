#include "RawVst2Host.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <dlfcn.h>
#include <mutex>

namespace
{
    constexpr int maxOpcode = 128;

    /** Calls per host opcode of one instance; the callback finds them
        through the effect's `user` field, which the SDK leaves to hosts.
        The plug-in may call from any thread; a waiting test is woken. */
    struct CallCounts
    {
        std::atomic<int> counts[maxOpcode] {};
        std::mutex lock;
        std::condition_variable called;

        void count (std::int32_t opcode)
        {
            {
                const std::lock_guard<std::mutex> held (lock);
                ++counts[opcode];
            }

            called.notify_all();
        }
    };

    CallCounts& countsOf (void* user)
    {
        static CallCounts beforeTheEffectIsKnown;
        return user != nullptr ? *static_cast<CallCounts*> (user) : beforeTheEffectIsKnown;
    }
}

RawVst2Host::RawVst2Host (const std::string& libraryPath, double rate, int block)
    : sampleRate (rate), blockSize (block)
{
    library = dlopen (libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);

    if (library == nullptr)
        return;

    using Entry = sdk::AEffect* (*) (sdk::HostCallback);
    auto entry = reinterpret_cast<Entry> (dlsym (library, "VSTPluginMain"));

    if (entry == nullptr || (effect = entry (&RawVst2Host::hostCallback)) == nullptr)
        return;

    effect->user = new CallCounts();
    dispatch (sdk::effOpen);
    dispatch (sdk::effSetSampleRate, 0, 0, nullptr, (float) sampleRate);
    dispatch (sdk::effSetBlockSize, 0, blockSize);
}

RawVst2Host::~RawVst2Host()
{
    if (effect != nullptr)
    {
        auto* counts = static_cast<CallCounts*> (effect->user);
        dispatch (sdk::effClose);
        delete counts;
    }

    // The library stays loaded: JUCE keeps its message thread and
    // singletons for the life of the process, as plug-ins in hosts do.
}

std::intptr_t RawVst2Host::hostCallback (sdk::AEffect* effect, std::int32_t opcode, std::int32_t, std::intptr_t, void* ptr, float)
{
    if (opcode >= 0 && opcode < maxOpcode)
        countsOf (effect != nullptr ? effect->user : nullptr).count (opcode);

    switch (opcode)
    {
        case sdk::audioMasterVersion:                return 2400;
        case sdk::audioMasterGetCurrentProcessLevel: return 2;   // real time
        case sdk::audioMasterGetProductString:       std::strcpy (static_cast<char*> (ptr), "raw test host"); return 1;
        case sdk::audioMasterGetVendorString:        std::strcpy (static_cast<char*> (ptr), "Korvane tests"); return 1;
        default:                                     return 0;
    }
}

std::intptr_t RawVst2Host::dispatch (std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr, float opt)
{
    return effect->dispatcher (effect, opcode, index, value, ptr, opt);
}

std::intptr_t RawVst2Host::canDo (const char* what)
{
    return dispatch (sdk::effCanDo, 0, 0, const_cast<char*> (what));
}

void RawVst2Host::resume()
{
    dispatch (sdk::effMainsChanged, 0, 1);
    dispatch (sdk::effStartProcess);
}

void RawVst2Host::suspend()
{
    dispatch (sdk::effStopProcess);
    dispatch (sdk::effMainsChanged, 0, 0);
}

std::vector<char> RawVst2Host::getChunk()
{
    void* data = nullptr;
    const auto size = dispatch (sdk::effGetChunk, 0, 0, &data);

    if (data == nullptr || size <= 0)
        return {};

    const auto* bytes = static_cast<const char*> (data);
    return { bytes, bytes + size };
}

void RawVst2Host::setChunk (const std::vector<char>& chunk)
{
    dispatch (sdk::effSetChunk, 0, (std::intptr_t) chunk.size(), const_cast<char*> (chunk.data()));
}

void RawVst2Host::setQuality (const char* qualityName)
{
    // The chunk is a 4-byte tag, the text's length, the text and two zeros.
    const auto chunk = getChunk();

    if (chunk.size() < 10)
        return;

    std::string text (chunk.data() + 8, chunk.size() - 10);
    const auto at = text.find ("quality=\"");

    if (at == std::string::npos)
        return;

    const auto valueStart = at + 9;
    text.replace (valueStart, text.find ('"', valueStart) - valueStart, qualityName);

    std::vector<char> changed (chunk.begin(), chunk.begin() + 4);
    const auto length = (std::uint32_t) text.size();
    changed.insert (changed.end(), reinterpret_cast<const char*> (&length), reinterpret_cast<const char*> (&length) + 4);
    changed.insert (changed.end(), text.begin(), text.end());
    changed.push_back (0);
    changed.push_back (0);
    setChunk (changed);
}

void RawVst2Host::sendMidi (unsigned char status, unsigned char data1, unsigned char data2)
{
    sdk::VstMidiEvent event {};
    event.type = sdk::kVstMidiType;
    event.byteSize = (std::int32_t) sizeof (event);
    event.midiData[0] = (char) status;
    event.midiData[1] = (char) data1;
    event.midiData[2] = (char) data2;

    sdk::VstEvents events {};
    events.numEvents = 1;
    events.events[0] = &event;
    dispatch (sdk::effProcessEvents, 0, 0, &events);
}

void RawVst2Host::process (const std::vector<float>& inLeft, const std::vector<float>& inRight,
                           std::vector<float>& outLeft, std::vector<float>& outRight)
{
    const auto n = (std::int32_t) inLeft.size();
    outLeft.assign ((size_t) n, 0.0f);
    outRight.assign ((size_t) n, 0.0f);

    float* inputs[2] { const_cast<float*> (inLeft.data()), const_cast<float*> (inRight.data()) };
    float* outputs[2] { outLeft.data(), outRight.data() };
    effect->processReplacing (effect, inputs, outputs, n);
}

void RawVst2Host::processRaw (float** inputs, float** outputs, int numSamples)
{
    effect->processReplacing (effect, inputs, outputs, numSamples);
}

int RawVst2Host::callsOf (std::int32_t hostOpcode) const
{
    return countsOf (effect->user).counts[hostOpcode].load();
}

bool RawVst2Host::waitForCall (std::int32_t hostOpcode, int after, int milliseconds) const
{
    auto& calls = countsOf (effect->user);
    std::unique_lock<std::mutex> held (calls.lock);
    return calls.called.wait_for (held, std::chrono::milliseconds (milliseconds),
                                  [&] { return calls.counts[hostOpcode].load() > after; });
}
