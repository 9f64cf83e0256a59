// Leaving the callsign box (dupe check, previous contacts, history), leaving
// the chapter box, and the two searches, on a full-size log (32,767 contacts)
// and a history file of 100,000 stations in a temporary working folder; and
// the recount of a 70,000-record log where every record claims the bonus.
// Before the benchmarks it prints the figures of the index of log and
// history: keystroke_p99_ms (the partial check and the dupe colour after one
// typed character), leave_callsign_p99_ms (the three look-ups through the
// index), index_build_ms and index_mb.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "entry/chapter_check.h"
#include "entry/log_index.h"
#include "entry/lookups.h"
#include "entry/partial_check.h"
#include "entry/searches.h"
#include "logbook/contact_record.h"
#include "logbook/data_folder.h"
#include "logbook/file_names.h"
#include "logbook/history.h"
#include "logbook/small_files.h"
#include "scoring/recount.h"

namespace {

namespace fs = std::filesystem;
using namespace vl;

std::string makeCall(std::mt19937& rng) {
    static const char* kPrefixes[] = {"K", "W", "N", "KA", "KB", "WA", "WB", "VE", "G", "DL"};
    std::string call = kPrefixes[rng() % 10];
    const int digit = static_cast<int>(rng() % 10);
    call += digit == 0 ? static_cast<char>(0xD8) : static_cast<char>('0' + digit);
    const int letters = 2 + static_cast<int>(rng() % 2);
    for (int i = 0; i < letters; ++i) call += static_cast<char>('A' + rng() % 26);
    return call;
}

struct Fixture {
    fs::path dir;
    logbook::DataFolder folder{fs::path()};

