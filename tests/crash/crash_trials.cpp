// Crash trials: a child process logs contacts through the same steps as
// INSERT (the row checks, the chapter check that TAB runs, then logging) and
// tells the parent through a pipe each time a contact was logged; the parent
// kills it with SIGKILL at a random moment and then checks the working folder
// as start-up would read it:
//   - every contact whose logging had returned is in the log exactly once,
//     and no contact is there twice;
//   - every line of the log is a whole record ending in CR LF;
//   - after start-up's check of the derived files (and the recount its Yes
//     runs), the chapters-worked files hold every chapter of the log once
//     and no other, and the bonus file every claimed bonus and no other;
//   - one trial in eight runs Delete Log first and is mostly killed inside
//     it: once the log was renamed, every contact logged before is in the
//     new backup;
//   - the readers of start-up take the folder without an error.
// The trials share one folder, so each child goes on from where the last was
// killed, as the operator's program would after a crash.
//
//   crash_trials [--trials N] [--seed S] [--dir PATH]
//
// Prints the seed first, so that a failing run can be repeated, and the
// figures last; exits with 1 on the first loss found.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "entry/chapter_check.h"
#include "entry/insert_contact.h"
#include "entry/recent_log.h"
#include "logbook/chapter_key.h"
#include "logbook/contact_record.h"
#include "logbook/data_folder.h"
#include "logbook/file_names.h"
#include "logbook/log_files.h"
#include "logbook/quoted_line.h"
#include "logbook/roster.h"
#include "logbook/small_files.h"
#include "scoring/derived_files_check.h"
#include "scoring/recount.h"
#include "scoring/set_counters.h"

namespace {

namespace fs = std::filesystem;
namespace names = vl::logbook::names;
using vl::logbook::DataFolder;

// Chapters 100 to 249: clear of 88, which abandons the entry.
constexpr int kFirstChapter = 100;
constexpr int kChapters = 150;
constexpr int kSeqPerTrial = 100000;

// "Q" and the number in seven base-36 digits: eight characters, the width of
// the call field, so that no two contacts share a call.
std::string callFor(int seq) {
    std::string call = "Q0000000";
    for (size_t i = call.size() - 1; i > 0 && seq > 0; --i, seq /= 36) {
        call[i] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[seq % 36];
    }
    return call;
}

int seqOf(const std::string& call) { return static_cast<int>(std::strtol(call.c_str() + 1, nullptr, 36)); }

std::string chapterFor(int seq) {
    char chapter[8];
    const auto spread = static_cast<int>((seq * 7LL) % kChapters);
    std::snprintf(chapter, sizeof chapter, "%03d", kFirstChapter + spread);
    return chapter;
}

const char* modeFor(int seq) {
    static const char* kModes[] = {"PHN", "CW", "DIG"};
    return kModes[seq % 3];
}

bool claimsBonus(int seq) { return seq % 5 == 0; }

// Told through the pipe when Delete Log has returned.
constexpr int kLogDeleted = -1;

// The backups Delete Log has made so far.
std::set<std::string> backupsIn(const fs::path& dir) {
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("vlqsolog-")) found.insert(name);
    }
    return found;
}

// The child: deletes the log first when asked (as Delete Log does), then
// logs contacts from `first` on until it is killed.
[[noreturn]] void logUntilKilled(const fs::path& dir, int first, int reportFd, bool deleteFirst) {
    const DataFolder folder(dir);
    if (deleteFirst) {
        if (vl::logbook::deleteLogFiles(folder, std::time(nullptr)).failure) _exit(6);
        if (!vl::logbook::createLogFiles(folder).empty()) _exit(6);
        if (::write(reportFd, &kLogDeleted, sizeof kLogDeleted) != sizeof kLogDeleted) _exit(5);
    }
    for (int seq = first;; ++seq) {
        vl::entry::ContactRow row;
        const vl::entry::ChapterOutcome checked =
            vl::entry::checkChapter(chapterFor(seq), "012", modeFor(seq), folder);
        row.boxes = {callFor(seq), "59", "59", checked.chapter, "OP", "20", modeFor(seq),
                     "12/07/2026", "23:30", claimsBonus(seq) ? "BONUS" : ""};
        row.chapterIsNew = checked.isNew;
        if (!vl::entry::refusalFor(row).empty()) _exit(3);
        const vl::entry::LoggedContact logged = vl::entry::logContact(row, folder);
        if (logged.logError) _exit(4);
        if (::write(reportFd, &seq, sizeof seq) != sizeof seq) _exit(5);
    }
}

