// Measures the whole keying path through the real main window, offscreen: the
// keying port is a line that stores the monotonic time of every DTR edge, F1
// holds a message of more than 200 edges, and while it is keyed a timer in
// the window repaints it and types a letter into the callsign box every
// 20 ms. Prints, per speed, how far the edges fall from the ideal schedule,
// how far the message's length is off, and how late a typed letter reached
// its box.
//
// Options: "--quick" keys only the fastest pass, "--wpm N" only that speed; "--no-rt" keeps the keying
// thread at normal priority even where the system would grant real-time;
// "--label TEXT" heads the figures (say, the load the machine was under);
// "--floor SECONDS" measures the machine instead of the program: a bare
// thread with the keying thread's priority and clock waits for deadlines
// one 25 wpm unit apart, so that what the machine alone does to a waiting
// thread can be told from what the program adds.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "bench_support.h"
#include "keyer/comm_port.h"
#include "keyer/morse_table.h"
#include "keyer/real_time.h"
#include "keyer/steady_clock.h"
#include "ui/dialogs.h"
#include "ui/frm_vlwinlog.h"
#include "ui/program_host.h"
#include "ui/realtime_kit.h"

using namespace vl;
using Micros = std::chrono::duration<double, std::micro>;
using SteadyTime = std::chrono::steady_clock::time_point;

namespace {

const std::string kMessage = "PARIS PARIS PARIS PARIS CQ TEST DE N0CALL N0CALL K";

// A keying port that opens on request and stores the time of every DTR edge.
class RecordingPort : public keyer::CommPort {
public:
    struct Edge {
        SteadyTime at;
        bool on;
    };
    RecordingPort() { edges.reserve(4096); }
    std::optional<keyer::KeyError> setCommPort(std::int16_t port) override {
        port_ = port;
        return std::nullopt;
    }
    std::int16_t commPort() const override { return port_; }
    std::optional<keyer::KeyError> setSettings(std::string_view) override { return std::nullopt; }
    std::string settings() const override { return std::string(keyer::kKeyerSettings); }
    std::optional<keyer::KeyError> setPortOpen(bool open) override {
        open_ = open;
        return std::nullopt;
    }
    bool portOpen() const override { return open_; }
    std::optional<keyer::KeyError> setDTREnable(bool on) override {
        if (open_ && edges.size() < edges.capacity()) edges.push_back({std::chrono::steady_clock::now(), on});
        return std::nullopt;
    }
    std::vector<Edge> edges;

private:
    std::int16_t port_ = 1;
    bool open_ = false;
};

class QuietDialogs : public bench::SilentDialogs {
public:
    void message(const QString& text, const QString&, Icon) override {
        std::printf("message: %s\n", text.toLocal8Bit().constData());
    }
};

void writeFile(const QString& folder, const char* name, const std::string& bytes) {
    std::ofstream out((folder + QLatin1Char('/') + QLatin1String(name)).toStdString(), std::ios::binary);
    out << bytes;
}

double percentile(const std::vector<double>& sorted, double p) {
    std::size_t i = static_cast<std::size_t>(std::ceil(p * static_cast<double>(sorted.size()))) - 1;
    return sorted[std::min(i, sorted.size() - 1)];
}

// CPU time the virtual machine's host kept from this machine so far, in ms
// (the "steal" column of /proc/stat); a late edge during a pass with steal
// time was most likely the host's doing, not the program's.
long stolenMillis() {
    std::ifstream in("/proc/stat");
    std::string cpu;
    long fields[8] = {};
    in >> cpu;
    for (long& f : fields) in >> f;
    return in ? fields[7] * 1000 / sysconf(_SC_CLK_TCK) : -1;
}

// What the keying clock saw: a late edge matched by a sleep that woke past
// its deadline calls for a longer spin margin; one matched by a spin that
// ended late was the machine keeping the thread from running.
void printLateness(const keyer::SteadyClock::Lateness& l) {
    std::printf("        clock: sleeps woke past the deadline %ld times (worst %.1f us), "
                "worst spin end %.1f us past the deadline, RTTIME overruns %u\n",
                l.wokePastDeadline, Micros(l.worstWake).count(), Micros(l.worstSpinEnd).count(),
                keyer::realTimeOverruns());
}

// Sorts the edge errors (µs) and gives how many are over the 250 µs target.
std::ptrdiff_t sortAndCountLate(std::vector<double>& errors) {
    std::sort(errors.begin(), errors.end());
    return errors.end() - std::upper_bound(errors.begin(), errors.end(), 250.0);
}

void trigger(ui::frmVLWinLog* window, const char* name) {
    window->findChild<QAction*>(QString::fromLatin1(name))->trigger();
}

void sendWindowKey(ui::frmVLWinLog* window, QEvent::Type type, Qt::Key key) {
    QKeyEvent event(type, key, Qt::NoModifier);
    QCoreApplication::sendEvent(window->windowHandle(), &event);
}

// One pass: the speed is set, F1 pressed and released, the edges compared.
void run(ui::frmVLWinLog* window, RecordingPort& port, int wpm) {
    if (wpm == 13) trigger(window, "mnu13wpm");
    else if (wpm == 25) trigger(window, "mnu25wpm");
    else const_cast<keyer::Keyer&>(window->keyer()).setSpeedWpm(wpm);  // no menu entry gives it
    const auto unit = window->keyer().unitLength();
    port.edges.clear();

    // The operator's side: every 20 ms the window repaints and a letter is
    // typed into the callsign box; its delay runs from the tick's due time on
    // a fixed grid to the moment the box shows it.
    auto* callsign = window->findChild<QLineEdit*>(QStringLiteral("txtCallsign"));
    std::vector<double> typing;
    typing.reserve(8192);
    bool sending = false;
    SteadyTime due{};
    SteadyTime grid = std::chrono::steady_clock::now();
    int typed = 0;
    auto connection = QObject::connect(callsign, &QLineEdit::textChanged, [&](const QString& text) {
        if (sending && !text.isEmpty() && due != SteadyTime{}) {
            typing.push_back(Micros(std::chrono::steady_clock::now() - due).count());
            due = SteadyTime{};
        }
    });
    QTimer ticker(window);
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(20);
    QObject::connect(&ticker, &QTimer::timeout, window, [&] {
        window->repaint();
        const SteadyTime now = std::chrono::steady_clock::now();
        while (grid + std::chrono::milliseconds(20) <= now) grid += std::chrono::milliseconds(20);
        if (due != SteadyTime{}) return;  // the last letter has not arrived yet
        if (++typed % 8 == 0) callsign->clear();
        due = grid;
        QCoreApplication::postEvent(callsign, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier,
                                                            QStringLiteral("a")));
        QCoreApplication::postEvent(callsign, new QKeyEvent(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier,
                                                            QStringLiteral("a")));
    });
    grid = std::chrono::steady_clock::now();
    ticker.start();
    sending = true;
    keyer::SteadyClock& clock = const_cast<keyer::Keyer&>(window->keyer()).realClock();
    clock.takeLateness();
    const long stolenBefore = stolenMillis();
    sendWindowKey(window, QEvent::KeyPress, Qt::Key_F1);
    sendWindowKey(window, QEvent::KeyRelease, Qt::Key_F1);  // returns when the message is over
    sending = false;
    const long stolen = stolenMillis() - stolenBefore;
    const keyer::SteadyClock::Lateness lateness = clock.takeLateness();
    ticker.stop();
    QObject::disconnect(connection);

