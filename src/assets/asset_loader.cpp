#include "assets/asset_loader.h"

void LoadAssets() {}
void ClearLevelResources() {}
