// SPDX-License-Identifier: GPL-3.0-or-later
// Why a platform call failed, on stderr: kept apart from the services' start-up so that the
// readers of outside data, built alone for fuzzing, report through it too.
#include "media/media_report.h"

#include <cstdio>

namespace media {

void ReportFailure(const std::string& attempt, const std::string& reason) {
  std::fprintf(stderr, "%s: %s\n", attempt.c_str(), reason.empty() ? "no reason given" : reason.c_str());
}

}  // namespace media