    // The ideal time of every edge, in units from the first.
    std::vector<long> edgesAt;
    long units = 0;
    bool keyed = false;
    for (char c : kMessage) {
        for (char u : keyer::morseUnits(c)) {
            if ((u == '1') != keyed) edgesAt.push_back(units);
            keyed = u == '1';
            ++units;
        }
    }
    const auto& e = port.edges;
    if (e.size() != edgesAt.size()) {
        std::printf("%2d wpm: %zu edges recorded, %zu expected\n", wpm, e.size(), edgesAt.size());
        return;
    }
    std::vector<double> errors;
    std::size_t worstAt = 0;
    for (std::size_t i = 0; i < e.size(); ++i) {
        SteadyTime ideal = e[0].at + (edgesAt[i] - edgesAt[0]) * unit;
        errors.push_back(std::abs(Micros(e[i].at - ideal).count()));
        if (errors.back() > errors[worstAt]) worstAt = i;
    }
    const auto late = sortAndCountLate(errors);
    std::sort(typing.begin(), typing.end());
    const double idealLength = Micros((edgesAt.back() - edgesAt.front()) * unit).count();
    const double length = Micros(e.back().at - e.front().at).count();
    std::printf("%2d wpm  %zu edges  median %6.1f us  p99 %7.1f us  worst %7.1f us  length %+.4f %%  "
                "typed letters %zu, worst %6.2f ms, p99 %6.2f ms  (worst edge: number %zu; over 250 us: %td; "
                "host steal %ld ms)\n",
                wpm, errors.size(), percentile(errors, 0.5), percentile(errors, 0.99), errors.back(),
                100 * (length - idealLength) / idealLength, typing.size(),
                typing.empty() ? 0.0 : typing.back() / 1000, typing.empty() ? 0.0 : percentile(typing, 0.99) / 1000, worstAt, late, stolen);
    printLateness(lateness);
}

