/*
    The VST 2.4 ABI as JUCE's wrapper and hosting code see it.

    FST (Debian's fst-dev) describes the ABI from reverse engineering and gives
    every number it has not identified a placeholder (0 for flags, 100000 plus
    a line number for enumerators). JUCE 7's VST2 wrapper and its VST2 hosting
    code switch on, send and compare many of those numbers, so with FST alone
    the plug-in never hears a host's bypass, tail-size or MIDI-channel
    question, and never reaches the host with its display updates; the host
    tool, compiled against the same placeholders, would not notice.

    So every placeholder is renamed out of the way before FST is included and
    defined afterwards with the value of the VST 2.4 SDK, whose headers number
    these enumerations consecutively:
      - aeffect.h, AEffectOpcodes: effOpen = 0 ... effGetChunk = 23 (with the
        deprecated effEditDraw = 16, effEditMouse = 17, effEditTop = 20,
        effEditSleep = 21 among them);
      - aeffectx.h, AEffectXOpcodes: from effProcessEvents = 25 on, one after
        the other, to effGetNumMidiOutputChannels = 79;
      - aeffect.h and aeffectx.h, AudioMasterOpcodes(X): audioMasterAutomate
        = 0 ... audioMasterGetInputSpeakerArrangement = 49;
      - aeffectx.h, VstSpeakerArrangementType (kSpeakerArrMono = 0 ...
        kSpeakerArr102 = 28), VstSpeakerType (kSpeakerM = 0 ... kSpeakerLfe2 =
        19, kSpeakerUndefined = 0x7fffffff), VstSmpteFrameRate,
        VstTimeInfoFlags (kVstAutomationWriting = 1 << 6, kVstAutomationReading
        = 1 << 7), VstPinPropertiesFlags (1, 2, 4), VstProcessLevels and
        VstHostLanguage.
    Each value agrees with the numbers FST did identify on either side of it
    (effSetSpeakerArrangement = 42 and effGetEffectName = 45 around
    effSetBypass = 44, effGetVstVersion = 58 after effKeysRequired = 57, and
    so on); the suite checks the important ones against the built plug-in
    through its raw dispatcher, with the numbers written out, not taken from
    here.

    This header is included inside JUCE's `namespace Vst2`.
*/
#ifndef KORVANE_VST_ABI_CORRECTIONS_H
#define KORVANE_VST_ABI_CORRECTIONS_H

/* FST's own spelling of the SDK's names (AEffect rather than _fstEffect). */
#define FST2VST 1

