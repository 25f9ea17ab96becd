#pragma once
// The level's bricks from its level file, and the letters placed on them.
void LoadLevel();
void PlaceLetters();
void BuildTeleportList();
void SlideInBricks();
// Once per frame: the brick motion and drawing.
void StepBricks();
// Sets levelComplete when no breakable brick is left.
void CheckLevelCleared();
