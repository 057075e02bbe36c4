#!/usr/bin/env bash
# Fails when a C++ file differs from the project's .clang-format; fix with
#   git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