#define effEditDraw fstPlaceholder_effEditDraw
#define effEditMouse fstPlaceholder_effEditMouse
#define effEditTop fstPlaceholder_effEditTop
#define effEditSleep fstPlaceholder_effEditSleep
#define effConnectInput fstPlaceholder_effConnectInput
#define effConnectOutput fstPlaceholder_effConnectOutput
#define effSetBypass fstPlaceholder_effSetBypass
#define effGetTailSize fstPlaceholder_effGetTailSize
#define effIdle fstPlaceholder_effIdle
#define effKeysRequired fstPlaceholder_effKeysRequired
#define effBeginSetProgram fstPlaceholder_effBeginSetProgram
#define effEndSetProgram fstPlaceholder_effEndSetProgram
#define effGetNumMidiInputChannels fstPlaceholder_effGetNumMidiInputChannels
#define effGetNumMidiOutputChannels fstPlaceholder_effGetNumMidiOutputChannels
#define audioMasterIdle fstPlaceholder_audioMasterIdle
#define audioMasterPinConnected fstPlaceholder_audioMasterPinConnected
#define audioMasterSetTime fstPlaceholder_audioMasterSetTime
#define audioMasterGetNumAutomatableParameters fstPlaceholder_audioMasterGetNumAutomatableParameters
#define audioMasterGetParameterQuantization fstPlaceholder_audioMasterGetParameterQuantization
#define audioMasterIOChanged fstPlaceholder_audioMasterIOChanged
#define audioMasterNeedIdle fstPlaceholder_audioMasterNeedIdle
#define audioMasterGetInputLatency fstPlaceholder_audioMasterGetInputLatency
#define audioMasterGetOutputLatency fstPlaceholder_audioMasterGetOutputLatency
#define audioMasterGetPreviousPlug fstPlaceholder_audioMasterGetPreviousPlug
#define audioMasterGetNextPlug fstPlaceholder_audioMasterGetNextPlug
#define audioMasterWillReplaceOrAccumulate fstPlaceholder_audioMasterWillReplaceOrAccumulate
#define audioMasterGetAutomationState fstPlaceholder_audioMasterGetAutomationState
#define audioMasterOfflineStart fstPlaceholder_audioMasterOfflineStart
#define audioMasterOfflineRead fstPlaceholder_audioMasterOfflineRead
#define audioMasterOfflineWrite fstPlaceholder_audioMasterOfflineWrite
#define audioMasterOfflineGetCurrentPass fstPlaceholder_audioMasterOfflineGetCurrentPass
#define audioMasterOfflineGetCurrentMetaPass fstPlaceholder_audioMasterOfflineGetCurrentMetaPass
#define audioMasterSetOutputSampleRate fstPlaceholder_audioMasterSetOutputSampleRate
#define audioMasterGetOutputSpeakerArrangement fstPlaceholder_audioMasterGetOutputSpeakerArrangement
#define audioMasterVendorSpecific fstPlaceholder_audioMasterVendorSpecific
#define audioMasterSetIcon fstPlaceholder_audioMasterSetIcon
#define audioMasterGetLanguage fstPlaceholder_audioMasterGetLanguage
#define audioMasterOpenWindow fstPlaceholder_audioMasterOpenWindow
#define audioMasterCloseWindow fstPlaceholder_audioMasterCloseWindow
#define audioMasterGetDirectory fstPlaceholder_audioMasterGetDirectory
#define audioMasterUpdateDisplay fstPlaceholder_audioMasterUpdateDisplay
#define audioMasterOpenFileSelector fstPlaceholder_audioMasterOpenFileSelector
#define audioMasterCloseFileSelector fstPlaceholder_audioMasterCloseFileSelector
#define audioMasterEditFile fstPlaceholder_audioMasterEditFile
#define audioMasterGetChunkFile fstPlaceholder_audioMasterGetChunkFile
#define audioMasterGetInputSpeakerArrangement fstPlaceholder_audioMasterGetInputSpeakerArrangement
#define kSpeakerArrStereoSurround fstPlaceholder_kSpeakerArrStereoSurround
#define kSpeakerArrStereoCenter fstPlaceholder_kSpeakerArrStereoCenter
#define kSpeakerArrStereoSide fstPlaceholder_kSpeakerArrStereoSide
#define kSpeakerArrStereoCLfe fstPlaceholder_kSpeakerArrStereoCLfe
#define kSpeakerArr30Cine fstPlaceholder_kSpeakerArr30Cine
#define kSpeakerArr30Music fstPlaceholder_kSpeakerArr30Music
#define kSpeakerArr31Cine fstPlaceholder_kSpeakerArr31Cine
#define kSpeakerArr31Music fstPlaceholder_kSpeakerArr31Music
#define kSpeakerArr40Cine fstPlaceholder_kSpeakerArr40Cine
#define kSpeakerArr40Music fstPlaceholder_kSpeakerArr40Music
#define kSpeakerArr41Cine fstPlaceholder_kSpeakerArr41Cine
#define kSpeakerArr41Music fstPlaceholder_kSpeakerArr41Music
#define kSpeakerArr50 fstPlaceholder_kSpeakerArr50
#define kSpeakerArr51 fstPlaceholder_kSpeakerArr51
#define kSpeakerArr60Cine fstPlaceholder_kSpeakerArr60Cine
#define kSpeakerArr60Music fstPlaceholder_kSpeakerArr60Music
#define kSpeakerArr61Cine fstPlaceholder_kSpeakerArr61Cine
#define kSpeakerArr61Music fstPlaceholder_kSpeakerArr61Music
#define kSpeakerArr70Cine fstPlaceholder_kSpeakerArr70Cine
#define kSpeakerArr70Music fstPlaceholder_kSpeakerArr70Music
#define kSpeakerArr71Cine fstPlaceholder_kSpeakerArr71Cine
#define kSpeakerArr71Music fstPlaceholder_kSpeakerArr71Music
#define kSpeakerArr80Cine fstPlaceholder_kSpeakerArr80Cine
#define kSpeakerArr80Music fstPlaceholder_kSpeakerArr80Music
#define kSpeakerArr81Cine fstPlaceholder_kSpeakerArr81Cine
#define kSpeakerArr81Music fstPlaceholder_kSpeakerArr81Music
#define kSpeakerC fstPlaceholder_kSpeakerC
#define kSpeakerLfe fstPlaceholder_kSpeakerLfe
#define kSpeakerLs fstPlaceholder_kSpeakerLs
#define kSpeakerRs fstPlaceholder_kSpeakerRs
#define kSpeakerLc fstPlaceholder_kSpeakerLc
#define kSpeakerRc fstPlaceholder_kSpeakerRc
#define kSpeakerS fstPlaceholder_kSpeakerS
#define kSpeakerSl fstPlaceholder_kSpeakerSl
#define kSpeakerSr fstPlaceholder_kSpeakerSr
#define kSpeakerTm fstPlaceholder_kSpeakerTm
#define kSpeakerTfl fstPlaceholder_kSpeakerTfl
#define kSpeakerTfc fstPlaceholder_kSpeakerTfc
#define kSpeakerTfr fstPlaceholder_kSpeakerTfr
#define kSpeakerTrl fstPlaceholder_kSpeakerTrl
#define kSpeakerTrc fstPlaceholder_kSpeakerTrc
#define kSpeakerTrr fstPlaceholder_kSpeakerTrr
#define kSpeakerLfe2 fstPlaceholder_kSpeakerLfe2
#define kSpeakerUndefined fstPlaceholder_kSpeakerUndefined
#define kVstSmpte24fps fstPlaceholder_kVstSmpte24fps
#define kVstSmpte25fps fstPlaceholder_kVstSmpte25fps
#define kVstSmpte2997fps fstPlaceholder_kVstSmpte2997fps
#define kVstSmpte30fps fstPlaceholder_kVstSmpte30fps
#define kVstSmpte2997dfps fstPlaceholder_kVstSmpte2997dfps
#define kVstSmpte30dfps fstPlaceholder_kVstSmpte30dfps
#define kVstSmpteFilm16mm fstPlaceholder_kVstSmpteFilm16mm
#define kVstSmpteFilm35mm fstPlaceholder_kVstSmpteFilm35mm
#define kVstSmpte239fps fstPlaceholder_kVstSmpte239fps
#define kVstSmpte249fps fstPlaceholder_kVstSmpte249fps
#define kVstSmpte599fps fstPlaceholder_kVstSmpte599fps
#define kVstSmpte60fps fstPlaceholder_kVstSmpte60fps
#define kVstAutomationWriting fstPlaceholder_kVstAutomationWriting
#define kVstAutomationReading fstPlaceholder_kVstAutomationReading
#define kVstPinIsActive fstPlaceholder_kVstPinIsActive
#define kVstPinIsStereo fstPlaceholder_kVstPinIsStereo
#define kVstPinUseSpeaker fstPlaceholder_kVstPinUseSpeaker
#define kVstProcessLevelUser fstPlaceholder_kVstProcessLevelUser
#define kVstLangEnglish fstPlaceholder_kVstLangEnglish
#define VstSpeakerArrangement fstPlaceholder_VstSpeakerArrangement

