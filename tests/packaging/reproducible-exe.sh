#!/bin/sh
# marovel-config.exe builds to the same bytes from another source folder, into another build
# folder, at another time: built once from this tree and once from a copy of it elsewhere, each
# compiled afresh (no compiler cache), the two files must be equal.
# usage: reproducible-exe.sh <cmake> <source tree> <toolchain file> <build type> <scratch folder>
set -eu
. "$(dirname "$0")/checks.sh"
need_tools git x86_64-w64-mingw32-g++-posix
cmake=$1 source=$2 toolchain=$3 type=$4 work=$5
rm -rf "$work"
copy="$work/elsewhere/marovel-configuration-manager"
mkdir -p "$copy"
git -C "$source" ls-files -z --cached --others --exclude-standard | (cd "$source" && xargs -0 cp --parents -t "$copy")
unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER
CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
export CMAKE_BUILD_PARALLEL_LEVEL
build() {  # build SOURCE BUILD
  { "$cmake" -S "$1" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE="$type" &&
    "$cmake" --build "$2" --target marovel-config; } >"$work/build.log" 2>&1 ||
    { tail -n 40 "$work/build.log" >&2; echo "the build in $2 failed" >&2; exit 1; }
}
build "$source" "$work/a"
build "$copy" "$work/b/build-folder"
first="$work/a/src/win32_ui/marovel-config.exe" second="$work/b/build-folder/src/win32_ui/marovel-config.exe"
if ! cmp "$first" "$second"; then
  if command -v diffoscope >/dev/null 2>&1; then
    diffoscope --text - "$first" "$second" | head -n 100 >&2 || true
  fi
  fail "marovel-config.exe differs between the two builds"
fi
exit $status