struct Figures {
    long trials = 0;
    long contacts = 0;   // contacts whose logging had returned
    long inFlight = 0;   // written but killed before logging returned
    long losses = 0;
    long tornTails = 0;  // a killed write cut at a page boundary by the kernel
    long lagging = 0;    // derived files behind the log, mended by start-up's recount
    long deletions = 0;  // logs renamed by a Delete Log the kill may have cut short
};

bool fail(const std::string& what) {
    std::fprintf(stderr, "FAULT: %s\n", what.c_str());
    return false;
}

// The folder after a kill, against the contacts whose logging returned.
bool checkFolder(const DataFolder& folder, const std::set<int>& returned, Figures& figures,
                 std::set<int>& seen) {
    const vl::logbook::ReadResult log = folder.read(names::kContactLog);
    if (!log.ok()) return fail("the log cannot be read: " + log.error->description);
    std::string text = log.content;
    // The kernel may stop a write killed by SIGKILL where it crosses a page,
    // leaving the start of the line whose logging never returned. The
    // program sets such a line aside at start-up; so does the trial.
    if (const std::string_view torn = vl::logbook::tornLastLine(text); !torn.empty()) {
        for (int seq : returned) {
            if (torn.find(callFor(seq)) != std::string_view::npos) return fail("a returned contact is torn");
        }
        ++figures.tornTails;
        const size_t kept = text.size() - torn.size();
        if (vl::logbook::setAsideBrokenLines(folder, text)) {
            return fail("the torn line cannot be set aside");
        }
        text.resize(kept);
    }
    std::map<std::string, int> times;
    std::map<std::string, std::set<std::string>> chaptersByMode;
    std::set<std::string> bonusCalls;
    for (std::string_view line : vl::logbook::splitLines(text)) {
        bool unterminated = false;
        const auto fields = vl::logbook::splitQuotedLine(line, &unterminated);
        if (unterminated || fields.size() != 10 || fields[0].size() != 8) {
            return fail("a torn or foreign line in the log: " + vl::logbook::lineExcerpt(line));
        }
    }
    const std::vector<vl::logbook::ContactRecord> records = vl::logbook::readContacts(text);
    for (const auto& r : records) {
        if (++times[r.call] > 1) return fail("logged twice: " + r.call);
        chaptersByMode[std::string(vl::logbook::trimBlanks(r.mode))].insert(
            vl::logbook::chapterKey(r.chapter));
        if (r.comment == vl::logbook::kBonusClaimed) bonusCalls.insert(r.call);
    }
    for (int seq : returned) {
        if (!times.contains(callFor(seq))) {
            ++figures.losses;
            return fail("lost after its logging returned: " + callFor(seq));
        }
    }
    for (const auto& [call, n] : times) {
        const int seq = seqOf(call);
        if (!returned.contains(seq) && seen.insert(seq).second) ++figures.inFlight;
    }
    // Start-up compares the derived files with the log; a kill between the
    // log's append and theirs leaves them behind it, and the operator's Yes
    // recounts. After that every chapter and claimed bonus of the log is in
    // its file, and nothing else is.
    if (!vl::scoring::checkDerivedFiles(folder).agrees()) {
        ++figures.lagging;
        const vl::scoring::RecountResult recounted = vl::scoring::recount(folder);
        if (recounted.outcome != vl::scoring::RecountResult::Outcome::kCompleted ||
            !recounted.errors.empty()) {
            return fail("the recount of start-up failed");
        }
    }
    struct Derived {
        std::string_view file;
        const char* mode;
    };
    for (const Derived& d : {Derived{names::kPhoneChapters, "PHN"}, Derived{names::kCwChapters, "CW"},
                             Derived{names::kDigitalChapters, "DIG"}}) {
        const vl::logbook::ReadResult read = folder.read(d.file);
        if (!read.ok()) return fail(std::string(d.file) + " cannot be read");
        if (!read.content.empty() && !read.content.ends_with("\r\n")) {
            return fail(std::string(d.file) + " has a torn last line");
        }
        std::set<std::string> held;
        for (const std::string& chapter : vl::logbook::readFirstFields(read.content)) {
            const std::string key = vl::logbook::chapterKey(chapter);
            if (!held.insert(key).second) return fail(std::string(d.file) + " lists twice " + chapter);
            if (!chaptersByMode[d.mode].contains(key)) {
                return fail(std::string(d.file) + " lists " + chapter + " with no contact logged");
            }
        }
        if (held != chaptersByMode[d.mode]) {
            return fail(std::string(d.file) + " lacks a chapter of the log");
        }
    }
    const vl::logbook::ReadResult bonus = folder.read(names::kBonusCalls);
    if (!bonus.ok()) return fail("the bonus file cannot be read");
    std::set<std::string> bonusHeld;
    for (const std::string& call : vl::logbook::readAllFields(bonus.content)) {
        if (!bonusCalls.contains(call)) return fail("a bonus call with no contact logged: " + call);
        bonusHeld.insert(call);
    }
    if (bonusHeld != bonusCalls) return fail("the bonus file lacks a claimed bonus of the log");
    // Start-up: the counters from the log, the recent-log box, the roster.
    vl::scoring::Counters counters;
    vl::scoring::ZeroCounters(counters);
    const std::vector<vl::logbook::FileError> errors =
        vl::scoring::SetCounters(counters, folder, {0, 0, 0});
    if (!errors.empty()) return fail("start-up could not count the log: " + errors.front().description);
    if (!records.empty() &&
        vl::entry::recentLogText(text, vl::entry::RecentLayout::StartUp).empty()) {
        return fail("start-up shows no recent contacts");
    }
    if (vl::logbook::parseRoster(folder.read(names::kRoster).content).size() != kChapters + 1) {
        return fail("the roster changed");
    }
    return true;
}