#include <pluginterfaces/fst/fst.h>

#undef effEditDraw
#undef effEditMouse
#undef effEditTop
#undef effEditSleep
#undef effConnectInput
#undef effConnectOutput
#undef effSetBypass
#undef effGetTailSize
#undef effIdle
#undef effKeysRequired
#undef effBeginSetProgram
#undef effEndSetProgram
#undef effGetNumMidiInputChannels
#undef effGetNumMidiOutputChannels
#undef audioMasterIdle
#undef audioMasterPinConnected
#undef audioMasterSetTime
#undef audioMasterGetNumAutomatableParameters
#undef audioMasterGetParameterQuantization
#undef audioMasterIOChanged
#undef audioMasterNeedIdle
#undef audioMasterGetInputLatency
#undef audioMasterGetOutputLatency
#undef audioMasterGetPreviousPlug
#undef audioMasterGetNextPlug
#undef audioMasterWillReplaceOrAccumulate
#undef audioMasterGetAutomationState
#undef audioMasterOfflineStart
#undef audioMasterOfflineRead
#undef audioMasterOfflineWrite
#undef audioMasterOfflineGetCurrentPass
#undef audioMasterOfflineGetCurrentMetaPass
#undef audioMasterSetOutputSampleRate
#undef audioMasterGetOutputSpeakerArrangement
#undef audioMasterVendorSpecific
#undef audioMasterSetIcon
#undef audioMasterGetLanguage
#undef audioMasterOpenWindow
#undef audioMasterCloseWindow
#undef audioMasterGetDirectory
#undef audioMasterUpdateDisplay
#undef audioMasterOpenFileSelector
#undef audioMasterCloseFileSelector
#undef audioMasterEditFile
#undef audioMasterGetChunkFile
#undef audioMasterGetInputSpeakerArrangement
#undef kSpeakerArrStereoSurround
#undef kSpeakerArrStereoCenter
#undef kSpeakerArrStereoSide
#undef kSpeakerArrStereoCLfe
#undef kSpeakerArr30Cine
#undef kSpeakerArr30Music
#undef kSpeakerArr31Cine
#undef kSpeakerArr31Music
#undef kSpeakerArr40Cine
#undef kSpeakerArr40Music
#undef kSpeakerArr41Cine
#undef kSpeakerArr41Music
#undef kSpeakerArr50
#undef kSpeakerArr51
#undef kSpeakerArr60Cine
#undef kSpeakerArr60Music
#undef kSpeakerArr61Cine
#undef kSpeakerArr61Music
#undef kSpeakerArr70Cine
#undef kSpeakerArr70Music
#undef kSpeakerArr71Cine
#undef kSpeakerArr71Music
#undef kSpeakerArr80Cine
#undef kSpeakerArr80Music
#undef kSpeakerArr81Cine
#undef kSpeakerArr81Music
#undef kSpeakerC
#undef kSpeakerLfe
#undef kSpeakerLs
#undef kSpeakerRs
#undef kSpeakerLc
#undef kSpeakerRc
#undef kSpeakerS
#undef kSpeakerSl
#undef kSpeakerSr
#undef kSpeakerTm
#undef kSpeakerTfl
#undef kSpeakerTfc
#undef kSpeakerTfr
#undef kSpeakerTrl
#undef kSpeakerTrc
#undef kSpeakerTrr
#undef kSpeakerLfe2
#undef kSpeakerUndefined
#undef kVstSmpte24fps
#undef kVstSmpte25fps
#undef kVstSmpte2997fps
#undef kVstSmpte30fps
#undef kVstSmpte2997dfps
#undef kVstSmpte30dfps
#undef kVstSmpteFilm16mm
#undef kVstSmpteFilm35mm
#undef kVstSmpte239fps
#undef kVstSmpte249fps
#undef kVstSmpte599fps
#undef kVstSmpte60fps
#undef kVstAutomationWriting
#undef kVstAutomationReading
#undef kVstPinIsActive
#undef kVstPinIsStereo
#undef kVstPinUseSpeaker
#undef kVstProcessLevelUser
#undef kVstLangEnglish
#undef VstSpeakerArrangement

