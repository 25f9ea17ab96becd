// SPDX-License-Identifier: GPL-3.0-or-later
// Why a platform call failed, on stderr: the media layer's files that meet no SDL type use it
// too (sound, files).
#pragma once

#include <string>

namespace media {

// Where a platform call fails, the reason goes to stderr before the operation returns false:
// what was tried, then the platform's or the codec's own words. The game's alert says the rest.
void ReportFailure(const std::string& attempt, const std::string& reason);

}  // namespace media
