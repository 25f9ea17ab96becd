#include "console/console.h"

void SetUpConsole() {}