/* Plug-in opcodes (AEffectOpcodes, AEffectXOpcodes). */
enum
{
    effEditDraw = 16,
    effEditMouse = 17,
    effEditTop = 20,
    effEditSleep = 21,
    effConnectInput = 31,
    effConnectOutput = 32,
    effSetBypass = 44,
    effGetTailSize = 52,
    effIdle = 53,
    effBeginSetProgram = 67,
    effEndSetProgram = 68,
    effGetNumMidiInputChannels = 78,
    effGetNumMidiOutputChannels = 79
};

/* effKeysRequired (57) asks whether the editor needs the keyboard. The SDK
   answers it reversed, for compatibility with VST 1: 0 means "yes", which is
   how JUCE's hosting code reads it. JUCE's wrapper answers 1 when the editor
   wants the keyboard, the opposite, so the plug-in leaves it unanswered (the
   wrapper's default answer, 0, says what is true of our editor: it wants
   the keyboard for renaming presets); only the host tool asks with 57. */
#if JUCE_PLUGINHOST_VST
enum { effKeysRequired = 57 };
#else
#define effKeysRequired fstPlaceholder_effKeysRequired
#endif

/* Host opcodes (AudioMasterOpcodes, AudioMasterOpcodesX). audioMasterIOChanged
   tells the host of a changed initial delay or I/O set-up. */
