#pragma once
// Loads the whole main catalogue from its packs, replacing the objects with the same numbers.
void LoadAssets();
// Frees the pictures a level loaded from its own pack.
void ClearLevelResources();
