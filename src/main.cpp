#include "shell/game.h"

int main() { return RunGame(); }
