// SPDX-License-Identifier: GPL-3.0-or-later
// A fatal error thrown out of FatalError as an exception, so a test can expect a loading
// problem instead of the process ending (SetFatalHandler(ThrowFatal)).
#pragma once

#include <stdexcept>
#include <string>

struct Fatal : std::runtime_error {
  using std::runtime_error::runtime_error;
};
[[noreturn]] inline void ThrowFatal(const std::string& text) { throw Fatal(text); }
