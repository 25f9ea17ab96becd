// SPDX-License-Identifier: GPL-3.0-or-later
// The game's sound effects. Each is a short mono sound at 22050 Hz; the game replays most of
// them at another rate (a "frequency" in Hz, played back at frequency / 22050 times the speed),
// so each is voiced for the rates it is heard at: pitches named below are what the player hears.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "generators.h"
#include "sound_synth.h"

namespace {

constexpr double rate = effectRate;

// The frequency to synthesise so that a sound played at playRate is heard at heardHz.
double Heard(double heardHz, double playRate) {
  return heardHz * rate / playRate;
}

// Calls sample(t) once per sample, in order, for the given length in seconds.
Samples Render(double seconds, const std::function<float(double)>& sample) {
  Samples out(static_cast<size_t>(seconds * rate + 0.5));
  for (size_t i = 0; i < out.size(); ++i) out[i] = sample(i / rate);
  return out;
}

// Removes any offset, makes both ends start and stop at zero and sets the peak to -3 dBFS.
void Finish(Samples& s, double fadeIn = 0.001, double fadeOut = 0.01) {
  OnePole dc;
  const float c = OnePoleCoefficient(12.0, rate);
  for (float& x : s) x = HighPassStep(dc, x, c);
  FadeEdges(s, effectRate, fadeIn, fadeOut);
  NormalisePeak(s, -3.0);
}

// Slow random movement in [-1, 1]: a new random target every 1 / speed seconds, reached along a
// raised cosine. Makes fire flicker and thunder roll.
struct Wobble {
  NoiseSource noise;
  double phase = 1.0;
  float from = 0.0f, to = 0.0f;
};

float WobbleStep(Wobble& w, double speed) {
  if (w.phase >= 1.0) {
    w.phase -= 1.0;
    w.from = w.to;
    w.to = WhiteNoise(w.noise);
  }
  const float k = static_cast<float>(0.5 - 0.5 * std::cos(pi * w.phase));
  w.phase += speed / rate;
  return w.from + (w.to - w.from) * k;
}

// Sparse grains of noise a few milliseconds long: crackle that stays crackle at any playback
// rate, where single-sample impulses would click.
struct Crackle {
  NoiseSource noise;
  float level = 0.0f;
};

float CrackleStep(Crackle& c, double chance, float size) {
  if (RandomUnit(c.noise) < chance) c.level = size * static_cast<float>(0.3 + 0.7 * RandomUnit(c.noise));
  c.level *= 0.985f;  // about 3 ms at 22050 Hz
  return WhiteNoise(c.noise) * c.level;
}

// A struck metal or wooden bar: a fundamental with a pitch dip, a faster-dying overtone and a
// tiny noise tick for the contact.
struct BarHit {
  double fundamental, overtoneRatio, decay, overtoneDecay, overtoneLevel, tickLevel;
};

Samples StruckBar(const BarHit& bar, double seconds, uint32_t seed) {
  Oscillator a, b;
  NoiseSource noise = MakeNoise(seed);
  SvfState tickState;
  const SvfCoefficients tickFilter = DesignSvf(bar.fundamental * 2.0, 1.2, rate);
  return Render(seconds, [&](double t) {
    const double f = bar.fundamental * (1.0 + 0.06 * std::exp(-t / 0.008));
    float s = SineStep(a, f, rate) * AttackDecay(t, 0.0008, bar.decay);
    s += bar.overtoneLevel * SineStep(b, f * bar.overtoneRatio, rate) *
         AttackDecay(t, 0.0005, bar.overtoneDecay);
    const float tick = SvfStep(tickState, tickFilter, WhiteNoise(noise)).band;
    s += static_cast<float>(bar.tickLevel * std::exp(-t / 0.003)) * tick;
    return s;
  });
}

// Wall and brick bounce, heard from 10000 to 50000 Hz (mostly 20000 and 40000): a bright bar.
Samples Bounce() {
  Samples s = StruckBar({Heard(760.0, 20000.0), 3.93, 0.045, 0.012, 0.35, 0.5}, 0.2, 11);
  Finish(s);
  return s;
}

// The ball meets the electric barrier (heard at 22050 Hz): a buzzing zap with a ping on top.
Samples BounceBarrier() {
  Oscillator buzz, ping;
  SvfState band;
  const SvfCoefficients bandFilter = DesignSvf(1800.0, 2.5, rate);
  Samples s = Render(0.26, [&](double t) {
    const double f = 230.0 + 90.0 * std::sin(2.0 * pi * 37.0 * t);
    const float zap = SvfStep(band, bandFilter, PulseStep(buzz, f, rate, 0.3)).band;
    float v = 1.2f * zap * AttackDecay(t, 0.002, 0.05);
    v += 0.6f * SineStep(ping, 1320.0, rate) * AttackDecay(t, 0.001, 0.05);
    return v;
  });
  Finish(s);
  return s;
}

// Ball against ball, heard at 50000 Hz: a short wooden clack.
Samples BounceBall() {
  Samples s = StruckBar({Heard(1150.0, 50000.0), 2.71, 0.022, 0.01, 0.5, 0.7}, 0.14, 23);
  Finish(s);
  return s;
}

// A brick shatters, heard at 20000 Hz: a noise crunch, a thump and glassy crackle.
Samples BrickExplode() {
  NoiseSource noise = MakeNoise(37);
  Crackle shards{MakeNoise(41)};
  SvfState body, glass;
  Oscillator thump;
  const SvfCoefficients glassFilter = DesignSvf(3200.0, 5.0, rate);
  SvfCoefficients bodyFilter{};
  int n = 0;
  Samples s = Render(0.55, [&](double t) {
    if (n++ % 16 == 0) bodyFilter = DesignSvf(250.0 + 7000.0 * std::exp(-t / 0.05), 0.8, rate);
    float v = SvfStep(body, bodyFilter, WhiteNoise(noise)).low * AttackDecay(t, 0.001, 0.11);
    const double f = 45.0 + 110.0 * std::exp(-t / 0.07);
    v += 0.8f * SineStep(thump, f, rate) * AttackDecay(t, 0.002, 0.08);
    const float grain = CrackleStep(shards, 0.004 * std::exp(-t / 0.08), 1.0f);
    v += 0.6f * SvfStep(glass, glassFilter, grain).band;
    return v;
  });
  Finish(s, 0.001, 0.05);
  return s;
}

// Menu choice and the third bounce sound, heard at 40000 Hz: a two-tone blip.
Samples Select() {
  Oscillator osc;
  SvfState soften;
  const SvfCoefficients lowPass = DesignSvf(3000.0, 0.7, rate);
  const double first = Heard(880.0, 40000.0), second = Heard(1320.0, 40000.0);
  Samples s = Render(0.16, [&](double t) {
    const bool late = t >= 0.065;
    const double local = late ? t - 0.065 : t;
    const float env = late ? AttackDecay(local, 0.002, 0.035) : AttackDecay(local, 0.002, 0.05) *
                                                                    (1.0f - Ramp(t, 0.058, 0.065));
    const float v = PulseStep(osc, late ? second : first, rate, 0.5) * env;
    return SvfStep(soften, lowPass, v).low;
  });
  Finish(s);
  return s;
}

// A monster dies (heard at 40000 Hz) and the guardian's zaps (22050 Hz): a falling resonant
// sweep with a wobble.
Samples Zap() {
  Oscillator saw;
  SvfState res;
  SvfCoefficients filter{};
  int n = 0;
  Samples s = Render(0.42, [&](double t) {
    const double sweep = std::exp(-t / 0.11);
    if (n++ % 16 == 0) filter = DesignSvf(300.0 + 4000.0 * sweep, 4.0, rate);
    const double f = (120.0 + 1300.0 * sweep) * (1.0 + 0.15 * std::sin(2.0 * pi * 31.0 * t));
    return SvfStep(res, filter, SawStep(saw, f, rate)).low * AttackDecay(t, 0.002, 0.12);
  });
  Finish(s, 0.001, 0.04);
  return s;
}

// The ship widens, heard at 20000 Hz: a rising shimmer of detuned voices with a tremolo.
Samples Shield() {
  Oscillator voices[5];
  const double ratios[5] = {1.0, 1.006, 1.5, 2.004, 3.0};
  const double levels[5] = {0.5, 0.5, 0.35, 0.25, 0.12};
  Samples s = Render(0.95, [&](double t) {
    const double f = Heard(300.0, 20000.0) * std::pow(2.0, 1.5 * t / 0.95);
    float v = 0.0f;
    for (int i = 0; i < 5; ++i) {
      v += static_cast<float>(levels[i]) * TriangleStep(voices[i], f * ratios[i], rate);
    }
    const float tremolo = static_cast<float>(0.75 + 0.25 * std::sin(2.0 * pi * 14.0 * t));
    return v * tremolo * Adsr(t, 0.05, 0.3, 0.6, 0.7, 0.08);
  });
  Finish(s, 0.01, 0.05);
  return s;
}

// The ship's laser, heard at 20000 Hz every fifth of a second while held: a short falling pew.
Samples Laser() {
  Oscillator pulse, saw;
  SvfState soften;
  const SvfCoefficients lowPass = DesignSvf(5000.0, 0.8, rate);
  Samples s = Render(0.22, [&](double t) {
    const double f = 320.0 + 2500.0 * std::exp(-t / 0.04);
    const float v = 0.6f * PulseStep(pulse, f, rate, 0.25) + 0.4f * SawStep(saw, f * 1.01, rate);
    return SvfStep(soften, lowPass, v).low * AttackDecay(t, 0.001, 0.06);
  });
  Finish(s, 0.001, 0.03);
  return s;
}

// A burst of noise ringing three metal resonances: one clank of a mechanism.
float Clank(double t, double start, NoiseSource& noise) {
  if (t < start) return 0.0f;
  return WhiteNoise(noise) * static_cast<float>(std::exp(-(t - start) / 0.004));
}

// The missile is loaded, heard at 10000 Hz (twice as long and an octave down): two clanks
// around a rising servo whine.
Samples MissileLoading() {
  NoiseSource noise = MakeNoise(53);
  SvfState ring[3];
  const double ringFreq[3] = {1900.0, 2870.0, 4310.0};
  SvfCoefficients ringFilter[3];
  // A Q of 250 rings for about 40 ms: metal, not wood.
  for (int i = 0; i < 3; ++i) ringFilter[i] = DesignSvf(ringFreq[i], 250.0, rate);
  Oscillator whine, hum;
  SvfState whineSoft;
  const SvfCoefficients whineFilter = DesignSvf(3000.0, 0.8, rate);
  Samples s = Render(0.62, [&](double t) {
    const float hit = Clank(t, 0.0, noise) + 0.8f * Clank(t, 0.3, noise) +
                      Clank(t, 0.52, noise);
    float v = 0.0f;
    for (int i = 0; i < 3; ++i) {
      v += 0.02f * SvfStep(ring[i], ringFilter[i], hit).band * (1.0f - 0.2f * i);
    }
    v += 0.15f * hit;
    const double f = 700.0 * std::pow(1800.0 / 700.0, std::clamp((t - 0.05) / 0.42, 0.0, 1.0));
    const float whineEnv = Ramp(t, 0.05, 0.12) * (1.0f - Ramp(t, 0.42, 0.5));
    v += 0.35f * whineEnv * SvfStep(whineSoft, whineFilter, SawStep(whine, f, rate)).low;
    v += 0.25f * whineEnv * PulseStep(hum, 110.0, rate, 0.5) * 0.5f;
    return v;
  });
  Finish(s, 0.001, 0.06);
  return s;
}

// The missile leaves, heard at 30000 Hz: an ignition thump and a rocket roar that swells and
// flies away.
Samples MissileLaunch() {
  NoiseSource noise = MakeNoise(71);
  SvfState roar, whoosh;
  SvfCoefficients roarFilter{}, whooshFilter{};
  Oscillator thump;
  int n = 0;
  Samples s = Render(1.0, [&](double t) {
    if (n++ % 16 == 0) {
      roarFilter = DesignSvf(500.0 + 3500.0 * Ramp(t, 0.0, 0.08) * std::exp(-t / 0.5), 0.7, rate);
      whooshFilter = DesignSvf(900.0 + 3000.0 * std::sin(pi * std::min(t / 0.9, 1.0)), 2.0, rate);
    }
    const float n1 = WhiteNoise(noise);
    const float env = Ramp(t, 0.0, 0.03) * static_cast<float>(std::exp(-t / 0.35));
    float v = SvfStep(roar, roarFilter, n1).low * env;
    v += 0.6f * SvfStep(whoosh, whooshFilter, n1).band * env;
    v += 0.9f * SineStep(thump, 50.0 + 60.0 * std::exp(-t / 0.05), rate) *
         AttackDecay(t, 0.003, 0.06);
    return v;
  });
  Finish(s, 0.001, 0.15);
  return s;
}

// The ball leaves the ship, heard at 70000 Hz (a third of its length): a quick rising zip.
Samples BallLaunch() {
  Oscillator sine, tri;
  NoiseSource noise = MakeNoise(89);
  OnePole puff;
  const float puffCoefficient = OnePoleCoefficient(1200.0, rate);
  Samples s = Render(0.36, [&](double t) {
    const double f = 160.0 * std::pow(2.0, 1.6 * t / 0.36);
    float v = (SineStep(sine, f, rate) + 0.3f * TriangleStep(tri, f * 2.0, rate)) *
              AttackDecay(t, 0.004, 0.12);
    v += 0.4f * LowPassStep(puff, WhiteNoise(noise), puffCoefficient) *
         static_cast<float>(std::exp(-t / 0.03));
    return v;
  });
  Finish(s, 0.002, 0.03);
  return s;
}

// Fire mode, heard at 20000 Hz every two seconds: a flickering roar with crackles.
Samples OnFire() {
  NoiseSource noise = MakeNoise(97);
  Crackle sparks{MakeNoise(99)};
  Wobble flicker{MakeNoise(101)}, swell{MakeNoise(103)};
  SvfState roar, body, crackle;
  SvfCoefficients roarFilter{};
  const SvfCoefficients bodyFilter = DesignSvf(1200.0, 0.7, rate);
  const SvfCoefficients crackleFilter = DesignSvf(3500.0, 2.0, rate);
  int n = 0;
  Samples s = Render(1.3, [&](double t) {
    const float move = WobbleStep(swell, 5.0);
    if (n++ % 16 == 0) roarFilter = DesignSvf(700.0 + 400.0 * move, 0.8, rate);
    const float env = Ramp(t, 0.0, 0.12) * (1.0f - Ramp(t, 0.7, 1.3));
    const float w = WhiteNoise(noise);
    float v = 1.2f * SvfStep(roar, roarFilter, w).low;
    v += 0.5f * SvfStep(body, bodyFilter, w).band * (0.7f + 0.3f * WobbleStep(flicker, 9.0));
    v += 0.5f * SvfStep(crackle, crackleFilter, CrackleStep(sparks, 0.0015, 1.0f)).band;
    return v * env;
  });
  Finish(s, 0.001, 0.05);
  return s;
}

// A big explosion, heard at 22050 Hz for missile fragments and at 2500 Hz (nine times slower)
// as the thunder of the storm level: a broad noise body whose lumpy amplitude turns into
// rolling thunder when slowed, a crack at the start and a low boom.
Samples BigExplosion() {
  NoiseSource noise = MakeNoise(107);
  Crackle debris{MakeNoise(108)};
  Wobble rolls{MakeNoise(109)};
  SvfState body, crack;
  SvfCoefficients bodyFilter{};
  const SvfCoefficients crackFilter = DesignSvf(2500.0, 1.5, rate);
  Oscillator boom;
  int n = 0;
  Samples s = Render(0.85, [&](double t) {
    if (n++ % 16 == 0) bodyFilter = DesignSvf(900.0 + 6000.0 * std::exp(-t / 0.12), 0.7, rate);
    const float w = WhiteNoise(noise);
    const float lumps = 0.65f + 0.35f * WobbleStep(rolls, 16.0);
    float v = SvfStep(body, bodyFilter, w).low * AttackDecay(t, 0.002, 0.22) * lumps;
    v += 0.5f * SvfStep(crack, crackFilter, CrackleStep(debris, 0.006 * std::exp(-t / 0.1), 1.0f)).band;
    v += 0.7f * SineStep(boom, 40.0 + 60.0 * std::exp(-t / 0.1), rate) *
         AttackDecay(t, 0.004, 0.15);
    return v;
  });
  Finish(s, 0.001, 0.12);
  return s;
}

// One chaingun shot, heard at 22050 Hz up to four times a second: a crack, a body, a thump and
// the bolt's click.
Samples ChaingunShot() {
  NoiseSource noise = MakeNoise(113);
  OnePole crackHigh, bodyLow;
  const float crackCoefficient = OnePoleCoefficient(1000.0, rate);
  const float bodyCoefficient = OnePoleCoefficient(1500.0, rate);
  SvfState bolt;
  const SvfCoefficients boltFilter = DesignSvf(3500.0, 8.0, rate);
  Oscillator thump;
  Samples s = Render(0.22, [&](double t) {
    const float w = WhiteNoise(noise);
    float v = HighPassStep(crackHigh, w, crackCoefficient) * AttackDecay(t, 0.0005, 0.012);
    v += 1.6f * LowPassStep(bodyLow, w, bodyCoefficient) * AttackDecay(t, 0.001, 0.04);
    v += 0.7f * SineStep(thump, 60.0 + 90.0 * std::exp(-t / 0.02), rate) *
         AttackDecay(t, 0.001, 0.03);
    v += 0.4f * SvfStep(bolt, boltFilter, Clank(t, 0.09, noise)).band;
    return v;
  });
  Finish(s, 0.0005, 0.03);
  return s;
}

// An extra life, heard at 20000 Hz: a rising arpeggio of FM bells, tuned to C major as heard.
Samples HappyBell() {
  const double notes[5] = {72.0, 76.0, 79.0, 84.0, 88.0};
  const double starts[5] = {0.0, 0.08, 0.16, 0.24, 0.32};
  Oscillator carrier[5], modulator[5];
  Samples s = Render(1.5, [&](double t) {
    float v = 0.0f;
    for (int i = 0; i < 5; ++i) {
      const double local = t - starts[i];
      if (local < 0.0) continue;
      const double fc = Heard(MidiToHz(notes[i]), 20000.0);
      const double index = 2.2 * std::exp(-local / 0.25);
      const double m = SineStep(modulator[i], fc * 1.4, rate) * index;
      // Phase modulation: the carrier's phase is pushed by the modulator.
      Oscillator shifted{carrier[i].phase + m / (2.0 * pi)};
      const float tone = SineStep(shifted, fc, rate);
      SineStep(carrier[i], fc, rate);
      v += tone * AttackDecay(local, 0.001, i == 4 ? 0.45 : 0.3);
    }
    return v;
  });
  Finish(s, 0.001, 0.1);
  return s;
}

// The exit door (heard at 10000 Hz) and a lost ball (5000 Hz): a falling warp tone with a
// vibrato and a breath of noise.
Samples Door() {
  Oscillator saw, sub;
  NoiseSource noise = MakeNoise(127);
  SvfState tone, breath;
  const SvfCoefficients toneFilter = DesignSvf(4000.0, 1.5, rate);
  SvfCoefficients breathFilter{};
  int n = 0;
  Samples s = Render(0.5, [&](double t) {
    const double f = 1500.0 * std::pow(2.0, -1.6 * t / 0.5) *
                     (1.0 + 0.03 * std::sin(2.0 * pi * 12.0 * t));
    if (n++ % 16 == 0) breathFilter = DesignSvf(f * 2.0, 2.0, rate);
    float v = SvfStep(tone, toneFilter, SawStep(saw, f, rate)).low;
    v += 0.6f * SineStep(sub, f * 0.5, rate);
    v += 0.3f * SvfStep(breath, breathFilter, WhiteNoise(noise)).band;
    return v * Adsr(t, 0.01, 0.2, 0.7, 0.38, 0.04);
  });
  Finish(s, 0.002, 0.03);
  return s;
}

}  // namespace