void printErrors(const char* what, std::vector<double> errors) {
    const auto late = sortAndCountLate(errors);
    std::printf("%s  %zu deadlines  median %6.1f us  p99 %7.1f us  worst %7.1f us  over 250 us: %td\n", what,
                errors.size(), percentile(errors, 0.5), percentile(errors, 0.99), errors.back(), late);
}

// The priority a thread keys at, and why RealtimeKit did not grant it.
std::string describe(const keyer::RealTimeOutcome& outcome) {
    std::string text = keyer::priorityText(outcome.priority);
    if (!outcome.why.empty()) text += " (RealtimeKit: " + outcome.why + ")";
    static const char* const locks[] = {"all memory locked", "stack locked", "memory not locked"};
    return text + ", " + locks[static_cast<int>(outcome.memory)];
}

int measureFloor(double seconds) {
    std::vector<double> errors;
    keyer::RealTimeOutcome priority;
    keyer::SteadyClock::Lateness lateness;
    const long stolenBefore = stolenMillis();
    std::thread bare([&] {
        priority = keyer::enterRealTime();
        keyer::SteadyClock clock;
        const auto unit = std::chrono::milliseconds(48);
        const auto count = static_cast<std::size_t>(seconds * 1000 / 48);
        errors.reserve(count);
        auto deadline = clock.now() + unit;
        for (std::size_t i = 0; i < count; ++i, deadline += unit) {
            clock.sleepUntil(deadline);
            errors.push_back(Micros(clock.now() - deadline).count());
        }
        lateness = clock.takeLateness();
    });
    bare.join();
    std::printf("machine floor, %s, host steal %ld ms\n", describe(priority).c_str(), stolenMillis() - stolenBefore);
    printErrors("bare thread", std::move(errors));
    printLateness(lateness);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int only = 0;
    const char* label = "";
    double floorSeconds = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) only = 40;
        if (std::strcmp(argv[i], "--wpm") == 0 && i + 1 < argc) only = std::atoi(argv[++i]);
        if (std::strcmp(argv[i], "--no-rt") == 0) keyer::allowRealTime(false);
        if (std::strcmp(argv[i], "--label") == 0 && i + 1 < argc) label = argv[++i];
        if (std::strcmp(argv[i], "--floor") == 0 && i + 1 < argc) floorSeconds = std::atof(argv[++i]);
    }
    // As the program does: RealtimeKit is asked when the system refuses.
    keyer::setRealTimeBroker(&ui::realtimeKit());
    if (floorSeconds > 0) {
        if (*label) std::printf("%s: ", label);
        return measureFloor(floorSeconds);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    writeFile(dir.path(), "VLChapters.txt",
              "\"001\",\"First Chapter\"\r\n\"012\",\"Home Chapter\"\r\n\"999\",\"End\"\r\n");
    writeFile(dir.path(), "LogOnFile.txt",
              "\"N0CALL\",\"012\",\"1 Main St\",\"VA\",\"59\",\"OPER\",\"Home Chapter\",\"Linden\","
              "\"10001\",\"2026\",-5,\"op@example.org\"\r\n");
    writeFile(dir.path(), "NoGreeting.txt", "\"NO\"\r\n");

    RecordingPort* port = nullptr;
    ui::ProgramEnvironment env;
    env.folder = dir.path().toStdString();
    // The bench's registration is not compared with this machine's clock.
    env.computerUtcOffset = [] { return std::optional<int>{}; };
    env.makeDialogs = [](QWidget*) -> std::unique_ptr<ui::Dialogs> { return std::make_unique<QuietDialogs>(); };
    env.makePort = [&port]() -> std::unique_ptr<keyer::CommPort> {
        auto made = std::make_unique<RecordingPort>();
        port = made.get();
        return made;
    };
    ui::ProgramHost host(env);
    if (!host.start()) {
        std::printf("the program did not start\n");
        return 1;
    }
    ui::frmVLWinLog* window = host.mainWindow();
    window->show();
    QCoreApplication::processEvents();
    trigger(window, "cmmPort1");
    window->findChild<QLineEdit*>(QStringLiteral("txtF1"))->setText(QString::fromLatin1(kMessage.c_str()));

    std::printf("%s%skeying thread: %s\n", label, *label ? ": " : "",
                describe(window->keying().priority()).c_str());
    std::printf("text \"%s\"\n", kMessage.c_str());
    // The menu's two speeds, two faster ones operators use, and the quick pass.
    const int speeds[] = {13, 25, 31, 39, 40};
    for (int wpm : speeds) {
        if (only == 0 || wpm == only) run(window, *port, wpm);
    }
    if (only != 0 && std::find(std::begin(speeds), std::end(speeds), only) == std::end(speeds)) {
        run(window, *port, only);
    }
    return 0;
}
