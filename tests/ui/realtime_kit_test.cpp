// The keying thread's priority for an ordinary user: RealtimeKit on a private
// system bus grants it real time; with no service it keys at normal priority.
#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "keyer/keyer.h"
#include "keyer/keying_thread.h"
#include "keyer/recording_key_line.h"
#include "keyer/steady_clock.h"
#include "ui/realtime_kit.h"

namespace vl::keyer {
namespace {

// What the child saw, sent back whole through a pipe.
struct Keyed {
    char priority[96] = {};  // priorityText()
    char why[256] = {};
    int broker = -1;              // RealTimeOutcome::Broker
    int policy = -1;              // sched_getscheduler() on the keying thread, as it keyed
    int policyAfterOverrun = -1;  // and after it then ran 300 ms without sleeping
    int settings = 0;             // line settings keyed
    bool failed = true;
};

// The keying runs in a forked child of a process with threads, which
// ThreadSanitizer cannot follow; the plain and AddressSanitizer runs cover it.
#if defined(__SANITIZE_THREAD__)
constexpr const char* kCannotFork = "a forked child of a threaded process under ThreadSanitizer";
#else
constexpr const char* kCannotFork = nullptr;
#endif

int policyNow() { return sched_getscheduler(0) & ~SCHED_RESET_ON_FORK; }

// In a child process, as user nobody when run as root (with no `rtprio`
// limit, so SCHED_FIFO is refused directly): keys "EE" on a keying thread that
// asks RealtimeKit on the system bus at `busAddress`. Then the keying thread
// runs past RLIMIT_RTTIME's soft limit: the process must live on.
Keyed keyAsOrdinaryUser(const std::string& busAddress) {
    int channel[2];
    if (pipe(channel) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        const rlimit none{0, 0};
        setrlimit(RLIMIT_RTPRIO, &none);
        if (geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            if (!nobody || setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(2);
        }
        setenv("DBUS_SYSTEM_BUS_ADDRESS", busAddress.c_str(), 1);
        setRealTimeBroker(&ui::realtimeKit());
        SteadyClock clock;
        RecordingKeyLine line(clock);
        Keyer keyer;
        keyer.setClock(&clock);
        keyer.setKeyLine(&line);
        keyer.setSpeedWpm(40);
        Keyed keyed;
        {
            KeyingThread keying(keyer, [&keyed] {
                if (keyed.policy >= 0) return;
                keyed.policy = policyNow();
                const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
                while (std::chrono::steady_clock::now() < end) {
                }
                keyed.policyAfterOverrun = policyNow();
            });
            const RealTimeOutcome outcome = keying.priority();
            std::snprintf(keyed.priority, sizeof keyed.priority, "%s", priorityText(outcome.priority).c_str());
            std::snprintf(keyed.why, sizeof keyed.why, "%s", outcome.why.c_str());
            keyed.broker = static_cast<int>(outcome.broker);
            if (const auto ticket = keying.start("EE")) {
                while (!keying.finished(*ticket)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
                keyed.failed = keying.collect(*ticket).error.has_value();
            }
        }
        keyed.settings = static_cast<int>(line.settings().size());
        _exit(write(channel[1], &keyed, sizeof keyed) == sizeof keyed ? 0 : 3);
    }
    close(channel[1]);
    Keyed keyed;
    EXPECT_EQ(read(channel[0], &keyed, sizeof keyed), static_cast<ssize_t>(sizeof keyed));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    return keyed;
}

TEST(RealtimeKitTest, OrdinaryUserGetsRealTimeFromRealtimeKit) {
    if (kCannotFork) GTEST_SKIP() << kCannotFork;
    const bool mustRun = std::getenv("CI") != nullptr;
    if (geteuid() != 0) {
        if (mustRun) FAIL() << "CI runs as root to start RealtimeKit";
        GTEST_SKIP() << "starting a private system bus with polkit and rtkit-daemon needs root";
    }
    QTemporaryDir dir;
    // The daemons and the child, under their own users, reach the socket in it.
    chmod(dir.path().toLocal8Bit().constData(), 0755);
    const std::string folder = dir.path().toStdString() + "/bus";  // removed by stop
    const std::string script = VL_REALTIMEKIT_BUS;
    // SCHED_FIFO rather than RealtimeKit's default SCHED_RR, to see exactly
    // what the keying thread asked for.
    FILE* started = popen(("bash " + script + " start " + folder + " nobody FIFO").c_str(), "r");
    char address[512] = {};
    const bool up = started && std::fgets(address, sizeof address, started) && pclose(started) == 0;
    if (!up) {
        std::system(("bash " + script + " stop " + folder).c_str());
        if (mustRun) FAIL() << "polkitd and rtkit-daemon did not start (scripts/packages/realtimekit.txt)";
        GTEST_SKIP() << "polkitd and rtkit-daemon cannot run here";
    }
    std::string bus = address;
    bus.pop_back();  // the newline

    const Keyed keyed = keyAsOrdinaryUser(bus);
    std::system(("bash " + script + " stop " + folder).c_str());
    EXPECT_STREQ(keyed.priority, "real-time (RealtimeKit)") << keyed.why;
    EXPECT_EQ(keyed.broker, static_cast<int>(RealTimeOutcome::Broker::Granted));
    EXPECT_EQ(keyed.policy, SCHED_FIFO);
    EXPECT_EQ(keyed.policyAfterOverrun, SCHED_OTHER);
    EXPECT_EQ(keyed.settings, 4);
    EXPECT_FALSE(keyed.failed);
}

TEST(RealtimeKitTest, WithoutTheServiceKeyingGoesOnAtNormalPriority) {
    if (kCannotFork) GTEST_SKIP() << kCannotFork;
    QTemporaryDir dir;
    const Keyed keyed = keyAsOrdinaryUser("unix:path=" + dir.path().toStdString() + "/no_bus");
    EXPECT_STREQ(keyed.priority, "normal priority: timing may slip under load \u2014 see README");
    EXPECT_EQ(keyed.broker, static_cast<int>(RealTimeOutcome::Broker::NotAvailable));
    EXPECT_STRNE(keyed.why, "");
    EXPECT_EQ(keyed.policy, SCHED_OTHER);
    EXPECT_EQ(keyed.policyAfterOverrun, SCHED_OTHER);
    EXPECT_EQ(keyed.settings, 4);
    EXPECT_FALSE(keyed.failed);
}

}  // namespace
}  // namespace vl::keyer
