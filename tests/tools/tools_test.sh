#!/usr/bin/env bash
# Runs tools/install-deps, tools/windows-test-machine, tools/run and tools/mingw-libraries in
# scratch roots whose PATH
# starts with stand-ins: apt-get (its update can fail to read one list, its install can fail for
# one package), dpkg and dpkg-query over a list of installed packages, the compilers, Wine and
# the build. Each row checks the exit code and every line printed.
# Usage: tools_test.sh SOURCE_DIR SCRATCH
set -euo pipefail
source_dir=$1 scratch=$2
passed=0 failed=0
# A run of tools/test asked for the x86-64 Windows tests must not ask it of every row: a row that
# wants it sets it itself.
unset STAMP_WINDOWS_TESTS

# The stand-ins read these: FAKE_UPDATE=one-list-fails, FAKE_BROKEN=PACKAGE, FAKE_M32=fails,
# FAKE_WINE_EXIT=CODE; state in $FAKE_STATE (installed packages, architectures, apt's calls).
write_stand_ins() {
  local bin=$1
  mkdir -p "$bin"
  cat >"$bin/apt-get" <<'STAND_IN'
#!/usr/bin/env bash
echo "$*" >>"$FAKE_STATE/apt-calls"
packages=()
for arg; do case $arg in update | install) command=$arg ;; -* | DPkg::*) ;; *) packages+=("$arg") ;; esac; done
if [ "$command" = update ]; then
  echo "Get:1 http://archive.example/debian bookworm InRelease [151 kB]"
  [ "${FAKE_UPDATE:-}" = one-list-fails ] || exit 0
  echo "Err:6 http://archive.example/debian-security bookworm-security/main i386 Packages"
  echo "  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 198.51.100.7 80]"
  echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
  exit 100
fi
for package in "${packages[@]}"; do
  if [ "$package" = "${FAKE_BROKEN:-}" ]; then
    echo "The following packages have unmet dependencies:"
    echo " $package : Depends: libneeded1 (>= 1.0) but it is not going to be installed"
    echo "E: Unable to correct problems, you have held broken packages."
    exit 100
  fi
done
printf '%s\n' "${packages[@]}" >>"$FAKE_STATE/installed"
echo "Setting up ${packages[*]} ..."
STAND_IN
  cat >"$bin/dpkg-query" <<'STAND_IN'
#!/usr/bin/env bash
grep -qx -- "${!#}" "$FAKE_STATE/installed" 2>/dev/null || exit 1
echo "install ok installed"
STAND_IN
  cat >"$bin/dpkg" <<'STAND_IN'
#!/usr/bin/env bash
case $1 in
  --print-foreign-architectures) cat "$FAKE_STATE/architectures" 2>/dev/null || true ;;
  --add-architecture) echo "$2" >>"$FAKE_STATE/architectures" ;;
esac
STAND_IN
  # A compiler whose program starts, or, with FAKE_M32=fails, one no kernel can start.
  cat >"$bin/cc" <<'STAND_IN'