static const AudioMasterOpcodesX audioMasterIdle = (AudioMasterOpcodesX) (3);
static const AudioMasterOpcodesX audioMasterPinConnected = (AudioMasterOpcodesX) (4);
static const AudioMasterOpcodesX audioMasterSetTime = (AudioMasterOpcodesX) (9);
static const AudioMasterOpcodesX audioMasterGetNumAutomatableParameters = (AudioMasterOpcodesX) (11);
static const AudioMasterOpcodesX audioMasterGetParameterQuantization = (AudioMasterOpcodesX) (12);
static const AudioMasterOpcodesX audioMasterIOChanged = (AudioMasterOpcodesX) (13);
static const AudioMasterOpcodesX audioMasterNeedIdle = (AudioMasterOpcodesX) (14);
static const AudioMasterOpcodesX audioMasterGetInputLatency = (AudioMasterOpcodesX) (18);
static const AudioMasterOpcodesX audioMasterGetOutputLatency = (AudioMasterOpcodesX) (19);
static const AudioMasterOpcodesX audioMasterGetPreviousPlug = (AudioMasterOpcodesX) (20);
static const AudioMasterOpcodesX audioMasterGetNextPlug = (AudioMasterOpcodesX) (21);
static const AudioMasterOpcodesX audioMasterWillReplaceOrAccumulate = (AudioMasterOpcodesX) (22);
static const AudioMasterOpcodesX audioMasterGetAutomationState = (AudioMasterOpcodesX) (24);
static const AudioMasterOpcodesX audioMasterOfflineStart = (AudioMasterOpcodesX) (25);
static const AudioMasterOpcodesX audioMasterOfflineRead = (AudioMasterOpcodesX) (26);
static const AudioMasterOpcodesX audioMasterOfflineWrite = (AudioMasterOpcodesX) (27);
static const AudioMasterOpcodesX audioMasterOfflineGetCurrentPass = (AudioMasterOpcodesX) (28);
static const AudioMasterOpcodesX audioMasterOfflineGetCurrentMetaPass = (AudioMasterOpcodesX) (29);
static const AudioMasterOpcodesX audioMasterSetOutputSampleRate = (AudioMasterOpcodesX) (30);
static const AudioMasterOpcodesX audioMasterGetOutputSpeakerArrangement = (AudioMasterOpcodesX) (31);
static const AudioMasterOpcodesX audioMasterVendorSpecific = (AudioMasterOpcodesX) (35);
static const AudioMasterOpcodesX audioMasterSetIcon = (AudioMasterOpcodesX) (36);
static const AudioMasterOpcodesX audioMasterGetLanguage = (AudioMasterOpcodesX) (38);
static const AudioMasterOpcodesX audioMasterOpenWindow = (AudioMasterOpcodesX) (39);
static const AudioMasterOpcodesX audioMasterCloseWindow = (AudioMasterOpcodesX) (40);
static const AudioMasterOpcodesX audioMasterGetDirectory = (AudioMasterOpcodesX) (41);
static const AudioMasterOpcodesX audioMasterUpdateDisplay = (AudioMasterOpcodesX) (42);
static const AudioMasterOpcodesX audioMasterOpenFileSelector = (AudioMasterOpcodesX) (45);
static const AudioMasterOpcodesX audioMasterCloseFileSelector = (AudioMasterOpcodesX) (46);
static const AudioMasterOpcodesX audioMasterEditFile = (AudioMasterOpcodesX) (47);
static const AudioMasterOpcodesX audioMasterGetChunkFile = (AudioMasterOpcodesX) (48);
static const AudioMasterOpcodesX audioMasterGetInputSpeakerArrangement = (AudioMasterOpcodesX) (49);

