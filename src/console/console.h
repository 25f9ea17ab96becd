#pragma once
// Prepares the hidden console at every new game and after the screen was rebuilt.
void SetUpConsole();
