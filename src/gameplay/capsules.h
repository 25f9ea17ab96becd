#pragma once
// Falling bonus capsules: move, draw, catch.
void StepCapsules();
