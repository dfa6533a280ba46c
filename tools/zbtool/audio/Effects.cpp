#include "tools/zbtool/audio/Effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <tuple>

namespace zb::tool::audio {

namespace {

// Marimba bar: the fundamental with the bar's fourth and tenth partials.
Signal Mallet(double hz, double seconds, double decay = 0.35) {
  return Struck(seconds, hz, {{1.0, 1.0, decay}, {3.93, 0.35, decay / 5}, {9.2, 0.1, decay / 18}}, 0.0015);
}

// Kalimba tine: bright inharmonic overtone that dies fast.
Signal Tine(double hz, double seconds) {
  return Struck(seconds, hz, {{1.0, 1.0, 0.45}, {5.95, 0.3, 0.05}, {11.3, 0.08, 0.015}}, 0.001);
}

// A small bell, as of a coin or a gold brick.
Signal Bell(double hz, double seconds, double decay) {
  return Struck(seconds, hz, {{1.0, 1.0, decay}, {2.76, 0.5, decay * 0.6}, {5.4, 0.3, decay * 0.3},
                              {8.93, 0.15, decay * 0.15}});
}

// Notes (midi, start in seconds, gain) on one voice, mixed into one signal.
template <typename Voice>
Signal Phrase(std::initializer_list<std::tuple<double, double, double>> notes, double length, Voice voice) {
  Signal out(SampleCount(length));
  for (const auto& [midi, at, gain] : notes) MixAt(out, voice(NoteHz(midi)), at, gain);
  out.resize(SampleCount(length));
  return out;
}

// A warm reed-like voice for the slow jingles: a filtered saw with vibrato.
Signal Reed(double hz, double seconds, double vibrato = 0.12) {
  Signal s = Osc(seconds, Vibrato(Constant(hz), 5.5, vibrato), Wave::Saw);
  s = Filtered(s, Filter::Low, Constant(hz * 4.0), 0.8);
  Shape(s, [seconds](double t) { return std::min(1.0, t / 0.03) * std::min(1.0, (seconds - t) / 0.08); });
  return s;
}

// Effects sound over the music and over each other: their peaks stay at half of full scale or below.
Signal Finish(Signal s, double peak = 0.7) {
  Normalize(s, peak * 0.7);
  Fade(s, 0.002, 0.012);
  return s;
}

// A button click: a crisp, dry tick of wood.
Signal Check() {
  Signal s = Struck(0.07, 1900, {{1.0, 1.0, 0.012}, {2.32, 0.45, 0.006}});
  Signal tick = Filtered(Noise(0.02, 11), Filter::Band, Constant(4200), 1.5);
  Shape(tick, Decay(0.003));
  MixAt(s, tick, 0.0, 0.5);
  return Finish(s, 0.6);
}

// Ball off the wall: a hollow, short tock.
Signal BallSide() {
  Signal s = Osc(0.12, Glide(640, 560, 0.05));
  Shape(s, AttackDecay(0.001, 0.028));
  Signal knock = Filtered(Noise(0.03, 12), Filter::Band, Constant(2400), 2.0);
  Shape(knock, Decay(0.004));
  MixAt(s, knock, 0.0, 0.35);
  return Finish(s, 0.55);
}

// Ball off a gold brick: a metallic ting that rings on.
Signal BallGold() {
  Signal s = Bell(1480, 0.7, 0.3);
  MixAt(s, Bell(2220, 0.5, 0.15), 0.0, 0.35);
  return Finish(s, 0.55);
}

// Ball into a brick that holds but cracks: a woody knock with a split of the shell.
Signal BallStep() {
  Signal s = Struck(0.16, 430, {{1.0, 1.0, 0.05}, {2.61, 0.45, 0.02}, {5.1, 0.18, 0.008}});
  Signal knock = Filtered(Noise(0.03, 13), Filter::Band, Constant(1600), 1.2);
  Shape(knock, Decay(0.006));
  MixAt(s, knock, 0.0, 0.5);
  int seed = 20;
  for (double at : {0.004, 0.019, 0.031}) {
    Signal split = Filtered(Noise(0.02, seed++), Filter::Band, Constant(3400), 2.0);
    Shape(split, Decay(0.0025));
    MixAt(s, split, at, 0.45);
  }
  return Finish(s, 0.65);
}

// Ball off the bat: a rubbery bonk with a quick pitch drop.
Signal BallBita() {
  Signal s = Osc(0.22, [](double t) { return 300.0 + 260.0 * std::exp(-t / 0.018); }, Wave::Triangle);
  Signal body = Osc(0.22, [](double t) { return 150.0 + 130.0 * std::exp(-t / 0.018); });
  MixAt(s, body, 0.0, 0.6);
  Shape(s, AttackDecay(0.002, 0.055));
  return Finish(s, 0.65);
}

// A brick breaks: a crack, a thump and falling crumbs.
Signal BallCrash() {
  Signal crack = Filtered(Noise(0.4, 14), Filter::Band, Glide(3200, 500, 0.25), 0.9);
  Shape(crack, AttackDecay(0.001, 0.07));
  Signal thump = Osc(0.2, Glide(150, 55, 0.08));
  Shape(thump, AttackDecay(0.001, 0.05));
  MixAt(crack, thump, 0.0, 0.8);
  const double crumbs[][2] = {{0.06, 2600}, {0.11, 1900}, {0.15, 3100}, {0.2, 2300}, {0.27, 1700}};
  int seed = 30;
  for (const auto& [at, hz] : crumbs) {
    Signal bit = Filtered(Noise(0.03, seed++), Filter::Band, Constant(hz), 3.0);
    Shape(bit, Decay(0.004));
    MixAt(crack, bit, at, 0.5 * std::exp(-at / 0.2));
  }
  return Finish(crack, 0.72);
}

// The ball falls out: a long descending whistle, then a soft thud far below.
Signal BallDead() {
  Signal s = Osc(0.8, Vibrato(Glide(1500, 170, 0.8), 9.0, 0.25));
  Shape(s, [](double t) { return std::min(1.0, t / 0.02) * (1.0 - 0.5 * t / 0.8) * std::min(1.0, (0.8 - t) / 0.05); });
  Signal thud = Osc(0.3, Glide(95, 45, 0.1));
  Shape(thud, AttackDecay(0.002, 0.07));
  MixAt(s, thud, 0.82, 0.9);
  return Finish(s, 0.6);
}

// A life lost: a sad sliding "wah wah wah waah".
Signal LostLife() {
  Signal s;
  const double notes[][3] = {{67, 0.0, 0.24}, {66, 0.26, 0.24}, {65, 0.52, 0.24}, {64, 0.78, 0.6}};
  for (const auto& [midi, at, length] : notes) {
    const double hz = NoteHz(midi);
    Signal tone = Osc(length, Vibrato(Constant(hz), 5.0, length > 0.5 ? 0.3 : 0.05), Wave::Saw);
    const double len = length;
    tone = Filtered(tone, Filter::Low, [hz, len](double t) { return hz * (1.5 + 3.0 * std::sin(std::numbers::pi * std::min(t / len, 1.0))); }, 1.4);
    Shape(tone, [len](double t) { return std::min(1.0, t / 0.02) * std::min(1.0, (len - t) / 0.06); });
    MixAt(s, tone, at);
  }
  return Finish(s, 0.6);
}

// The level starts: a rising marimba arpeggio that lands on a chord with a sparkle.
Signal StartLevel() {
  Signal s = Phrase({{72, 0.0, 1.0}, {76, 0.09, 1.0}, {79, 0.18, 1.0}, {84, 0.27, 1.0},
                     {72, 0.4, 0.6}, {76, 0.4, 0.6}, {79, 0.4, 0.6}, {84, 0.4, 0.8}},
                    1.1, [](double hz) { return Mallet(hz, 0.7, 0.3); });
  MixAt(s, Phrase({{96, 0.0, 1.0}, {91, 0.05, 0.8}}, 0.6, [](double hz) { return Tine(hz, 0.5); }), 0.42, 0.25);
  return Finish(s, 0.7);
}

// One banana thrown: a short airy whoosh.
Signal Banan() {
  Signal s = Filtered(Noise(0.35, 15), Filter::Band,
                      [](double t) { return 700.0 + 2200.0 * std::sin(std::numbers::pi * std::min(t / 0.35, 1.0)); }, 1.8);
  Shape(s, [](double t) { return std::pow(std::sin(std::numbers::pi * std::min(t / 0.35, 1.0)), 2.0); });
  return Finish(s, 0.55);
}

// A sweep of a filtered square, up or down, with a wobble.
Signal Sweep(double from, double to) {
  Signal s = Osc(0.45, Glide(from, to, 0.35), Wave::Square);
  s = Filtered(s, Filter::Low, Glide(from * 3, to * 3, 0.35), 1.2);
  Shape(s, [](double t) { return std::min(1.0, t / 0.01) * (0.75 + 0.25 * std::sin(2 * std::numbers::pi * 14 * t)) *
                                 std::min(1.0, (0.45 - t) / 0.08); });
  return Finish(s, 0.55);
}

Signal Big() { return Sweep(200, 620); }
Signal Small() { return Sweep(620, 200); }

// The magnet bat: an electric hum that pulses.
Signal Magnit() {
  Signal s = Osc(0.7, Constant(110), Wave::Saw);
  MixAt(s, Osc(0.7, Constant(166), Wave::Saw), 0.0, 0.6);
  s = Filtered(s, Filter::Low, [](double t) { return 500.0 + 400.0 * std::sin(2 * std::numbers::pi * 6 * t); }, 2.0);
  Shape(s, [](double t) { return std::min(1.0, t / 0.05) * (0.7 + 0.3 * std::sin(2 * std::numbers::pi * 12 * t)) *
                                 std::min(1.0, (0.7 - t) / 0.15); });
  return Finish(s, 0.5);
}

// Three balls: three rising pops like bubbles.
Signal ThreeBalls() {
  Signal s;
  const double pops[][2] = {{0.0, 620}, {0.11, 820}, {0.22, 1080}};
  for (const auto& [at, hz] : pops) {
    const double f = hz;
    Signal pop = Osc(0.12, [f](double t) { return f * (1.0 + 5.0 * t); });
    Shape(pop, AttackDecay(0.002, 0.03));
    MixAt(s, pop, at);
  }
  return Finish(s, 0.6);
}

// Money: the two-note ring of a coin.
Signal Money() {
  auto coin = [](double hz) {
    Signal s = Struck(0.5, hz, {{1.0, 1.0, 0.22}, {2.0, 0.25, 0.12}, {3.0, 0.1, 0.06}});
    return s;
  };
  Signal s = coin(NoteHz(83));
  MixAt(s, coin(NoteHz(88)), 0.08, 1.0);
  return Finish(s, 0.6);
}

// An extra life: a quick happy run up with a shimmering top.
Signal ExtraLife() {
  Signal s = Phrase({{72, 0.0, 1.0}, {76, 0.06, 1.0}, {79, 0.12, 1.0}, {84, 0.18, 1.0}, {88, 0.24, 1.0},
                     {91, 0.30, 1.0}, {96, 0.36, 1.0}},
                    1.0, [](double hz) { return Tine(hz, 0.6); });
  MixAt(s, Phrase({{84, 0.0, 1.0}, {88, 0.0, 0.8}, {91, 0.0, 0.8}}, 0.6, [](double hz) { return Mallet(hz, 0.6); }),
        0.42, 0.5);
  return Finish(s, 0.7);
}

// The fire ball: a rising roar with crackles.
Signal FireBall() {
  Signal s = Filtered(Noise(0.8, 16), Filter::Low, Glide(400, 2500, 0.5), 0.9);
  Shape(s, [](double t) { return std::min(1.0, t / 0.15) * std::exp(-std::max(0.0, t - 0.15) / 0.25); });
  Signal rumble = Osc(0.8, Glide(70, 110, 0.5), Wave::Triangle);
  Shape(rumble, AttackDecay(0.1, 0.25));
  MixAt(s, rumble, 0.0, 0.4);
  int seed = 50;
  for (double at : {0.08, 0.17, 0.23, 0.31, 0.38, 0.47, 0.55}) {
    Signal crackle = Filtered(Noise(0.015, seed++), Filter::Band, Constant(2800), 1.5);
    Shape(crackle, AttackDecay(0.0005, 0.003));
    MixAt(s, crackle, at, 0.5);
  }
  return Finish(s, 0.65);
}

// Bananas for the monkey: a cheeky "ooh-ooh aah" chatter.
Signal Bananas() {
  Signal s;
  const double calls[][3] = {{0.0, 0.12, 520}, {0.14, 0.12, 600}, {0.3, 0.3, 700}};
  for (const auto& [at, length, hz] : calls) {
    const double len = length, f = hz;
    Signal voice = Osc(len, Vibrato([f, len](double t) { return f * (1.0 + 0.5 * std::sin(std::numbers::pi * t / len)); }, 18, 0.4),
                       Wave::Triangle);
    voice = Filtered(voice, Filter::Band, Constant(f * 2.2), 0.9);
    Shape(voice, [len](double t) { return std::min(1.0, t / 0.015) * std::min(1.0, (len - t) / 0.04); });
    MixAt(s, voice, at);
  }
  return Finish(s, 0.6);
}

// The big ball: a deep bloop that swells.
Signal BigBall() {
  Signal s = Osc(0.5, Glide(110, 230, 0.3));
  MixAt(s, Osc(0.5, Glide(220, 460, 0.3), Wave::Triangle), 0.0, 0.3);
  Shape(s, [](double t) { return std::min(1.0, t / 0.03) * std::min(1.0, (0.5 - t) / 0.2); });
  return Finish(s, 0.65);
}

// Game over: a slow, sad falling tune ending low.
Signal GameOver() {
  Signal s;
  const double notes[][3] = {{67, 0.0, 0.38}, {63, 0.4, 0.38}, {62, 0.8, 0.38}, {60, 1.2, 1.0}};
  for (const auto& [midi, at, length] : notes) MixAt(s, Reed(NoteHz(midi), length, length > 0.5 ? 0.25 : 0.08), at);
  MixAt(s, Mallet(NoteHz(48), 1.0, 0.5), 1.2, 0.6);
  MixAt(s, Mallet(NoteHz(55), 1.0, 0.5), 1.2, 0.35);
  return Finish(s, 0.62);
}

// Stage complete: a fanfare, three short notes and a long one, then the chord.
Signal StageComplete() {
  Signal s;
  const double notes[][3] = {{72, 0.0, 0.11}, {72, 0.13, 0.11}, {72, 0.26, 0.11}, {76, 0.39, 0.3},
                             {79, 0.72, 0.14}, {84, 0.88, 0.9}};
  for (const auto& [midi, at, length] : notes) {
    MixAt(s, Reed(NoteHz(midi), length, 0.1), at, 0.8);
    MixAt(s, Mallet(NoteHz(midi), 0.5), at, 0.6);
  }
  for (double midi : {72.0, 76.0, 79.0}) MixAt(s, Mallet(NoteHz(midi), 1.0, 0.45), 0.88, 0.45);
  MixAt(s, Tine(NoteHz(96), 0.5), 0.9, 0.2);
  return Finish(s, 0.7);
}

// The cage door: a creaking hinge, then the clack of the bolt.
Signal OpenDoor() {
  // Stick-slip: short pulses whose rate wanders, heard through the wood's resonance.
  Signal pulses(SampleCount(0.5));
  double phase = 0.0;
  for (size_t i = 0; i < pulses.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double rate = 70.0 + 40.0 * std::sin(2 * std::numbers::pi * 2.3 * t) + 15.0 * std::sin(2 * std::numbers::pi * 7.1 * t);
    phase += rate / kRate;
    if (phase >= 1.0) {
      phase -= 1.0;
      pulses[i] = 1.0f;
    }
  }
  Signal creak = Filtered(pulses, Filter::Band, Constant(950), 6.0);
  MixAt(creak, Filtered(pulses, Filter::Band, Constant(2100), 8.0), 0.0, 0.5);
  Shape(creak, [](double t) { return std::min(1.0, t / 0.05) * std::min(1.0, (0.5 - t) / 0.08); });
  Normalize(creak, 1.0);
  Signal s = creak;
  Signal clack = Struck(0.3, 820, {{1.0, 1.0, 0.04}, {2.7, 0.6, 0.02}, {5.2, 0.3, 0.01}});
  MixAt(s, clack, 0.52, 1.1);
  return Finish(s, 0.65);
}

}  // namespace

std::span<const EffectRecipe> EffectRecipes() {
  static constexpr std::array<EffectRecipe, 22> kRecipes = {{
      {"check", Check},         {"ball_side", BallSide},   {"ball_gold", BallGold},
      {"ball_step", BallStep},  {"ball_bita", BallBita},   {"ball_crash", BallCrash},
      {"ball_dead", BallDead},  {"lostlife", LostLife},    {"startlevel", StartLevel},
      {"banan", Banan},         {"big", Big},              {"small", Small},
      {"magnit", Magnit},       {"3balls", ThreeBalls},    {"money", Money},
      {"extralife", ExtraLife}, {"fireball", FireBall},    {"bananas", Bananas},
      {"bigball", BigBall},     {"gameover", GameOver},    {"stagecomplete", StageComplete},
      {"opendoor", OpenDoor},
  }};
  return kRecipes;
}

}  // namespace zb::tool::audio
