#pragma once

#include "tools/zbtool/audio/XmWriter.h"

// The synthesised instruments of the songs; each is tuned so that C-4 sounds at middle C
// (the drums sound at their own pitch on C-4).
namespace zb::tool::audio {

XmInstrument Marimba();
XmInstrument Kalimba();
XmInstrument Bass();
XmInstrument LogDrum();
XmInstrument Shaker();
XmInstrument Conga();
XmInstrument Clave();
XmInstrument Ocarina();  // a looped, sustained voice with a volume envelope and vibrato

}  // namespace zb::tool::audio
