#include "shell/hud.h"

void DrawHud(const std::string&, int, int) {}
void DrawSidePanels() {}
