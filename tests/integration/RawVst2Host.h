#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

/*  A VST 2.4 host in a few lines: it loads the built library with dlopen,
    calls VSTPluginMain and talks to the effect through its raw dispatcher
    and process calls, with the numbers of the VST 2.4 SDK written out here.
    Nothing comes from the headers the plug-in was compiled with, so a wrong
    number on the plug-in's side cannot be matched by the same wrong number
    on the host's.
*/
namespace sdk
{
    // aeffect.h and aeffectx.h: plug-in opcodes.
    enum : std::int32_t
    {
        effOpen = 0, effClose = 1, effGetProgram = 3, effGetProgramName = 5,
        effGetParamLabel = 6, effGetParamDisplay = 7, effGetParamName = 8,
        effSetSampleRate = 10, effSetBlockSize = 11, effMainsChanged = 12,
        effGetChunk = 23, effSetChunk = 24, effProcessEvents = 25, effGetProgramNameIndexed = 29,
        effSetSpeakerArrangement = 42, effSetBypass = 44, effCanDo = 51,
        effGetTailSize = 52, effKeysRequired = 57, effGetVstVersion = 58,
        effStartProcess = 71, effStopProcess = 72,
        effGetNumMidiInputChannels = 78, effGetNumMidiOutputChannels = 79
    };

    // Host opcodes.
    enum : std::int32_t
    {
        audioMasterAutomate = 0, audioMasterVersion = 1, audioMasterGetTime = 7,
        audioMasterIOChanged = 13, audioMasterSizeWindow = 15, audioMasterGetSampleRate = 16,
        audioMasterGetBlockSize = 17, audioMasterGetCurrentProcessLevel = 23,
        audioMasterGetVendorString = 32, audioMasterGetProductString = 33,
        audioMasterCanDo = 37, audioMasterUpdateDisplay = 42
    };

    enum : std::int32_t { kSpeakerArrMono = 0, kSpeakerArrStereo = 1 };
    enum : std::int32_t { kSpeakerM = 0, kSpeakerL = 1, kSpeakerR = 2 };

    struct AEffect;
    using HostCallback = std::intptr_t (*) (AEffect*, std::int32_t, std::int32_t, std::intptr_t, void*, float);

    struct AEffect
    {
        std::int32_t magic;
        std::intptr_t (*dispatcher) (AEffect*, std::int32_t, std::int32_t, std::intptr_t, void*, float);
        void (*process) (AEffect*, float**, float**, std::int32_t);
        void (*setParameter) (AEffect*, std::int32_t, float);
        float (*getParameter) (AEffect*, std::int32_t);
        std::int32_t numPrograms, numParams, numInputs, numOutputs, flags;
        std::intptr_t resvd1, resvd2;
        std::int32_t initialDelay, realQualities, offQualities;
        float ioRatio;
        void* object;
        void* user;
        std::int32_t uniqueID, version;
        void (*processReplacing) (AEffect*, float**, float**, std::int32_t);
        void (*processDoubleReplacing) (AEffect*, double**, double**, std::int32_t);
        char future[56];
    };

    enum : std::int32_t { kVstMidiType = 1 };

    struct VstMidiEvent
    {
        std::int32_t type, byteSize, deltaFrames, flags, noteLength, noteOffset;
        char midiData[4];
        char detune, noteOffVelocity, reserved1, reserved2;
    };

    struct VstEvents
    {
        std::int32_t numEvents;
        std::intptr_t reserved;
        void* events[2];
    };

    struct VstSpeakerProperties
    {
        float azimuth, elevation, radius, reserved;
        char name[64];
        std::int32_t type;
        char future[28];
    };

    struct VstSpeakerArrangement
    {
        std::int32_t type, numChannels;
        VstSpeakerProperties speakers[8];
    };
}

/** One instance of the built plug-in, driven as a host drives it. */
class RawVst2Host
{
public:
    /** Loads the library and creates an instance (check isLoaded()). */
    explicit RawVst2Host (const std::string& libraryPath, double sampleRate = 44100.0, int blockSize = 512);
    ~RawVst2Host();

    bool isLoaded() const noexcept { return effect != nullptr; }
    sdk::AEffect& getEffect() noexcept { return *effect; }

    std::intptr_t dispatch (std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0,
                            void* ptr = nullptr, float opt = 0.0f);
    std::intptr_t canDo (const char* what);

    void resume();    // effMainsChanged 1 and effStartProcess
    void suspend();   // effStopProcess and effMainsChanged 0

    /** The project chunk (effGetChunk 0) and its restore (effSetChunk 0). */
    std::vector<char> getChunk();
    void setChunk (const std::vector<char>& chunk);
    /** The state chunk's XML text with the quality it names replaced. */
    void setQuality (const char* qualityName);

    /** A MIDI message for the next block (effProcessEvents), at its first sample. */
    void sendMidi (unsigned char status, unsigned char data1, unsigned char data2 = 0);

    /** One block through processReplacing, separate input and output buffers. */
    void process (const std::vector<float>& inLeft, const std::vector<float>& inRight,
                  std::vector<float>& outLeft, std::vector<float>& outRight);
    /** processReplacing with the host's own pointer arrays, as they come. */
    void processRaw (float** inputs, float** outputs, int numSamples);

    /** How often the plug-in called the host with an opcode, from any thread. */
    int callsOf (std::int32_t hostOpcode) const;
    /** Waits (up to the given time) until the opcode has been called more than `after` times. */
    bool waitForCall (std::int32_t hostOpcode, int after, int milliseconds) const;

private:
    static std::intptr_t hostCallback (sdk::AEffect*, std::int32_t, std::int32_t, std::intptr_t, void*, float);

    void* library = nullptr;
    sdk::AEffect* effect = nullptr;
    double sampleRate;
    int blockSize;
};
