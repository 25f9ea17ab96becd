#pragma once
// The pause check of every frame: 1 when play may go on with the current screen, 0 when the
// screen was closed during a pause and must be rebuilt.
int FocusCheck();
