#pragma once

#include <array>
#include <map>
#include <string>

#include "tools/zbtool/audio/XmWriter.h"

// Songs written as sections of four bars of sixteen rows: chords, a tune in note names, and a
// groove of one-character steps for the accompaniment. One section becomes one pattern.
namespace zb::tool::audio {

// Instruments in module order (1-based).
enum Instrument : uint8_t {
  kMarimba = 1, kKalimba, kBass, kLogDrum, kShaker, kConga, kClave, kOcarina, kInstrumentCount = kOcarina
};

// Sixteen steps per bar, repeated over the four bars of a section.
struct Groove {
  const char* kick;    // 'x' loud, 'o' soft
  const char* conga;   // 'l' low, 'm' middle, 'h' high; upper case accented
  const char* shaker;  // 'x' loud, 'o' soft
  const char* clave;   // 'x'
  const char* bass;    // 'R' root, 'T' third, 'F' fifth, 'O' octave; lower case soft; '^' key off
  const char* arp;     // '0'..'4': root, third, fifth, octave, octave third of the chord
  const char* congaFill = nullptr;  // the congas of the fourth bar, leading into the next section
};

struct Section {
  std::array<const char*, 4> chords;  // one per bar: "C", "Am", "F#", "Bb"
  // One line per bar of sixteen tokens: a note such as "C5", "F#4", "Bb4", "." to let the last
  // note ring, "^" for a key-off. Empty: no tune.
  std::array<const char*, 4> tune{};
  Instrument lead = kMarimba;
  bool echo = true;  // the tune again three rows later, softly, on the echo channel
  const Groove* groove = nullptr;
  bool drums = true;
  bool bass = true;
  bool arp = true;
};

class Arranger {
 public:
  Arranger(std::string name, uint16_t speed, uint16_t bpm);
  // Appends the section to the order, writing its pattern the first time it is added.
  void Add(const Section& section);
  // The module with the eight instruments; fails (std::runtime_error) on a malformed tune or groove.
  XmModule Finish();

 private:
  XmPattern Write(const Section& section) const;
  XmModule module_;
  std::map<const Section*, uint8_t> written_;
};

// "C5" -> XM note (C-4 is 49 and middle C); throws on anything else.
uint8_t ParseNote(const std::string& token);

}  // namespace zb::tool::audio
