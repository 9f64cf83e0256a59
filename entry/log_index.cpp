#include "entry/log_index.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "entry/line_scan.h"
#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "logbook/quoted_line.h"

namespace vl::entry {

namespace {

constexpr uint32_t kNone = UINT32_MAX;

struct Signature {
    off_t size = 0;
    int64_t mtimeNs = 0;
    ino_t inode = 0;
    dev_t device = 0;
    bool operator==(const Signature&) const = default;
};

Signature signatureOf(const struct stat& st) {
    return {st.st_size, static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            st.st_ino, st.st_dev};
}

// Reads from `offset` to the end of the file into the end of `buffer`.
logbook::FileResult readFrom(int fd, off_t offset, std::string& buffer) {
    size_t used = buffer.size();
    while (true) {
        if (buffer.size() - used < 65536) buffer.resize(used + std::max<size_t>(65536, used / 2));
        const ssize_t n = ::pread(fd, buffer.data() + used, buffer.size() - used, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return logbook::errorFromErrno(errno);
        }
        if (n == 0) break;
        used += static_cast<size_t>(n);
        offset += n;
    }
    buffer.resize(used);
    return std::nullopt;
}

uint16_t pairCode(char a, char b) {
    return static_cast<uint16_t>(static_cast<unsigned char>(a) << 8 | static_cast<unsigned char>(b));
}

std::string_view cut(std::string_view field, size_t width) {
    return logbook::trimBlanks(field.substr(0, width));
}

}  // namespace

std::string foldCall(std::string_view call) {
    std::string out(call);
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0xD8 || u == 0xF8) c = '0';
        else if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

struct LogIndex::FileIndex {
    File file;
    std::string_view name;
    bool loaded = false;
    Signature signature;
    std::string content;

    struct Line {
        uint32_t offset, length;
        uint32_t next;  // the next line with the same callsign, or kNone
    };
    std::vector<Line> lines;

    struct Call {
        uint32_t first = kNone, last = kNone, count = 0;
    };
    std::unordered_map<std::string, uint32_t> idOf;
    std::vector<const std::string*> keyOf;
    std::vector<Call> calls;
    // Log only: per callsign the band and mode pairs worked, as indexes into bandModes.
    std::vector<std::vector<uint16_t>> workedOn;
    std::vector<std::pair<std::string, std::string>> bandModes;

    // The folded callsigns one after another, each ended by a line feed, and
    // where each starts; and per pair of adjacent folded characters the
    // calls holding it, in order, so that a search reads only the calls
    // holding the rarest pair of the text searched for.
    std::string folded;
    std::vector<uint32_t> starts;
    std::unordered_map<uint16_t, std::vector<uint32_t>> pairs;

    void clear() {
        loaded = false;
        content.clear();
        lines.clear();
        idOf.clear();
        keyOf.clear();
        calls.clear();
        workedOn.clear();
        bandModes.clear();
        folded.clear();
        starts.clear();
        pairs.clear();
    }

    std::string_view foldedKey(uint32_t id) const {
        const uint32_t end = id + 1 < starts.size() ? starts[id + 1] : static_cast<uint32_t>(folded.size());
        return std::string_view(folded).substr(starts[id], end - starts[id] - 1);
    }

    uint32_t idFor(std::string_view key) {
        auto [it, added] = idOf.try_emplace(std::string(key), static_cast<uint32_t>(calls.size()));
        if (added) {
            keyOf.push_back(&it->first);
            calls.emplace_back();
            if (file == File::Log) workedOn.emplace_back();
            const auto id = static_cast<uint32_t>(calls.size() - 1);
            const std::string f = foldCall(key);
            starts.push_back(static_cast<uint32_t>(folded.size()));
            folded += f;
            folded += '\n';
            for (size_t i = 0; i + 1 < f.size(); ++i) {
                std::vector<uint32_t>& holders = pairs[pairCode(f[i], f[i + 1])];
                if (holders.empty() || holders.back() != id) holders.push_back(id);
            }
        }
        return it->second;
    }

    uint16_t bandModeId(std::string_view band, std::string_view mode) {
        for (size_t i = 0; i < bandModes.size(); ++i) {
            if (bandModes[i].first == band && bandModes[i].second == mode) return static_cast<uint16_t>(i);
        }
        if (bandModes.size() >= UINT16_MAX) return UINT16_MAX;
        bandModes.emplace_back(band, mode);
        return static_cast<uint16_t>(bandModes.size() - 1);
    }

    // Indexes the lines that start at or after `from`.
    void indexFrom(size_t from) {
        const std::string_view all(content);
        forEachLineContaining(all.substr(from), "", [&](std::string_view line) {
            std::string_view key;
            std::vector<std::string> fields;
            if (file == File::Log) {
                fields = logbook::splitQuotedLine(line);
                fields.resize(std::max<size_t>(fields.size(), 7));
                key = cut(fields[0], logbook::kCallWidth);
            } else {
                // A history line is read as a file of its own: one more CR
                // at its end goes, and a line left blank holds no record.
                std::string_view record = line;
                if (!record.empty() && record.back() == '\r') record.remove_suffix(1);
                if (logbook::trimBlanks(record).empty()) return true;
                key = logbook::trimBlanks(firstFieldView(record));
            }
            const uint32_t id = idFor(key);
            const auto number = static_cast<uint32_t>(lines.size());
            lines.push_back({static_cast<uint32_t>(line.data() - all.data()),
                             static_cast<uint32_t>(line.size()), kNone});
            Call& call = calls[id];
            if (call.last == kNone) call.first = number;
            else lines[call.last].next = number;
            call.last = number;
            ++call.count;
            if (file == File::Log) {
                const uint16_t pair = bandModeId(cut(fields[5], logbook::kBandWidth),
                                                 cut(fields[6], logbook::kModeWidth));
                std::vector<uint16_t>& worked = workedOn[id];
                if (std::find(worked.begin(), worked.end(), pair) == worked.end()) {
                    worked.push_back(pair);
                }
            }
            return true;
        });
    }

