// SPDX-License-Identifier: GPL-3.0-or-later
// The glow effects of the black levels (3 to 6, 8 to 14) and the heart of level 101: each a
// set of particles with a motion of its own, all drawn as Sprite3D quads.
#include <cmath>

#include "assets/objects.h"
#include "levels/scenery_effects.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr float width = playWidth;
constexpr float height = playHeight;
constexpr float centreX = width / 2;
constexpr float centreY = height / 2.6f;  // above the ship's lane, where the bricks mostly are

float RandomFloat(int maximum) { return static_cast<float>(Random(maximum)); }
float Time() { return static_cast<float>(game.frameCounter); }

void SetBlendAdd() { Sprite3DBlendingMode(blendAlphaWeightedSum); }

// Level 3: one large rainbow glow, sized from its picture, turning and breathing, with six
// small ones circling it.
constexpr int rainbowSatellites = 6;
void DrawRainbowGlow() {
  SetBlendAdd();
  const float t = Time();
  const int quad = obj::effectQuad;
  const float base = static_cast<float>(SpriteWidth(quad));
  RotateSprite3D(quad, Nearest(t * 0.4f), 0);
  DrawCentredQuad(quad, centreX, centreY, Nearest(base * (2.6f + 0.3f * std::sin(t / 60))), 150);
  for (int i = 0; i < rainbowSatellites; ++i) {
    const float a = t / 90 + i * 2 * pi / rainbowSatellites;
    RotateSprite3D(quad, Nearest(-t - i * 60), 0);
    DrawCentredQuad(quad, centreX + 230 * std::cos(a), centreY + 150 * std::sin(a),
                    Nearest(base * 0.7f), 120);
  }
}

// Level 4: bars turning about the centre like the spokes of a wheel, each at its own pace.
constexpr int barCount = 8;
void SetUpBars() {
  for (int i = 0; i < barCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.growth = static_cast<float>(i * 180 / barCount);
    p.vx = 0.15f + 0.05f * i;
    p.alpha = 70 + Random(60);
  }
}
void DrawBars() {
  SetBlendAdd();
  const int quad = obj::effectQuad;
  for (int i = 0; i < barCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.growth += (i % 2 ? -p.vx : p.vx);
    RotateSprite3D(quad, Nearest(p.growth), 0);
    ZoomSprite3D(quad, 900, 40 + 8 * (i % 3));
    DrawSceneryQuad(quad, Nearest(playLeft + centreX - 450), Nearest(playTop + centreY - 20),
                    p.alpha);
  }
}

// Level 5: engraved plates drifting slowly, each turning and showing through with little alpha.
constexpr int plateCount = 14;
void SetUpPlates() {
  for (int i = 0; i < plateCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.x = RandomFloat(playWidth);
    p.y = RandomFloat(playHeight);
    p.vx = (Random(100) - 50) / 200.0f;
    p.vy = (Random(100) - 50) / 200.0f;
    p.growth = RandomFloat(360);
    p.z = 96 + RandomFloat(96);
    p.sprite = obj::plateQuad + i % 4;
    p.alpha = 60 + Random(70);
  }
}
void DrawPlates() {
  Sprite3DBlendingMode(blendTransparent);
  for (int i = 0; i < plateCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.x = std::fmod(p.x + p.vx + width + 200, width + 200) - 100;
    p.y = std::fmod(p.y + p.vy + height + 200, height + 200) - 100;
    p.growth += (i % 2 ? 0.3f : -0.3f);
    RotateSprite3D(p.sprite, Nearest(p.growth), 0);
    DrawCentredQuad(p.sprite, p.x, p.y, Nearest(p.z), p.alpha);
  }
}

// Level 6: lens streaks standing about the field, turning slowly and flaring in turn.
constexpr int streakCount = 10;
void SetUpStreaks() {
  for (int i = 0; i < streakCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.x = 60 + RandomFloat(playWidth - 120);
    p.y = 60 + RandomFloat(playHeight - 240);
    p.growth = RandomFloat(180);
    p.vx = (Random(40) - 20) / 100.0f;
    p.frame = Random(600);
  }
}
void DrawStreaks() {
  SetBlendAdd();
  const int quad = obj::cloudQuad;
  for (int i = 0; i < streakCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.growth += p.vx;
    ++p.frame;
    const float flare = 0.5f + 0.5f * std::sin(p.frame / 70.0f);
    RotateSprite3D(quad, Nearest(p.growth), 0);
    ZoomSprite3D(quad, Nearest(300 + 260 * flare), Nearest(24 + 24 * flare));
    DrawSceneryQuad(quad, Nearest(playLeft + p.x - Sprite3DWidth(quad) / 2.0f),
                    Nearest(playTop + p.y - Sprite3DHeight(quad) / 2.0f), Nearest(60 + 150 * flare));
  }
}

