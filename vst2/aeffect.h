/* Stands in for the VST 2.4 SDK header of the same name: FST with our corrections. */
#include "VstAbiCorrections.h"
