// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into the rendering tests alone: Mesa and SDL report their own allocations at exit as
// leaks, so leak detection is off here and stays on for every test that does not render.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
