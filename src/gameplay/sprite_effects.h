#pragma once
#include <string>
// A word in gold glyphs that holds for delay frames, then splits and fades.
void ShowMessage(const std::string& text, int delay);
void StepSpriteEffects();
