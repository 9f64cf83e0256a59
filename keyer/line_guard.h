#pragma once
// Keeps the transmitter from staying keyed when the program ends in a way
// that never closes the keying port: a termination signal, exit() called from
// anywhere (the toolkit calls it when the display goes away), a crash.
//
// The open keying port registers its descriptor; each of those endings lowers
// the line with one system call on it, which a signal handler may make, and
// from then on the keyer raises no line again.
namespace vl::keyer {

// Lowers the keying line of a descriptor; must be async-signal-safe.
using LineRelease = void (*)(int descriptor);

// The line to lower: one at a time, the open keying port's.
void guardLine(int descriptor, LineRelease release);
// Forgets the descriptor (before it is closed); another one stays guarded.
void unguardLine(int descriptor);

// Lowers the guarded line and keeps every line unkeyed from now on.
// Async-signal-safe.
void releaseLineForGood();
bool lineReleasedForGood();

// Installs the handlers, once. exit() and SIGSEGV, SIGABRT and SIGBUS lower
// the line before the process ends (the signal is then raised again with the
// handling it had before). SIGTERM, SIGINT, SIGHUP and SIGQUIT, unless they
// were ignored, lower the line and write one byte to the descriptor returned
// here, which the program watches to end as Exit does; a second such signal
// ends the process at once. -1 when no descriptor could be made: the
// termination signals then keep their own handling.
int installLineGuard();

}  // namespace vl::keyer
