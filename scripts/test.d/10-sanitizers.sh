#!/usr/bin/env bash
# Runs with --all only.
# The whole test suite again with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/), then the keyer and window test programs in full with
# ThreadSanitizer (build-tsan/). Any report fails the step. Qt is not built
# with the sanitizers; the few reports that come from inside it are suppressed
# one by one, each with its reason, in tests/sanitizers/.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Lets the compiler cache keep files built with a precompiled header.
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
fi
configure() {  # folder, sanitizer flags
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVL_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$2 -fno-omit-frame-pointer" "${launcher[@]}" >/dev/null
}
export QT_QPA_PLATFORM=offscreen

start=$SECONDS
configure build-asan "-fsanitize=address,undefined -fno-sanitize-recover=undefined"
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure --timeout 600 -j"$(nproc)")
echo "AddressSanitizer and UndefinedBehaviorSanitizer: $((SECONDS - start)) s"

start=$SECONDS
configure build-tsan "-fsanitize=thread"
cmake --build build-tsan -j"$(nproc)" --target test_keyer test_ui
# Qt locks its own mutexes (QThreadPool's, say) without the sanitizer seeing
# it, so memory that Qt allocates on one thread and frees on one of its pooled
# threads looked unordered. The frees and copies that Qt's own code makes are
# left out (ignore_noninstrumented_modules); every access of the program's
# code is still checked.
# The window tests start rigctld and a second copy of the program through
# QProcess, whose child shares the parent's memory until it runs the other
# program; the sanitizer's note of that fork then lands in the test process
# itself, and the next thread it starts would end the run (die_after_fork=0).
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1:die_after_fork=0:suppressions=$root/tests/sanitizers/tsan.supp"
for program in tests/test_keyer tests/ui/test_ui; do
  build-tsan/"$program" --gtest_brief=1
done
echo "ThreadSanitizer: $((SECONDS - start)) s"