/* Speaker arrangements (VstSpeakerArrangementType). */
enum
{
    kSpeakerArrStereoSurround = 2,
    kSpeakerArrStereoCenter = 3,
    kSpeakerArrStereoSide = 4,
    kSpeakerArrStereoCLfe = 5,
    kSpeakerArr30Cine = 6,
    kSpeakerArr30Music = 7,
    kSpeakerArr31Cine = 8,
    kSpeakerArr31Music = 9,
    kSpeakerArr40Cine = 10,
    kSpeakerArr40Music = 11,
    kSpeakerArr41Cine = 12,
    kSpeakerArr41Music = 13,
    kSpeakerArr50 = 14,
    kSpeakerArr51 = 15,
    kSpeakerArr60Cine = 16,
    kSpeakerArr60Music = 17,
    kSpeakerArr61Cine = 18,
    kSpeakerArr61Music = 19,
    kSpeakerArr70Cine = 20,
    kSpeakerArr70Music = 21,
    kSpeakerArr71Cine = 22,
    kSpeakerArr71Music = 23,
    kSpeakerArr80Cine = 24,
    kSpeakerArr80Music = 25,
    kSpeakerArr81Cine = 26,
    kSpeakerArr81Music = 27
};

/* Speakers (VstSpeakerType). */
enum
{
    kSpeakerC = 3,
    kSpeakerLfe = 4,
    kSpeakerLs = 5,
    kSpeakerRs = 6,
    kSpeakerLc = 7,
    kSpeakerRc = 8,
    kSpeakerS = 9,
    kSpeakerSl = 10,
    kSpeakerSr = 11,
    kSpeakerTm = 12,
    kSpeakerTfl = 13,
    kSpeakerTfc = 14,
    kSpeakerTfr = 15,
    kSpeakerTrl = 16,
    kSpeakerTrc = 17,
    kSpeakerTrr = 18,
    kSpeakerLfe2 = 19,
    kSpeakerUndefined = 0x7fffffff
};

/* SMPTE frame rates (VstSmpteFrameRate). */
static const VstSmpteFrameRate kVstSmpte24fps = (VstSmpteFrameRate) (0);
static const VstSmpteFrameRate kVstSmpte25fps = (VstSmpteFrameRate) (1);
static const VstSmpteFrameRate kVstSmpte2997fps = (VstSmpteFrameRate) (2);
static const VstSmpteFrameRate kVstSmpte30fps = (VstSmpteFrameRate) (3);
static const VstSmpteFrameRate kVstSmpte2997dfps = (VstSmpteFrameRate) (4);
static const VstSmpteFrameRate kVstSmpte30dfps = (VstSmpteFrameRate) (5);
static const VstSmpteFrameRate kVstSmpteFilm16mm = (VstSmpteFrameRate) (6);
static const VstSmpteFrameRate kVstSmpteFilm35mm = (VstSmpteFrameRate) (7);
static const VstSmpteFrameRate kVstSmpte239fps = (VstSmpteFrameRate) (10);
static const VstSmpteFrameRate kVstSmpte249fps = (VstSmpteFrameRate) (11);
static const VstSmpteFrameRate kVstSmpte599fps = (VstSmpteFrameRate) (12);
static const VstSmpteFrameRate kVstSmpte60fps = (VstSmpteFrameRate) (13);

/* VstTimeInfo flags for the host's automation state. */
enum
{
    kVstAutomationWriting = 1 << 6,
    kVstAutomationReading = 1 << 7
};

/* VstPinProperties flags: JUCE sets "active | use speaker" on every pin it
   describes and "stereo" on the first pin of a stereo pair. */
enum
{
    kVstPinIsActive = 1,
    kVstPinIsStereo = 2,
    kVstPinUseSpeaker = 4
};

/* Process level (VstProcessLevels) and host language (VstHostLanguage). */
enum
{
    kVstProcessLevelUser = 1,
    kVstLangEnglish = 1
};

/* A speaker arrangement has the same layout as FST's, but, as code written
   for the original interface expects, room for eight speakers inside the
   struct itself: JUCE sizes the arrangements it builds as
   sizeof (VstSpeakerArrangement) + (channels - 8) speakers, so with FST's
   empty trailing array it would write past the end of every arrangement
   (seen as heap corruption when a host prepares a stereo plug-in). */
typedef struct VstSpeakerArrangement
{
    int type;
    int numChannels;
    VstSpeakerProperties speakers[8];
} VstSpeakerArrangement;

#endif