    Fixture() {
        char pattern[] = "/tmp/vl_bench_entry_XXXXXX";
        dir = ::mkdtemp(pattern);
        folder = logbook::DataFolder(dir);
        std::mt19937 rng(12345);
        static const char* kBands[] = {"160", "80", "40", "20", "15", "10", "6", "2"};
        static const char* kModes[] = {"PHN", "CW ", "DIG"};

        std::string log;
        for (int i = 0; i < 32767; ++i) {
            logbook::ContactRecord r;
            r.call = i % 1000 == 7 ? "KØABC" : makeCall(rng);
            r.sent = "59";
            r.rcvd = "59";
            r.chapter = std::to_string(100 + rng() % 300);
            r.name = "NAME" + std::to_string(i % 100);
            r.band = kBands[rng() % 8];
            r.mode = kModes[rng() % 3];
            r.date = "12/06/2026";
            r.time = "18:30";
            r.comment = i % 50 == 0 ? "NVL" : "";
            log += logbook::formatContactLine(r);
        }
        folder.writeWhole(logbook::names::kContactLog, log);

        std::string history;
        for (int i = 0; i < 100000; ++i) {
            history += logbook::formatHistoryLine(
                {makeCall(rng), std::to_string(100 + rng() % 300), "OP" + std::to_string(i)});
        }
        history += logbook::formatHistoryLine({"ZZ9LAST", "123", "LAST"});
        folder.writeWhole(logbook::names::kHistory, history);

        std::string roster;
        for (int c = 1; c <= 300; ++c) {
            char number[8];
            std::snprintf(number, sizeof number, "%03d", c);
            roster += "\"" + std::string(number) + "\",\"Chapter number " + number + "\"\r\n";
        }
        roster += "\"599\",\"Non-member stations\"\r\n\"999\",\"End\"\r\n";
        folder.writeWhole(logbook::names::kRoster, roster);

        std::string worked;
        for (int c = 1; c <= 250; ++c) {
            char number[8];
            std::snprintf(number, sizeof number, "%03d", c);
            worked += logbook::formatSingleFieldLine(number);
        }
        folder.writeWhole(logbook::names::kPhoneChapters, worked);
        std::printf("log %ju bytes, history %ju bytes in %s\n",
                    static_cast<std::uintmax_t>(fs::file_size(folder.resolve(logbook::names::kContactLog))),
                    static_cast<std::uintmax_t>(fs::file_size(folder.resolve(logbook::names::kHistory))),
                    dir.c_str());
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

// What leaving the callsign box reads: the dupe check, then the previous
// contacts, then the history when nothing was found in the log.
void leaveCallsign(benchmark::State& state, const char* call) {
    const auto& folder = fixture().folder;
    for (auto _ : state) {
        auto dupe = entry::findDupe(call, "20", "PHN", folder);
        auto previous = entry::findPreviousContacts(call, folder);
        benchmark::DoNotOptimize(dupe);
        benchmark::DoNotOptimize(previous);
        if (previous.count == 0) {
            auto history = entry::findHistory(call, folder);
            benchmark::DoNotOptimize(history);
        }
    }
}

void BM_LeaveCallsign_Unknown(benchmark::State& s) { leaveCallsign(s, "ZZ9LAST"); }
void BM_LeaveCallsign_Worked33Times(benchmark::State& s) { leaveCallsign(s, "KØABC"); }

void BM_LeaveCallsign_AllThreeFullScans(benchmark::State& state) {
    const auto& folder = fixture().folder;
    for (auto _ : state) {
        benchmark::DoNotOptimize(entry::findDupe("QQ1QQQ", "20", "PHN", folder));
        benchmark::DoNotOptimize(entry::findPreviousContacts("QQ1QQQ", folder));
        benchmark::DoNotOptimize(entry::findHistory("QQ1QQQ", folder));
    }
}

void BM_ChapterCheck_NewChapter(benchmark::State& state) {
    const auto& folder = fixture().folder;
    for (auto _ : state) benchmark::DoNotOptimize(entry::checkChapter("287", "", "PHN", folder));
}

void BM_ChapterCheck_Invalid(benchmark::State& state) {
    const auto& folder = fixture().folder;
    for (auto _ : state) benchmark::DoNotOptimize(entry::checkChapter("777", "", "PHN", folder));
}

void search(benchmark::State& state, bool log, const char* box) {
    const auto& folder = fixture().folder;
    int count = 0;
    for (auto _ : state) {
        auto result = log ? entry::searchLog(box, folder) : entry::searchHistory(box, folder);
        count = result.count;
        benchmark::DoNotOptimize(result);
    }
    state.counters["lines"] = count;
}

void BM_SearchLog_Prefix(benchmark::State& s) { search(s, true, "WA1"); }
void BM_SearchLog_Pattern(benchmark::State& s) { search(s, true, "K#??"); }
void BM_SearchLog_EmptyListsAll(benchmark::State& s) { search(s, true, ""); }
void BM_SearchHistory_Prefix(benchmark::State& s) { search(s, false, "WA1"); }
void BM_SearchHistory_Pattern(benchmark::State& s) { search(s, false, "K#??"); }
void BM_SearchHistory_EmptyListsAll(benchmark::State& s) { search(s, false, ""); }

// The recount rebuilds the chapters-worked files and a bonus file of 70,000
// lines, each written whole once.
void BM_Recount_EveryRecordClaimsTheBonus(benchmark::State& state) {
    char pattern[] = "/tmp/vl_bench_recount_XXXXXX";
    const fs::path dir = ::mkdtemp(pattern);
    const logbook::DataFolder folder(dir);
    std::mt19937 rng(777);
    static const char* kModes[] = {"PHN", "CW ", "DIG"};
    std::string log;
    for (int i = 0; i < 70000; ++i) {
        char chapter[8];
        std::snprintf(chapter, sizeof chapter, "%03d", 1 + static_cast<int>(rng() % 300));
        log += logbook::formatContactLine({makeCall(rng), "59", "59", chapter, "NAME", "20",
                                           kModes[rng() % 3], "12/06/2026", "18:30", "BNVL"});
    }
    folder.writeWhole(logbook::names::kContactLog, log);
    folder.writeWhole(logbook::names::kRoster,
                      fixture().folder.read(logbook::names::kRoster).content);
    for (auto _ : state) {
        const scoring::RecountResult result = scoring::recount(folder);
        if (result.outcome != scoring::RecountResult::Outcome::kCompleted) {
            state.SkipWithError("the recount did not complete");
            break;
        }
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double p99(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
}

void printIndexFigures() {
    const auto& folder = fixture().folder;
    using File = entry::LogIndex::File;
    std::vector<double> builds;
    size_t heap = 0;
    for (int pass = 0; pass < 5; ++pass) {
        const size_t before = ::mallinfo2().uordblks;
        const auto start = std::chrono::steady_clock::now();
        entry::LogIndex index(folder);
        if (index.refresh(File::Log) || index.refresh(File::History)) std::abort();
        builds.push_back(millisecondsSince(start));
        heap = ::mallinfo2().uordblks - before;
    }
    std::sort(builds.begin(), builds.end());

    entry::LogIndex index(folder);
    if (index.refresh(File::Log) || index.refresh(File::History)) std::abort();
    // Calls typed letter by letter: new ones, ones worked or known from
    // the history (the same kind of calls as the files hold), and one worked
    // 33 times.
    std::mt19937 rng(4242);
    std::vector<std::string> calls{"KØABC", "ZZ9LAST"};
    while (calls.size() < 400) calls.push_back(makeCall(rng));
    std::vector<double> keystrokes, leaves, scans;
    for (const std::string& call : calls) {
        for (size_t typed = 1; typed <= call.size(); ++typed) {
            const std::string box = call.substr(0, typed);
            const auto start = std::chrono::steady_clock::now();
            auto dupe = entry::findDupe(box, "20", "PHN", index);
            auto check = entry::checkPartial(box, "20", "PHN", true, index);
            keystrokes.push_back(millisecondsSince(start));
            benchmark::DoNotOptimize(dupe);
            benchmark::DoNotOptimize(check);
        }
        auto leave = [&](auto& source, std::vector<double>& times) {
            const auto start = std::chrono::steady_clock::now();
            auto dupe = entry::findDupe(call, "20", "PHN", source);
            auto previous = entry::findPreviousContacts(call, source);
            if (previous.count == 0) {
                auto history = entry::findHistory(call, source);
                benchmark::DoNotOptimize(history);
            }
            times.push_back(millisecondsSince(start));
            benchmark::DoNotOptimize(dupe);
        };
        leave(index, leaves);
        leave(folder, scans);
    }
    std::printf("keystroke_p99_ms %.3f\nleave_callsign_p99_ms %.3f\nleave_callsign_file_scan_p99_ms %.3f\n"
                "index_build_ms %.1f\nindex_mb %.1f\n",
                p99(keystrokes), p99(leaves), p99(scans), builds[builds.size() / 2], double(heap) / (1024.0 * 1024.0));
    std::fflush(stdout);
}

}  // namespace

BENCHMARK(BM_Recount_EveryRecordClaimsTheBonus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeaveCallsign_Unknown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeaveCallsign_Worked33Times)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeaveCallsign_AllThreeFullScans)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChapterCheck_NewChapter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChapterCheck_Invalid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchLog_Prefix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchLog_Pattern)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchLog_EmptyListsAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchHistory_Prefix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchHistory_Pattern)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchHistory_EmptyListsAll)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    printIndexFigures();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