bool RenderEffect(const std::string& fileName, Samples& out) {
  static const std::map<std::string, Samples (*)()> effects = {
      {"sfx/bounce.wav", Bounce},
      {"sfx/bounce_f.wav", BounceBarrier},
      {"sfx/bounce_ball.wav", BounceBall},
      {"sfx/explode.wav", BrickExplode},
      {"sfx/PrSelect.wav", Select},
      {"sfx/zap.wav", Zap},
      {"sfx/bouclier.wav", Shield},
      {"sfx/laser3.wav", Laser},
      {"sfx/missile_loading.wav", MissileLoading},
      {"sfx/missile_launch.wav", MissileLaunch},
      {"sfx/ball_launch.wav", BallLaunch},
      {"sfx/onfire.wav", OnFire},
      {"sfx/Explosion.wav", BigExplosion},
      {"sfx/m2fire.wav", ChaingunShot},
      {"sfx/HAPPYBEL.WAV", HappyBell},
      {"sfx/SOUND827.WAV", Door}};
  const auto found = effects.find(fileName);
  if (found == effects.end()) return false;
  out = found->second();
  return true;
}

bool MakeSound(const std::string& fileName, std::vector<uint8_t>& encoded) {
  if (fileName == "sfx/kolt3.ogg") {
    Samples left, right;
    RenderMusic(left, right);
    encoded = EncodeVorbis(left, right, musicRate, 0.4f, 0x4B414C44);
    return !encoded.empty();
  }
  if (fileName == "GFX\\Credits\\creditskaldovirent.ogg") {
    Samples left, right;
    RenderCreditsMusic(left, right);
    encoded = EncodeVorbis(left, right, musicRate, 0.4f, 0x4B414C43, "Kaldovirent credits");
    return !encoded.empty();
  }
  if (fileName == "MiniGames/Tetris/koltl01a.ogg") {
    Samples left, right;
    RenderTetrisMusic(left, right);
    encoded = EncodeVorbis(left, right, musicRate, 0.4f, 0x4B544554, "Kaldovirent falling blocks");
    return !encoded.empty();
  }
  Samples mono;
  if (!RenderEffect(fileName, mono) && !RenderMenuEffect(fileName, mono)) return false;
  encoded = EncodeWav(mono, effectRate);
  return true;
}