    std::string_view lineAt(uint32_t number) const {
        return std::string_view(content).substr(lines[number].offset, lines[number].length);
    }
};

LogIndex::LogIndex(logbook::DataFolder folder)
    : folder_(std::move(folder)), log_(std::make_unique<FileIndex>()), history_(std::make_unique<FileIndex>()) {
    log_->file = File::Log;
    log_->name = logbook::names::kContactLog;
    history_->file = File::History;
    history_->name = logbook::names::kHistory;
}

LogIndex::~LogIndex() = default;

LogIndex::FileIndex& LogIndex::indexOf(File file) const { return file == File::Log ? *log_ : *history_; }

logbook::FileResult LogIndex::refresh(File file) { return update(file, false); }
logbook::FileResult LogIndex::extend(File file) { return update(file, true); }

logbook::FileResult LogIndex::update(File file, bool appendOnly) {
    FileIndex& p = indexOf(file);
    const int fd = ::open(folder_.resolve(p.name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int number = errno;
        p.clear();
        return logbook::errorFromErrno(number);
    }
    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        const int number = errno;
        ::close(fd);
        p.clear();
        return logbook::errorFromErrno(number);
    }
    const Signature now = signatureOf(st);
    if (p.loaded && now == p.signature) {
        ::close(fd);
        return std::nullopt;
    }
    // Only new bytes are read when the same file grew and its last indexed
    // line was complete; anything else is read from the start.
    const bool tail = appendOnly && p.loaded && now.inode == p.signature.inode &&
                      now.device == p.signature.device && now.size >= p.signature.size &&
                      static_cast<size_t>(p.signature.size) == p.content.size() &&
                      (p.content.empty() || p.content.back() == '\n');
    size_t from = 0;
    if (tail) {
        from = p.content.size();
    } else {
        p.clear();
    }
    logbook::FileResult error = readFrom(fd, static_cast<off_t>(from), p.content);
    ::close(fd);
    if (error || p.content.size() > UINT32_MAX) {
        p.clear();
        return error ? error : logbook::errorFromErrno(EFBIG);
    }
    p.indexFrom(from);
    p.signature = now;
    p.signature.size = static_cast<off_t>(p.content.size());
    // A file that changed while it was read is read again at the next query.
    if (p.content.size() != static_cast<size_t>(now.size)) p.signature.mtimeNs = -1;
    p.loaded = true;
    return std::nullopt;
}

std::vector<std::string_view> LogIndex::linesOf(File file, std::string_view call) const {
    const FileIndex& p = indexOf(file);
    std::vector<std::string_view> out;
    auto it = p.idOf.find(std::string(call));
    if (it == p.idOf.end()) return out;
    for (uint32_t n = p.calls[it->second].first; n != kNone; n = p.lines[n].next) {
        const std::string_view line = p.lineAt(n);
        if (line.find(call) != std::string_view::npos) out.push_back(line);
    }
    return out;
}

bool LogIndex::knows(File file, std::string_view call) const {
    return indexOf(file).idOf.count(std::string(call)) != 0;
}

std::vector<LogIndex::Hit> LogIndex::containing(File file, std::string_view folded) const {
    const FileIndex& p = indexOf(file);
    std::vector<Hit> out;
    if (folded.size() < 2) return out;
    const std::vector<uint32_t>* rarest = nullptr;
    for (size_t i = 0; i + 1 < folded.size(); ++i) {
        auto it = p.pairs.find(pairCode(folded[i], folded[i + 1]));
        if (it == p.pairs.end()) return out;
        if (!rarest || it->second.size() < rarest->size()) rarest = &it->second;
    }
    for (uint32_t id : *rarest) {
        const std::string_view key = p.foldedKey(id);
        if (folded.size() > 2 && key.find(folded) == std::string_view::npos) continue;
        out.push_back({id, p.calls[id].count, key.size() == folded.size()});
    }
    return out;
}

LogIndex::Known LogIndex::describe(File file, uint32_t id) const {
    const FileIndex& p = indexOf(file);
    const FileIndex::Call& call = p.calls[id];
    Known k;
    k.call = *p.keyOf[id];
    k.latestLine = p.lineAt(file == File::Log ? call.last : call.first);
    if (file == File::Log) {
        for (uint16_t pair : p.workedOn[id]) {
            if (pair < p.bandModes.size()) k.workedOn.emplace_back(p.bandModes[pair].first, p.bandModes[pair].second);
        }
    }
    return k;
}

size_t LogIndex::memoryBytes() const {
    size_t total = 0;
    for (const FileIndex* p : {log_.get(), history_.get()}) {
        total += p->content.capacity() + p->lines.capacity() * sizeof(FileIndex::Line) +
                 p->calls.capacity() * sizeof(FileIndex::Call) + p->keyOf.capacity() * sizeof(void*) +
                 p->folded.capacity() + p->starts.capacity() * sizeof(uint32_t);
        // A map node: the key with its heap text, the id, the link and the hash.
        for (const auto& [key, id] : p->idOf) {
            total += sizeof(std::string) + 24 + (key.capacity() > 15 ? key.capacity() + 1 : 0);
        }
        total += p->idOf.bucket_count() * sizeof(void*);
        for (const auto& worked : p->workedOn) total += sizeof(worked) + worked.capacity() * 2;
        for (const auto& [code, holders] : p->pairs) total += 48 + holders.capacity() * sizeof(uint32_t);
    }
    return total;
}

}  // namespace vl::entry
