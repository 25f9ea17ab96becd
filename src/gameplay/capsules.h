#pragma once
// Falling bonus capsules: move, draw, catch.
void StepCapsules();
// A capsule of the given kind (its first picture) starts falling from (x, y).
void AddCapsule(float x, float y, int capsule);