long optionValue(int argc, char** argv, const char* name, long fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) return std::atol(argv[i + 1]);
    }
    return fallback;
}

std::string optionText(int argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    const long trials = optionValue(argc, argv, "--trials", 1000);
    const auto seed = static_cast<unsigned long>(
        optionValue(argc, argv, "--seed",
                    std::chrono::steady_clock::now().time_since_epoch().count() % 1000000007));
    std::printf("crash trials: seed %lu, %ld trials\n", seed, trials);
    std::fflush(stdout);

    fs::path dir = optionText(argc, argv, "--dir");
    const bool ownDir = dir.empty();
    if (ownDir) {
        std::string pattern = (fs::temp_directory_path() / "vl_crash_XXXXXX").string();
        if (!::mkdtemp(pattern.data())) return 2;
        dir = pattern;
    }
    const DataFolder folder(dir);
    std::string roster;
    for (int c = kFirstChapter; c < kFirstChapter + kChapters; ++c) {
        char number[8];
        std::snprintf(number, sizeof number, "%03d", c);
        roster += vl::logbook::formatQuotedLine({std::string(number), "Chapter " + std::string(number)});
    }
    roster += vl::logbook::formatQuotedLine({std::string("999"), std::string("End")});
    if (folder.writeWhole(names::kRoster, roster)) return 2;
    for (std::string_view name : {names::kContactLog, names::kBonusCalls, names::kPhoneChapters,
                                  names::kCwChapters, names::kDigitalChapters}) {
        if (folder.touch(name)) return 2;
    }

    std::mt19937_64 rng(seed);
    Figures figures;
    std::set<int> returned;
    std::set<int> seen;
    double insertMicros = 2000;  // a running mean of one logging, for the kill moments
    bool sound = true;
    for (long trial = 0; trial < trials && sound; ++trial) {
        int fds[2];
        if (::pipe(fds) != 0) return 2;
        const int first = static_cast<int>(trial) * kSeqPerTrial + 1;
        // One trial in eight deletes the log first and is mostly killed
        // inside the deletion.
        const bool deleting = trial % 8 == 7;
        const std::set<std::string> backups = deleting ? backupsIn(dir) : std::set<std::string>{};
        const pid_t child = ::fork();
        if (child < 0) return 2;
        if (child == 0) {
            ::close(fds[0]);
            logUntilKilled(dir, first, fds[1], deleting);
        }
        ::close(fds[1]);
        // Killed after 0 to 3 logged contacts and a random part of the next.
        const int before = deleting ? 0 : static_cast<int>(rng() % 4);
        const auto start = std::chrono::steady_clock::now();
        int got = 0;
        int seq = 0;
        while (got < before && ::read(fds[0], &seq, sizeof seq) == sizeof seq) {
            if (returned.insert(seq).second) ++figures.contacts;
            ++got;
        }
        const auto elapsed = std::chrono::steady_clock::now() - start;
        if (got > 0) {
            const double each =
                std::chrono::duration<double, std::micro>(elapsed).count() / got;
            insertMicros = 0.9 * insertMicros + 0.1 * each;
        }
        const auto pause = static_cast<useconds_t>(
            std::uniform_real_distribution<double>(0, 1.5 * insertMicros)(rng));
        ::usleep(pause);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFSIGNALED(status)) {
            std::fprintf(stderr, "FAULT: the child ended by itself (status %d)\n", status);
            sound = false;
        }
        // Once the log was renamed, the contacts logged before are in the
        // new backup, whole, and the log starts afresh.
        auto keptInBackup = [&] {
            const std::set<std::string> now = backupsIn(dir);
            if (now.size() > backups.size() + 1) sound = false;
            for (const std::string& name : now) {
                if (backups.contains(name)) continue;
                const std::string kept = folder.read(name).content;
                for (int s : returned) {
                    if (kept.find(callFor(s)) == std::string::npos) {
                        std::fprintf(stderr, "FAULT: %s is not in the backup %s\n",
                                     callFor(s).c_str(), name.c_str());
                        sound = false;
                    }
                }
                returned.clear();
                ++figures.deletions;
            }
        };
        // Whatever it reported before it died, in order.
        bool deleted = false;
        while (::read(fds[0], &seq, sizeof seq) == sizeof seq) {
            if (seq == kLogDeleted) {
                keptInBackup();
                deleted = true;
            } else if (returned.insert(seq).second) {
                ++figures.contacts;
            }
        }
        ::close(fds[0]);
        if (deleting) {
            if (!deleted) keptInBackup();
            // Start-up creates the files the deletion left missing.
            for (std::string_view name : {names::kContactLog, names::kBonusCalls,
                                          names::kPhoneChapters, names::kCwChapters,
                                          names::kDigitalChapters}) {
                if (folder.touch(name)) sound = false;
            }
        }
        ++figures.trials;
        if (sound && !checkFolder(folder, returned, figures, seen)) {
            std::fprintf(stderr, "after trial %ld of seed %lu\n", trial + 1, seed);
            sound = false;
        }
    }
    if (sound && figures.trials > 0 && figures.contacts == 0) {
        std::fprintf(stderr, "FAULT: no contact was logged in any trial\n");
        sound = false;
    }
    std::printf("trials %ld, contacts logged %ld, written while killed %ld, torn tails %ld, "
                "derived files out of step with the log %ld, logs deleted %ld, losses %ld\n",
                figures.trials, figures.contacts, figures.inFlight, figures.tornTails,
                figures.lagging, figures.deletions, figures.losses);
    if (ownDir && sound) fs::remove_all(dir);
    if (!sound) std::printf("folder kept for inspection: %s\n", dir.c_str());
    return sound ? 0 : 1;
}
