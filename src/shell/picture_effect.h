#pragma once
void StartPictureEffect(int image);
void StepPictureEffect();
