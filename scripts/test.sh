#!/usr/bin/env bash
# Sets everything up and runs every test: first the ordinary build in build/, then the whole
# suite again built with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/, where
# any memory error, undefined behaviour or leak fails the test that caused it.
#
# TTS_SKIP_SANITIZED=1 runs the ordinary build only; TTS_SANITIZED_CTEST_ARGS passes more
# arguments to the sanitized run's ctest (for instance "-E Sigkill" to leave out the kill tests,
# the longest ones).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# A failure here does not stop the later runs: every verdict is wanted in one go.
status=0
# Formatting first: it takes a second and says at once what a review would.
scripts/check-format.sh || status=1
ctest --test-dir build --output-on-failure -j"$(nproc)" || status=1

if [ "${TTS_SKIP_SANITIZED:-0}" != 1 ]; then

echo "== Sanitized build (AddressSanitizer, UndefinedBehaviorSanitizer) in build-asan"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTTS_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"

# Stop at the first error, report leaks, and keep third-party leaks (Qt, fontconfig) out
# through the suppressions file; our own frames are never suppressed.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
# shellcheck disable=SC2086
ctest --test-dir build-asan --output-on-failure -j"$(nproc)" ${TTS_SANITIZED_CTEST_ARGS:-} || status=1
fi

# The Windows build, cross-compiled and tested under Wine; TTS_SKIP_WINDOWS=1 leaves it out.
if [ "${TTS_SKIP_WINDOWS:-0}" != 1 ]; then
  echo "== Windows build (mingw-w64, tests under Wine) in build-windows"
  scripts/windows.sh || status=1
fi
exit $status
