#include "tools/zbtool/audio/Arranger.h"

#include <cctype>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "tools/zbtool/audio/Instruments.h"

namespace zb::tool::audio {

namespace {

constexpr int kRows = 64;
constexpr int kStepsPerBar = 16;
enum Channel { kLeadChannel, kEchoChannel, kArpChannel, kBassChannel, kKickChannel, kCongaChannel,
               kShakerChannel, kClaveChannel, kChannelCount };

int PitchClass(char letter) {
  static constexpr int kClasses[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (letter < 'A' || letter > 'G') throw std::runtime_error(std::string("bad note letter ") + letter);
  return kClasses[letter - 'A'];
}

// Root pitch class and the intervals of the chord's tones.
struct Chord {
  int root = 0;
  std::array<int, 5> tones{};
};

Chord ParseChord(std::string_view text) {
  if (text.empty()) throw std::runtime_error("empty chord");
  Chord chord;
  size_t i = 0;
  chord.root = PitchClass(text[i++]);
  if (i < text.size() && (text[i] == '#' || text[i] == 'b')) chord.root = (chord.root + (text[i++] == '#' ? 1 : 11)) % 12;
  const bool minor = i < text.size() && text[i] == 'm';
  if (minor) ++i;
  if (i != text.size()) throw std::runtime_error("bad chord " + std::string(text));
  const int third = minor ? 3 : 4;
  chord.tones = {0, third, 7, 12, 12 + third};
  return chord;
}

std::vector<std::string> Tokens(const char* line) {
  std::vector<std::string> tokens;
  std::istringstream in(line);
  for (std::string t; in >> t;) tokens.push_back(t);
  if (tokens.size() != kStepsPerBar) throw std::runtime_error("a bar needs 16 steps: " + std::string(line));
  return tokens;
}

void CheckSteps(const char* steps) {
  if (std::string_view(steps).size() != kStepsPerBar) throw std::runtime_error("a groove needs 16 steps: " + std::string(steps));
}

// The band plays at 7/8 of the written levels, leaving the effects room above it.
uint8_t Volume(int v) { return static_cast<uint8_t>(0x10 + (v * 7 + 4) / 8); }

XmCell Note(int xmNote, Instrument instrument, int volume) {
  if (xmNote < 1 || xmNote > 96) throw std::runtime_error("note out of range");
  XmCell cell;
  cell.note = static_cast<uint8_t>(xmNote);
  cell.instrument = instrument;
  cell.volume = Volume(volume);
  return cell;
}

int MidiToXm(int midi) { return midi - 11; }

}  // namespace

uint8_t ParseNote(const std::string& token) {
  if (token.size() < 2) throw std::runtime_error("bad note " + token);
  int pc = PitchClass(token[0]);
  size_t i = 1;
  if (token[i] == '#' || token[i] == 'b') pc += token[i++] == '#' ? 1 : -1;
  if (i + 1 != token.size() || !std::isdigit(static_cast<unsigned char>(token[i]))) throw std::runtime_error("bad note " + token);
  const int midi = 12 * (token[i] - '0' + 1) + pc;
  const int xm = MidiToXm(midi);
  if (xm < 1 || xm > 96) throw std::runtime_error("note out of range " + token);
  return static_cast<uint8_t>(xm);
}

Arranger::Arranger(std::string name, uint16_t speed, uint16_t bpm) {
  module_.name = std::move(name);
  module_.channels = kChannelCount;
  module_.speed = speed;
  module_.bpm = bpm;
}

void Arranger::Add(const Section& section) {
  auto it = written_.find(&section);
  if (it == written_.end()) {
    module_.patterns.push_back(Write(section));
    it = written_.emplace(&section, static_cast<uint8_t>(module_.patterns.size() - 1)).first;
  }
  module_.order.push_back(it->second);
}

XmPattern Arranger::Write(const Section& section) const {
  XmPattern pattern;
  pattern.rows = kRows;
  pattern.cells.assign(kRows * kChannelCount, XmCell{});
  auto at = [&pattern](int row, int channel) -> XmCell& { return pattern.cells[row * kChannelCount + channel]; };
  if (!section.groove) throw std::runtime_error("a section needs a groove");
  const Groove& g = *section.groove;
  for (const char* steps : {g.kick, g.conga, g.shaker, g.clave, g.bass, g.arp}) CheckSteps(steps);
  if (g.congaFill) CheckSteps(g.congaFill);

  for (int bar = 0; bar < 4; ++bar) {
    const Chord chord = ParseChord(section.chords[bar]);
    const int bassRoot = 36 + chord.root;  // C2..B2
    const int arpRoot = 60 + chord.root;   // C4..B4
    for (int step = 0; step < kStepsPerBar; ++step) {
      const int row = bar * kStepsPerBar + step;
      if (section.drums) {
        if (const char k = g.kick[step]; k == 'x' || k == 'o') at(row, kKickChannel) = Note(49, kLogDrum, k == 'x' ? 60 : 38);
        const char* conga = bar == 3 && g.congaFill ? g.congaFill : g.conga;
        if (const char c = conga[step]; c != '.') {
          const int lower = std::tolower(static_cast<unsigned char>(c));
          const int offset = lower == 'h' ? 7 : lower == 'm' ? 4 : 0;
          at(row, kCongaChannel) = Note(49 + offset, kConga, std::isupper(static_cast<unsigned char>(c)) ? 50 : 36);
        }
        if (const char s = g.shaker[step]; s == 'x' || s == 'o') at(row, kShakerChannel) = Note(49, kShaker, s == 'x' ? 30 : 18);
        if (g.clave[step] == 'x') at(row, kClaveChannel) = Note(49, kClave, 30);
      }
      if (section.bass) {
        const char b = g.bass[step];
        if (b == '^') {
          at(row, kBassChannel).note = kKeyOff;
        } else if (b != '.') {
          const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(b)));
          const int interval = upper == 'R' ? 0 : upper == 'T' ? chord.tones[1] : upper == 'F' ? 7 : upper == 'O' ? 12 : -1;
          if (interval < 0) throw std::runtime_error(std::string("bad bass step ") + b);
          at(row, kBassChannel) = Note(MidiToXm(bassRoot + interval), kBass, b == upper ? 54 : 38);
        }
      }
      if (section.arp) {
        if (const char a = g.arp[step]; a != '.') {
          if (a < '0' || a > '4') throw std::runtime_error(std::string("bad arpeggio step ") + a);
          at(row, kArpChannel) = Note(MidiToXm(arpRoot + chord.tones[a - '0']), kKalimba, 24);
        }
      }
    }
    if (section.tune[bar]) {
      const std::vector<std::string> tokens = Tokens(section.tune[bar]);
      for (int step = 0; step < kStepsPerBar; ++step) {
        const int row = bar * kStepsPerBar + step;
        const std::string& t = tokens[step];
        if (t == ".") continue;
        XmCell cell;
        if (t == "^") {
          cell.note = kKeyOff;
        } else {
          cell = Note(ParseNote(t), section.lead, section.lead == kOcarina ? 44 : 52);
        }
        at(row, kLeadChannel) = cell;
        if (section.echo && row + 3 < kRows) {
          XmCell echo = cell;
          if (echo.volume) echo.volume = Volume(16);
          at(row + 3, kEchoChannel) = echo;
        }
      }
    }
  }
  return pattern;
}

XmModule Arranger::Finish() {
  XmModule module = module_;
  module.instruments = {Marimba(), Kalimba(), Bass(), LogDrum(), Shaker(), Conga(), Clave(), Ocarina()};
  static_assert(kInstrumentCount == 8);
  return module;
}

}  // namespace zb::tool::audio
