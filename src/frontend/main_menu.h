#pragma once
// The animated main menu; returns when the player starts a game (false: the player quit).
bool RunMainMenu();