// Level 8: one red glow that swells and shrinks with a slow heartbeat, and embers rising.
constexpr int emberCount = 24;
void SetUpEmbers() {
  for (int i = 0; i < emberCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.x = RandomFloat(playWidth);
    p.y = RandomFloat(playHeight);
    p.vy = -(0.3f + Random(100) / 80.0f);
    p.z = 16 + RandomFloat(40);
  }
}
void DrawZoomedGlow() {
  SetBlendAdd();
  const float t = Time();
  const float beat = std::pow(std::fabs(std::sin(t / 80)), 6.0f);
  DrawCentredQuad(obj::glowQuad, centreX, centreY, Nearest(420 + 260 * beat), 160);
  for (int i = 0; i < emberCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.y += p.vy;
    p.x += 0.4f * std::sin((p.y + i * 40) / 60);
    if (p.y < -40) {
      p.y = height + 40;
      p.x = RandomFloat(playWidth);
    }
    DrawCentredQuad(obj::glowQuad, p.x, p.y, Nearest(p.z), 200);
  }
}

// Level 9: branches turning on a slow spiral out of the centre, growing as they leave it.
constexpr int branchCount = 36;
void SetUpBranches() {
  for (int i = 0; i < branchCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.z = static_cast<float>(i) / branchCount;  // how far along its way out, 0 to 1
    p.growth = RandomFloat(360);
  }
}
void DrawBranches() {
  SetBlendAdd();
  const int quad = obj::effectQuad;
  for (int i = 0; i < branchCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.z += 0.0025f;
    if (p.z >= 1) p.z -= 1;
    p.growth += 2;
    const float angle = p.z * 4 * pi + i * 2.4f;
    const float r = p.z * 520;
    RotateSprite3D(quad, Nearest(p.growth), 0);
    DrawCentredQuad(quad, centreX + r * std::cos(angle), centreY + r * std::sin(angle) * 0.8f,
                    Nearest(48 + 140 * p.z), Nearest(230 * std::sin(p.z * pi)));
  }
}

// Level 10: a ring of rainbow glows turning about the centre, each turning on itself too.
constexpr int ringCount = 16;
void DrawGlowRing() {
  SetBlendAdd();
  const float t = Time();
  const int quad = obj::effectQuad;
  for (int i = 0; i < ringCount; ++i) {
    const float a = t / 150 + i * 2 * pi / ringCount;
    const float r = 250 + 40 * std::sin(t / 50 + i);
    RotateSprite3D(quad, Nearest(t * 2 + i * 22), 0);
    DrawCentredQuad(quad, centreX + r * std::cos(a), centreY + r * 0.9f * std::sin(a), 110, 150);
  }
}

// Level 11: stars standing still and twinkling, each on its own beat.
constexpr int twinkleCount = 40;
void SetUpTwinkles() {
  for (int i = 0; i < twinkleCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.x = RandomFloat(playWidth);
    p.y = RandomFloat(playHeight);
    p.frame = Random(1000);
    p.vx = 0.02f + Random(100) / 2000.0f;
    p.growth = RandomFloat(360);
  }
}
void DrawTwinkles() {
  SetBlendAdd();
  const int quad = obj::effectQuad;
  for (int i = 0; i < twinkleCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    ++p.frame;
    const float s = 0.5f + 0.5f * std::sin(p.frame * p.vx);
    RotateSprite3D(quad, Nearest(p.growth + p.frame * 0.5f), 0);
    DrawCentredQuad(quad, p.x, p.y, Nearest(16 + 80 * s * s), Nearest(80 + 160 * s));
  }
}

// Level 12: a star field rushing out of the centre, the stars growing as they come near.
constexpr int warpCount = 48;
void SetUpWarp() {
  for (int i = 0; i < warpCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    const float a = RandomFloat(3600) / 10 * pi / 180;
    p.vx = std::cos(a);
    p.vy = std::sin(a);
    p.z = 1 + RandomFloat(100);  // distance: stars start far and come nearer
  }
}
void DrawWarp() {
  SetBlendAdd();
  const int quad = obj::effectQuad;
  for (int i = 0; i < warpCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.z -= 0.4f;
    if (p.z <= 1) p.z = 100;
    const float r = 4000 / (p.z + 8);
    const float x = centreX + p.vx * r * 1.4f;
    const float y = centreY + p.vy * r;
    RotateSprite3D(quad, Nearest(Time() + i * 30), 0);
    DrawCentredQuad(quad, x, y, Nearest(8 + 900 / (p.z + 6)), Nearest(255 - p.z * 2));
  }
}

