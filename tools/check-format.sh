#!/bin/sh
# Checks that every C++ source and header under version control is formatted as .clang-format
# says; prints each place that differs and exits with 1 if there is any. Changes nothing.
# To format a file: clang-format -i FILE
set -eu
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null 2>&1; then
  echo "check-format.sh: clang-format is not installed (Debian package clang-format)" >&2
  exit 2
fi
if ! git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run -Werror --style=file; then
  echo "check-format.sh: the files above are not formatted" >&2
  exit 1
fi
echo "check-format.sh: all C++ files are formatted"
