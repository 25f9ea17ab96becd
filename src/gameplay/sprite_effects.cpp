// SPDX-License-Identifier: GPL-3.0-or-later
#include "gameplay/sprite_effects.h"

#include <cmath>

#include "assets/glyph_tables.h"
#include "core/game_state.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int letterSpacing = 40;
constexpr int messageY = playTop + playHeight / 2 - 19;  // 375
constexpr int messageLifetime = 64;
constexpr float messageAlpha = 255;
constexpr float messageFadeStep = -4;  // 255 down to -1 over the lifetime
constexpr float messageDrift = 1;      // each half moves one pixel a frame, up or down

void Draw(const SpriteEffect& effect) {
  const int quad = Nearest(effect.frame);
  const float left = effect.x - Sprite3DWidth(quad) / 2.0f;
  const float top = effect.y - Sprite3DHeight(quad) / 2.0f;
  DisplaySprite3D(quad, Nearest(left), Nearest(top), Nearest(effect.alpha));
}

}  // namespace

void AddSpriteEffect(float x, float y, float vx, float vy, int sprite, float frameStep, int age,
                     int lifetime, float alpha, float alphaStep, int delay, int hold) {
  List<SpriteEffect>& effects = game.spriteEffects;
  SpriteEffect& effect = effects.Append();
  effect.x = x;
  effect.vx = vx;
  effect.y = y;
  effect.vy = vy;
  effect.frame = static_cast<float>(sprite);
  effect.frameStep = frameStep;
  effect.alpha = alpha;
  effect.alphaStep = alphaStep;
  effect.age = age;
  effect.lifetime = lifetime;
  effect.delay = delay;
  effect.hold = hold;
}

void ShowMessage(const std::string& text, int delay) {
  const int n = static_cast<int>(text.size());
  float x = static_cast<float>(playLeft + playWidth / 2 - ((n - 1) * letterSpacing) / 2);
  for (const char c : text) {
    // A character without a gold glyph names a quad that was never loaded: it leaves a gap.
    const int glyph = goldGlyphBase + static_cast<unsigned char>(c);
    AddSpriteEffect(x, messageY, 0, messageDrift, glyph, 0, 0, messageLifetime, messageAlpha,
                    messageFadeStep, delay, 0);
    AddSpriteEffect(x, messageY, 0, -messageDrift, glyph, 0, 0, messageLifetime, messageAlpha,
                    messageFadeStep, delay, 0);
    x += letterSpacing;
  }
}

void StepSpriteEffects() {
  List<SpriteEffect>& effects = game.spriteEffects;
  effects.Reset();
  while (effects.Next()) {
    SpriteEffect& effect = effects.Current();
    if (effect.age < effect.lifetime) {
      Draw(effect);
      if (effect.delay == 0) {
        effect.frame += effect.frameStep;
        effect.alpha += effect.alphaStep;
        ++effect.age;
        effect.x += effect.vx;
        effect.y += effect.vy;
      } else {
        --effect.delay;
      }
    } else if (effect.hold > 0) {
      Draw(effect);
      --effect.hold;
    } else {
      effects.Delete();
    }
  }
}
