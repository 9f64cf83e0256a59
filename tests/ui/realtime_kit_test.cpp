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
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "keyer/keyer.h"
#include "keyer/keying_thread.h"
#include "keyer/recording_key_line.h"
#include "keyer/steady_clock.h"
#include "ui/realtime_kit.h"

namespace vl::keyer {
namespace {

struct Keyed {
    std::string priority;  // priorityText()
    int broker = -1;       // RealTimeOutcome::Broker
    std::string why;
    int policy = -1;       // sched_getscheduler() on the keying thread, as it keyed
    int policyAfterOverrun = -1;  // and after it then ran 300 ms without sleeping
    int settings = 0;      // line settings keyed
    bool failed = true;
};

// In a child process, as user nobody when run as root (with no `rtprio`
// limit, so SCHED_FIFO is refused directly): keys "EE" on a keying thread that
// asks RealtimeKit on the system bus at `busAddress`. Then the keying thread
// runs past RLIMIT_RTTIME's soft limit: the process must live on.
Keyed keyAsOrdinaryUser(const std::string& busAddress) {
    int channel[2];
    if (pipe(channel) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
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
        std::atomic<int> policy{-1}, policyAfterOverrun{-1};
        int failed = 1;
        std::string priority, why;
        int broker = -1;
        {
            KeyingThread keying(keyer, [&] {
                if (policy >= 0) return;
                policy = sched_getscheduler(0) & ~SCHED_RESET_ON_FORK;
                const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
                while (std::chrono::steady_clock::now() < end) {
                }
                policyAfterOverrun = sched_getscheduler(0) & ~SCHED_RESET_ON_FORK;
            });
            const RealTimeOutcome outcome = keying.priority();
            priority = priorityText(outcome.priority);
            broker = static_cast<int>(outcome.broker);
            why = outcome.why;
            if (const auto ticket = keying.start("EE")) {
                while (!keying.finished(*ticket)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
                failed = keying.collect(*ticket).error.has_value();
            }
        }
        const std::string report = priority + "\n" + std::to_string(broker) + "\n" + std::to_string(policy.load()) +
                                   "\n" + std::to_string(policyAfterOverrun.load()) + "\n" + std::to_string(line.settings().size()) + "\n" +
                                   std::to_string(failed) + "\n" + why + "\n";
        if (write(channel[1], report.data(), report.size()) < 0) _exit(3);
        _exit(0);
    }
    close(channel[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    Keyed keyed;
    std::istringstream in(report);
    std::string failed;
    std::getline(in, keyed.priority);
    in >> keyed.broker >> keyed.policy >> keyed.policyAfterOverrun >> keyed.settings >> failed;
    in.ignore(1);
    std::getline(in, keyed.why);
    keyed.failed = failed != "0";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    return keyed;
}

TEST(RealtimeKitTest, OrdinaryUserGetsRealTimeFromRealtimeKit) {
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
    EXPECT_EQ(keyed.priority, "real-time (RealtimeKit)") << keyed.why;
    EXPECT_EQ(keyed.broker, static_cast<int>(RealTimeOutcome::Broker::Granted));
    EXPECT_EQ(keyed.policy, SCHED_FIFO);
    EXPECT_EQ(keyed.policyAfterOverrun, SCHED_OTHER);
    EXPECT_EQ(keyed.settings, 4);
    EXPECT_FALSE(keyed.failed);
}

TEST(RealtimeKitTest, WithoutTheServiceKeyingGoesOnAtNormalPriority) {
    QTemporaryDir dir;
    const Keyed keyed = keyAsOrdinaryUser("unix:path=" + dir.path().toStdString() + "/no_bus");
    EXPECT_EQ(keyed.priority, "normal priority: timing may slip under load \u2014 see README");
    EXPECT_EQ(keyed.broker, static_cast<int>(RealTimeOutcome::Broker::NotAvailable));
    EXPECT_NE(keyed.why, "");
    EXPECT_EQ(keyed.policy, SCHED_OTHER);
    EXPECT_EQ(keyed.policyAfterOverrun, SCHED_OTHER);
    EXPECT_EQ(keyed.settings, 4);
    EXPECT_FALSE(keyed.failed);
}

}  // namespace
}  // namespace vl::keyer
