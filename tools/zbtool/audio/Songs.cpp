#include "tools/zbtool/audio/Songs.h"

#include <array>

#include "tools/zbtool/audio/Arranger.h"

// The three songs: a jungle band of marimba, kalimba, ocarina, a round bass, a log drum,
// congas, a shaker and claves. Each section is four bars of sixteen steps.
namespace zb::tool::audio {

namespace {

// ---- 1.xm, the menus: easy-going, C major, 112 BPM. ----

const Groove kMenuGroove = {
    .kick = "x.....x...x.....",
    .conga = "..h.l...h.h.l...",
    .shaker = "o.x.o.x.o.x.o.x.",
    .clave = "x..x..x...x.x...",
    .bass = "R.....F...O.R...",
    .arp = "0.1.2.1.3.1.2.1.",
    .congaFill = "..h.l...HhhhmmlL",
};
const Groove kMenuBreak = {
    .kick = "x.........x.....",
    .conga = "h.hlh.l.hhl.l.H.",
    .shaker = "..x...x...x...x.",
    .clave = "x..x..x...x.x...",
    .bass = "R.......r.......",
    .arp = "0.2.3.4.3.2.1.2.",
};

const Section kMenuIntro = {.chords = {"C", "Am", "F", "G"}, .groove = &kMenuGroove};
const Section kMenuA = {
    .chords = {"C", "Am", "F", "G"},
    .tune = {"E5 . G5 . A5 . G5 . E5 . . . C5 . D5 .",
             "E5 . . . C5 . A4 . . . C5 . D5 . E5 .",
             "F5 . A5 . C6 . A5 . G5 . F5 . E5 . D5 .",
             "D5 . . . G5 . . . . . B4 . D5 . . ."},
    .groove = &kMenuGroove,
};
const Section kMenuA2 = {
    .chords = {"C", "Am", "F", "G"},
    .tune = {"E5 . G5 . A5 . G5 . E5 . . . C5 . D5 .",
             "E5 . . . A5 . G5 . E5 . . . D5 . C5 .",
             "A4 . C5 . F5 . E5 . D5 . C5 . A4 . C5 .",
             "D5 . . . B4 . . . C5 . . . . . . ."},
    .groove = &kMenuGroove,
};
const Section kMenuB = {
    .chords = {"F", "G", "Em", "Am"},
    .tune = {"A5 . . . G5 . A5 . C6 . . . A5 . . .",
             "G5 . . . D5 . E5 . G5 . . . . . . .",
             "G5 . . . E5 . G5 . B5 . A5 . G5 . E5 .",
             "A5 . . . . . E5 . . . C5 . D5 . E5 ."},
    .groove = &kMenuGroove,
};
const Section kMenuAOcarina = {
    .chords = kMenuA.chords, .tune = kMenuA.tune, .lead = kOcarina, .groove = &kMenuGroove};
const Section kMenuBOcarina = {
    .chords = kMenuB.chords, .tune = kMenuB.tune, .lead = kOcarina, .groove = &kMenuGroove};
const Section kMenuBreakSection = {.chords = {"Dm", "G", "C", "Am"}, .groove = &kMenuBreak};

XmModule MenuSong() {
  Arranger song("Zumbala: jungle menu", 6, 112);
  for (const Section* s : {&kMenuIntro, &kMenuA, &kMenuA2, &kMenuB, &kMenuAOcarina, &kMenuBreakSection,
                           &kMenuBOcarina, &kMenuA2}) {
    song.Add(*s);
  }
  return song.Finish();
}

// ---- 2.xm, play: a running groove, A minor, 132 BPM. ----

const Groove kGameGroove = {
    .kick = "x...x...x...x.o.",
    .conga = "h.lh..l.h.lh.ll.",
    .shaker = "xoxoxoxoxoxoxoxo",
    .clave = "..x...x...x..x..",
    .bass = "R..R..F.O..R.F.r",
    .arp = "0213021302130213",
    .congaFill = "h.lh..l.HhHhMmLL",
};
const Groove kGameBreak = {
    .kick = "x.....x.x.......",
    .conga = "HhhlHhlmHhhlMmlL",
    .shaker = "x.x.x.x.x.x.x.x.",
    .clave = "x..x..x...x.x...",
    .bass = "R.....R.^.......",
    .arp = "0...2...3...2...",
};

const Section kGameIntro = {.chords = {"Am", "F", "C", "G"}, .groove = &kGameGroove};
const Section kGameA = {
    .chords = {"Am", "F", "C", "G"},
    .tune = {"A4 . . C5 . . E5 . . . D5 . C5 . D5 .",
             "C5 . . A4 . . . . F4 . A4 . C5 . . .",
             "E5 . . G5 . . E5 . D5 . C5 . D5 . E5 .",
             "D5 . . . . . . . B4 . . . ^ . . ."},
    .lead = kOcarina,
    .groove = &kGameGroove,
};
const Section kGameA2 = {
    .chords = {"Am", "F", "C", "G"},
    .tune = {"A4 . . C5 . . E5 . . . D5 . C5 . D5 .",
             "C5 . . A4 . . . . F4 . A4 . C5 . . .",
             "E5 . . G5 . . A5 . G5 . E5 . D5 . C5 .",
             "B4 . . . C5 . . . D5 . . . ^ . . ."},
    .lead = kOcarina,
    .groove = &kGameGroove,
};
const Section kGameB = {
    .chords = {"Dm", "Am", "F", "E"},
    .tune = {"F5 . . . E5 . D5 . . . A4 . . . D5 .",
             "E5 . . . . . C5 . . . A4 . . . . .",
             "A4 . C5 . F5 . A5 . G5 . F5 . E5 . D5 .",
             "E5 . . . D5 . . . B4 . . . G#4 . . ."},
    .groove = &kGameGroove,
};
const Section kGameAMarimba = {.chords = kGameA.chords, .tune = kGameA.tune, .groove = &kGameGroove};
const Section kGameBOcarina = {.chords = kGameB.chords, .tune = kGameB.tune, .lead = kOcarina, .groove = &kGameGroove};
const Section kGameBreakSection = {.chords = {"F", "G", "Am", "Am"}, .groove = &kGameBreak};

XmModule GameSong() {
  Arranger song("Zumbala: jungle run", 6, 132);
  for (const Section* s : {&kGameIntro, &kGameA, &kGameA2, &kGameB, &kGameAMarimba, &kGameBreakSection,
                           &kGameBOcarina, &kGameA2, &kGameBreakSection, &kGameA}) {
    song.Add(*s);
  }
  return song.Finish();
}

// ---- 3.xm, the end of a game: warm and proud, F major, 100 BPM. ----

const Groove kFinalGroove = {
    .kick = "x.......x...o...",
    .conga = "....h......lh...",
    .shaker = "..x...x...x...x.",
    .clave = "x..x..x.........",
    .bass = "R.......F...O...",
    .arp = "0...1...2...3...",
};
const Groove kFinalLift = {
    .kick = "x.......x.x.....",
    .conga = "..h.l...h.h.l.m.",
    .shaker = "o.x.o.x.o.x.o.x.",
    .clave = "x..x..x...x.x...",
    .bass = "R...F...O...F...",
    .arp = "0.2.1.3.0.2.1.3.",
    .congaFill = "..h.l...h.hhmmll",
};

const Section kFinalIntro = {.chords = {"F", "C", "Dm", "Bb"}, .groove = &kFinalGroove};
const Section kFinalA = {
    .chords = {"F", "C", "Dm", "Bb"},
    .tune = {"C5 . . . F5 . . . A5 . . . G5 . F5 .",
             "E5 . . . G5 . . . C5 . . . . . . .",
             "D5 . F5 . A5 . . . G5 . F5 . E5 . D5 .",
             "D5 . . . . . . . F5 . . . . . . ."},
    .groove = &kFinalGroove,
};
const Section kFinalB = {
    .chords = {"Gm", "C", "F", "F"},
    .tune = {"G5 . . . A#5 . . . A5 . G5 . F5 . . .",
             "E5 . . . G5 . . . C6 . . . . . . .",
             "A5 . G5 . F5 . C5 . F5 . A5 . C6 . . .",
             "F5 . . . . . . . . . . . ^ . . ."},
    .groove = &kFinalLift,
};
const Section kFinalAOcarina = {.chords = kFinalA.chords, .tune = kFinalA.tune, .lead = kOcarina, .groove = &kFinalLift};
const Section kFinalBOcarina = {.chords = kFinalB.chords, .tune = kFinalB.tune, .lead = kOcarina, .groove = &kFinalLift};
const Section kFinalBridge = {.chords = {"Bb", "C", "Am", "Dm"}, .groove = &kFinalLift};

XmModule FinalSong() {
  Arranger song("Zumbala: homecoming", 6, 100);
  for (const Section* s : {&kFinalIntro, &kFinalA, &kFinalB, &kFinalAOcarina, &kFinalBridge, &kFinalBOcarina,
                           &kFinalA}) {
    song.Add(*s);
  }
  return song.Finish();
}

}  // namespace

std::span<const SongRecipe> SongRecipes() {
  static constexpr std::array<SongRecipe, 3> kSongs = {{
      {"1.xm", MenuSong},
      {"2.xm", GameSong},
      {"3.xm", FinalSong},
  }};
  return kSongs;
}

}  // namespace zb::tool::audio
