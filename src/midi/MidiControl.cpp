#include "midi/MidiControl.h"

MidiControl::MidiControl (ParameterManager& parameterSet)
    : parameters (parameterSet)
{
}
