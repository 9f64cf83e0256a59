#pragma once
// One contact of the log "vlqsolog.txt": nine fixed-width fields and the
// comment, one quoted-field line per contact.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vl::logbook {

struct ContactRecord {
    std::string call;     // 8
    std::string sent;     // 4  ("Rpt Sent")
    std::string rcvd;     // 4  ("Rpt Rcv")
    std::string chapter;  // 3
    std::string name;     // 7
    std::string band;     // 3
    std::string mode;     // 3
    std::string date;     // 10
    std::string time;     // 6
    std::string comment;  // any length
};

inline constexpr size_t kCallWidth = 8, kSentWidth = 4, kRcvdWidth = 4, kChapterWidth = 3,
                        kNameWidth = 7, kBandWidth = 3, kModeWidth = 3, kDateWidth = 10,
                        kTimeWidth = 6;

// Comment markers, recognised only as the whole comment, with case.
inline constexpr std::string_view kDupe = "DUPE";
inline constexpr std::string_view kNonMember = "NVL";
inline constexpr std::string_view kBonusClaimed = "BNVL";

// Left-justified in `width`, blank-padded or cut to its first characters.
std::string padCut(std::string_view text, size_t width);

// The record with fields 1 to 9 brought to their widths; the comment as it is.
ContactRecord fixedWidth(const ContactRecord& raw);

// The log line of a record (fields brought to their widths), with CR LF.
std::string formatContactLine(const ContactRecord& record);

// A record from the fields of one read line, fields 1 to 9 padded to their
// widths; missing fields read as empty.
ContactRecord contactFromFields(const std::vector<std::string>& fields);

// Every record of the log content, in file order.
std::vector<ContactRecord> readContacts(std::string_view content);
// The same with every field exactly as the file holds it, neither padded nor
// cut (a hand-edited log may hold longer or shorter fields).
std::vector<ContactRecord> readContactsAsWritten(std::string_view content);

// The number of records (non-blank lines) in the log content.
std::int64_t countRecords(std::string_view content);

}  // namespace vl::logbook
