// Shared by the benchmarks that drive real windows: a full contest log, boxes
// answered at once, and the median wall-clock and processor time of runs.
#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "logbook/contact_record.h"
#include "logbook/data_folder.h"
#include "logbook/file_names.h"
#include "logbook/small_files.h"
#include "ui/dialogs.h"

namespace vl::bench {

constexpr int kRecords = 32767;

// Two days of contacts from 12/05/2026 18:00, a few a minute, on six bands and
// three modes, with dupes and bonus claims among them, the chapters-worked and
// bonus files to match and a roster of chapters 001 to 300.
inline void writeFullLog(const logbook::DataFolder& folder) {
    std::mt19937 random(20261205);
    const char* bands[] = {"20", "40", "80", "15", "10", "160"};
    const char* modes[] = {"PHN", "CW", "DIG"};
    std::string log, bonus, roster;
    std::vector<std::string> chapters[3];
    for (int i = 0; i < kRecords; ++i) {
        const int minute = i * 48 * 60 / kRecords;
        const int day = 5 + (18 * 60 + minute) / (24 * 60);
        const int inDay = (18 * 60 + minute) % (24 * 60);
        char date[16], time[8], call[16], chapter[8];
        std::snprintf(date, sizeof date, "12/%02d/2026", day);
        std::snprintf(time, sizeof time, "%02d:%02d", inDay / 60, inDay % 60);
        std::snprintf(call, sizeof call, "W%dX%d", i % 10, i);
        std::snprintf(chapter, sizeof chapter, "%03d", int(random() % 300 + 1));
        const int mode = int(random() % 3);
        const char* comment = random() % 20 == 0 ? "DUPE" : random() % 50 == 0 ? "BNVL" : "";
        log += logbook::formatContactLine(
            {call, "59", "59", chapter, "BOB", bands[random() % 6], modes[mode], date, time, comment});
        if (std::string(comment) != "DUPE" &&
            std::find(chapters[mode].begin(), chapters[mode].end(), chapter) == chapters[mode].end()) {
            chapters[mode].push_back(chapter);
        }
        if (std::string(comment) == "BNVL") bonus += logbook::formatBonusLine(call);
    }
    folder.writeWhole(logbook::names::kContactLog, log);
    const std::string_view files[] = {logbook::names::kPhoneChapters, logbook::names::kCwChapters,
                                      logbook::names::kDigitalChapters};
    for (int m = 0; m < 3; ++m) {
        std::string lines;
        for (const std::string& c : chapters[m]) lines += logbook::formatSingleFieldLine(c);
        folder.writeWhole(files[m], lines);
    }
    folder.writeWhole(logbook::names::kBonusCalls, bonus);
    for (int c = 1; c <= 300; ++c) roster += "\"" + std::to_string(1000 + c).substr(1) + "\",\"C\"\r\n";
    folder.writeWhole(logbook::names::kRoster, roster + "\"999\",\"End\"\r\n");
}

// Every box answered at once: No, Cancel.
class SilentDialogs : public ui::Dialogs {
public:
    void message(const QString&, const QString&, Icon) override {}
    bool question(const QString&, const QString&, Icon, bool) override { return false; }
    QString input(const QString&, const QString&) override { return {}; }
    void beep() override {}
    QString chooseFolder(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString choose(const QString&, const QString&, const QStringList&) override { return {}; }
};

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double elapsedMs(const std::function<void()>& run) {
    QElapsedTimer clock;
    clock.start();
    run();
    return double(clock.nsecsElapsed()) / 1e6;
}

// Processor time of this process and of the children it waited for.
inline double cpuMs() {
    timespec own{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &own);
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return double(own.tv_sec) * 1e3 + double(own.tv_nsec) / 1e6 + ms(children.ru_utime) + ms(children.ru_stime);
}

// Prints "<name>_ms" and "<name>_cpu_ms", the medians of `runs` runs.
inline void measure(const char* name, int runs, const std::function<void()>& run) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const double cpuBefore = cpuMs();
        wall.push_back(elapsedMs(run));
        cpu.push_back(cpuMs() - cpuBefore);
    }
    std::printf("%s_ms %.1f\n%s_cpu_ms %.1f\n", name, median(wall), name, median(cpu));
    std::fflush(stdout);
}

}  // namespace vl::bench
