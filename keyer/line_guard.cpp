#include "keyer/line_guard.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <iterator>

namespace vl::keyer {

namespace {

// Read from signal handlers: lock-free atomics only.
std::atomic<int> guardedDescriptor{-1};
std::atomic<LineRelease> guardedRelease{nullptr};
std::atomic<bool> releasedForGood{false};
std::atomic<bool> endRequested{false};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free &&
              std::atomic<LineRelease>::is_always_lock_free);

int endPipe[2] = {-1, -1};

constexpr int kFatalSignals[] = {SIGSEGV, SIGABRT, SIGBUS};
constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
struct sigaction previousFatal[std::size(kFatalSignals)];

// The handler still runs when the window's thread overflows its stack.
alignas(16) char alternateStack[64 * 1024];

void onExit() { releaseLineForGood(); }

void onFatalSignal(int number) {
    releaseLineForGood();
    for (std::size_t i = 0; i < std::size(kFatalSignals); ++i) {
        if (kFatalSignals[i] == number) sigaction(number, &previousFatal[i], nullptr);
    }
    // Blocked while this handler runs: delivered, with the handling it had
    // before, as soon as it returns.
    raise(number);
}

void onTerminationSignal(int number) {
    const int savedErrno = errno;
    releaseLineForGood();
    if (endRequested.exchange(true)) {
        signal(number, SIG_DFL);
        raise(number);
    } else {
        const unsigned char byte = static_cast<unsigned char>(number);
        [[maybe_unused]] const ssize_t written = write(endPipe[1], &byte, 1);
    }
    errno = savedErrno;
}

void useAlternateStack() {
    stack_t current{};
    if (sigaltstack(nullptr, &current) != 0 || !(current.ss_flags & SS_DISABLE)) return;
    stack_t ours{};
    ours.ss_sp = alternateStack;
    ours.ss_size = sizeof alternateStack;
    sigaltstack(&ours, nullptr);
}

int install() {
    std::atexit(onExit);
    useAlternateStack();
    struct sigaction fatal {};
    fatal.sa_handler = onFatalSignal;
    sigemptyset(&fatal.sa_mask);
    fatal.sa_flags = SA_ONSTACK;
    for (std::size_t i = 0; i < std::size(kFatalSignals); ++i) {
        sigaction(kFatalSignals[i], &fatal, &previousFatal[i]);
    }

    if (pipe2(endPipe, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    struct sigaction termination {};
    termination.sa_handler = onTerminationSignal;
    sigemptyset(&termination.sa_mask);
    for (int number : kTerminationSignals) sigaddset(&termination.sa_mask, number);
    termination.sa_flags = SA_RESTART;
    for (int number : kTerminationSignals) {
        struct sigaction current {};
        if (sigaction(number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
        sigaction(number, &termination, nullptr);
    }
    return endPipe[0];
}

}  // namespace

void guardLine(int descriptor, LineRelease release) {
    guardedRelease.store(release);
    guardedDescriptor.store(descriptor);
}

void unguardLine(int descriptor) {
    int expected = descriptor;
    guardedDescriptor.compare_exchange_strong(expected, -1);
}

void releaseLineForGood() {
    releasedForGood.store(true);
    const int descriptor = guardedDescriptor.load();
    const LineRelease release = guardedRelease.load();
    if (descriptor >= 0 && release) release(descriptor);
}

bool lineReleasedForGood() { return releasedForGood.load(std::memory_order_relaxed); }

int installLineGuard() {
    static const int descriptor = install();
    return descriptor;
}

}  // namespace vl::keyer