// Level 13: glows scattered about, each fading towards a new brightness chosen at random.
constexpr int flickerCount = 32;
void SetUpFlicker() {
  for (int i = 0; i < flickerCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.x = RandomFloat(playWidth);
    p.y = RandomFloat(playHeight);
    p.z = 40 + RandomFloat(140);
    p.growth = RandomFloat(255);  // the brightness it fades towards
    p.alpha = Random(255);
  }
}
void DrawFlicker() {
  SetBlendAdd();
  for (int i = 0; i < flickerCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    if (Random(40) == 0) p.growth = RandomFloat(255);
    p.alpha += (p.growth > p.alpha) ? 3 : -3;
    if (p.alpha < 0) p.alpha = 0;
    if (p.alpha > 255) p.alpha = 255;
    DrawCentredQuad(obj::effectQuad, p.x, p.y, Nearest(p.z), p.alpha);
  }
}

// Level 14: a red swarm and a blue swarm weaving round each other on figure-of-eight paths.
constexpr int swarmCount = 20;
void DrawSwarms() {
  SetBlendAdd();
  const float t = Time();
  for (int i = 0; i < swarmCount * 2; ++i) {
    const bool blue = i >= swarmCount;
    const int k = i % swarmCount;
    const float phase = t / 120 - k * 0.09f + (blue ? pi : 0);
    const float x = centreX + 280 * std::sin(phase);
    const float y = centreY + 160 * std::sin(2 * phase);
    const int size = 40 + 4 * (swarmCount - k);
    DrawCentredQuad(blue ? obj::blueGlowQuad : obj::glowQuad, x, y, size, 220 - k * 9);
  }
}

// Level 101: 64 glows on the heart curve y = 0.75 |x|^(2/3) +- root(1 - x squared), both
// halves, beating. t never leaves -1 to 1, so the root is never taken of a negative number.
constexpr int heartPoints = 32;  // on each half
constexpr float heartScale = 250;
void SetUpHeart() {
  for (int i = 0; i < heartPoints; ++i) {
    // Denser towards the ends, where the curve runs upright, so the glows lie evenly.
    const float t = -std::cos(pi * (i + 0.5f) / heartPoints);
    const float root = std::sqrt(std::fmax(0.0f, 1 - t * t));
    const float lift = 0.75f * std::cbrt(t * t);
    for (int half = 0; half < 2; ++half) {
      BackgroundParticle& p = Particles()[i * 2 + half];
      p.x = t;
      p.y = half == 0 ? lift + root : lift - root;  // upwards positive, as on paper
      p.frame = i;
    }
  }
}
void DrawHeart() {
  SetBlendAdd();
  const int beatFrame = game.frameCounter % 75;
  const float beat = beatFrame < 20 ? std::sin(beatFrame * pi / 20) : 0;
  const float scale = heartScale * (1 + 0.06f * beat);
  for (int i = 0; i < heartPoints * 2; ++i) {
    BackgroundParticle& p = Particles()[i];
    const float x = centreX + p.x * scale;
    const float y = height * 0.55f - p.y * scale;
    const float shimmer = 0.5f + 0.5f * std::sin((game.frameCounter + p.frame * 8) / 12.0f);
    DrawCentredQuad(obj::glowQuad, x, y, Nearest(52 + 30 * beat + 12 * shimmer), 200);
  }
}

}  // namespace

void SetUpFlares(int level) {
  switch (level) {
    case 4: SetUpBars(); break;
    case 5: SetUpPlates(); break;
    case 6: SetUpStreaks(); break;
    case 8: SetUpEmbers(); break;
    case 9: SetUpBranches(); break;
    case 11: SetUpTwinkles(); break;
    case 12: SetUpWarp(); break;
    case 13: SetUpFlicker(); break;
    case 101: SetUpHeart(); break;
    default: break;  // levels 3, 10 and 14 move by the clock alone
  }
}

void DrawFlares(int level) {
  switch (level) {
    case 3: DrawRainbowGlow(); break;
    case 4: DrawBars(); break;
    case 5: DrawPlates(); break;
    case 6: DrawStreaks(); break;
    case 8: DrawZoomedGlow(); break;
    case 9: DrawBranches(); break;
    case 10: DrawGlowRing(); break;
    case 11: DrawTwinkles(); break;
    case 12: DrawWarp(); break;
    case 13: DrawFlicker(); break;
    case 14: DrawSwarms(); break;
    case 101: DrawHeart(); break;
    default: break;  // a level without scenery of its own: the black background alone
  }
}
