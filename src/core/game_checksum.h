// SPDX-License-Identifier: GPL-3.0-or-later
// A fingerprint of the game record: two runs that played the same game end with the same number,
// and almost any difference in play (a ball a fraction of a pixel off, one brick more) changes it.
#pragma once

#include <cstdint>

uint32_t GameChecksum();
