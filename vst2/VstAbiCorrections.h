/*
    The VST 2.4 ABI as JUCE's wrapper and hosting code see it.

    FST (Debian's fst-dev) describes the ABI from reverse engineering and gives
    the numbers it has not identified placeholder values (0 for flags,
    100000 + line number for opcodes). A few of those matter to a plug-in that
    must look like a proper stereo effect to its host, so they are renamed out
    of the way before FST is included and redefined afterwards with the values
    documented in FST's own reverse-engineering notes
    (/usr/share/doc/fst-dev/REVERSE_ENGINEERING.md.gz).

    This header is included inside JUCE's `namespace Vst2`.
*/
#ifndef KORVANE_VST_ABI_CORRECTIONS_H
#define KORVANE_VST_ABI_CORRECTIONS_H

/* FST's own spelling of the SDK's names (AEffect rather than _fstEffect). */
#define FST2VST 1

#define audioMasterIOChanged  fstPlaceholder_audioMasterIOChanged
#define kVstPinIsActive       fstPlaceholder_kVstPinIsActive
#define kVstPinUseSpeaker     fstPlaceholder_kVstPinUseSpeaker
#define kVstPinIsStereo       fstPlaceholder_kVstPinIsStereo
#define VstSpeakerArrangement fstPlaceholder_VstSpeakerArrangement

#include <pluginterfaces/fst/fst.h>

#undef audioMasterIOChanged
#undef kVstPinIsActive
#undef kVstPinUseSpeaker
#undef kVstPinIsStereo
#undef VstSpeakerArrangement

/* Host opcode 13: a plug-in announces a changed latency (initial delay) or
   I/O set-up with it; the notes record a plug-in calling the host with 13
   right after printing that it tells the host about its latency. */
static const AudioMasterOpcodesX audioMasterIOChanged = (AudioMasterOpcodesX) 13;

/* VstPinProperties.flags: the notes find the value 3 (active | stereo) on the
   first pin of a stereo pair, and JUCE sets "active | use speaker" on every
   pin it describes. */
enum
{
    kVstPinIsActive   = 1,
    kVstPinIsStereo   = 2,
    kVstPinUseSpeaker = 4
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