#!/usr/bin/env bash
while (($#)); do [ "$1" = -o ] && out=$2; shift; done
if [ "${FAKE_M32:-}" = fails ]; then printf '\177ELF junk' >"$out"; else printf '#!/bin/sh\n' >"$out"; fi
chmod +x "$out"
STAND_IN
  cp "$bin/cc" "$bin/i686-w64-mingw32-gcc-posix"
  # The build tools/run asks for: a host whose demo prints its lines and that has no window.
  cat >"$bin/cmake" <<'STAND_IN'
#!/usr/bin/env bash
[ "$1" = --build ] || exit 0
mkdir -p "$2/bin"
printf '#!/bin/sh\n[ "$1" = demo ] && echo "demo: the scene"\n[ "$1" = demo ]\n' >"$2/bin/stamp-host"
chmod +x "$2/bin/stamp-host"
STAND_IN
  printf '#!/bin/sh\nexec "$@"\n' >"$bin/sudo"
  chmod +x "$bin"/*
}

# A scratch root holding the tools, with wine-run standing in for Wine.
make_root() {
  local root=$1
  rm -rf "$root"
  mkdir -p "$root/tools" "$root/state"
  cp "$source_dir/tools/install-deps" "$source_dir/tools/windows-test-machine" \
    "$source_dir/tools/run" "$source_dir/tools/mingw-libraries" "$source_dir/tools/debian-archive" \
    "$root/tools/"
  printf '#!/bin/sh\nexit ${FAKE_WINE_EXIT:-0}\n' >"$root/tools/wine-run"
  chmod +x "$root/tools/wine-run"
  write_stand_ins "$root/bin"
}

# check NAME ENVIRONMENT INSTALLED EXPECTED_CODE EXPECTED_OUTPUT COMMAND...: runs COMMAND in a new
# root with ENVIRONMENT (words NAME=VALUE) and the packages INSTALLED already there, and compares
# its exit code and its output (standard output, then standard error), ROOT standing for the root.
check() {
  local name=$1 environment=$2 installed=$3 code=$4 expected=$5
  shift 5
  local root="$scratch/$name" status=0 output
  make_root "$root"
  printf '%s\n' $installed >"$root/state/installed"
  # shellcheck disable=SC2086  # the environment is words
  output=$(cd "$root" && env PATH="$root/bin:$PATH" FAKE_STATE="$root/state" $environment \
    bash -c '"$@" 2>"'"$root"'/stderr"' check "$@") || status=$?
  output+=$'\n'$(cat "$root/stderr")
  expected=${expected//ROOT/$root}
  if [ "$status" = "$code" ] && [ "$output" = "$expected" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name: exit $status (expected $code); printed:"
    echo "$output"
    echo "--- expected:"
    echo "$expected"
  fi
}

build_set="cmake ninja-build g++ libpng-dev"
log="(log: ROOT/build/install-deps.log)"
vehicle="windows-test-machine: the Windows tests run on the x86-64 build under 64-bit Wine:"

check install-works "" "" 0 "install-deps: build: installing $build_set ... done
" tools/install-deps build
check install-already-there "" "$build_set" 0 "install-deps: build: installed
" tools/install-deps build
check update-misses-a-list FAKE_UPDATE=one-list-fails "" 0 \
  "install-deps: build: installing $build_set ... done
install-deps: warning: apt-get update could not read bookworm-security/main i386 (File has unexpected size (374820 != 376004). Mirror sync in progress?); going on with the lists it has $log" \
  tools/install-deps build
check install-fails FAKE_BROKEN=libpng-dev "" 1 "install-deps: build: installing $build_set ... failed
install-deps: build: apt-get could not install it: libpng-dev : Depends: libneeded1 (>= 1.0) but it is not going to be installed $log" \
  tools/install-deps build

wine_set="wine wine32:i386 fonts-wine xvfb xauth"
check wine-asked-for-x86-64 STAMP_WINDOWS_TESTS=x86_64 "" 0 "x86_64
$vehicle STAMP_WINDOWS_TESTS=x86_64 asks for it" tools/windows-test-machine prefix
check wine-no-32-bit-kernel FAKE_M32=fails "" 0 "x86_64
$vehicle this kernel cannot start 32-bit programs" tools/windows-test-machine prefix
check wine-cannot-install "FAKE_UPDATE=one-list-fails FAKE_BROKEN=wine32:i386" "" 0 "x86_64
$vehicle 32-bit Wine cannot be installed: apt-get could not install it: wine32:i386 : Depends: libneeded1 (>= 1.0) but it is not going to be installed $log" \
  tools/windows-test-machine prefix
check wine-does-not-start FAKE_WINE_EXIT=77 "$wine_set" 0 "x86_64
$vehicle 32-bit Wine is installed but does not start a program" tools/windows-test-machine prefix
check wine-32-bit-runs "" "$wine_set" 0 "i686
" tools/windows-test-machine prefix

check run-without-window FAKE_BROKEN=qt6-base-dev "$build_set" 0 "install-deps: build: installed
run: the window's packages could not be installed (apt-get could not install it: qt6-base-dev : Depends: libneeded1 (>= 1.0) but it is not going to be installed $log); the demo is drawn without the window
run: configuring ROOT/build/demo (host, window, plug-in and platform; log: ROOT/build/demo/build.log)
run: building stamp-host, kvo_stamp.plg and libstamp_platform.so
run: stamp-host demo
demo: the scene
run: the window was not built (Qt 6 or libzip missing; tools/install-deps window installs them)
" tools/run

# The archive's source index cannot be read: one line, and the Windows build goes on without
# drawings.
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
archive=$("$source_dir/tools/debian-archive" "$suite" | head -n 1)
check mingw-libraries-unreachable FAKE_UPDATE=one-list-fails \
  "$build_set dpkg-dev g++-mingw-w64-x86-64-posix" 1 "
mingw-libraries: x86_64: cannot read the source index of $archive $suite (log: ROOT/build/mingw-libraries/x86_64.log); the Windows build goes on without drawings" \
  tools/mingw-libraries x86_64

echo "tools: $passed passed, $failed failed"
((failed == 0))
