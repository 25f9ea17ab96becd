#pragma once
#include <string>
void DrawHud(const std::string& teamName, int score, int letterMask);
void DrawSidePanels();
