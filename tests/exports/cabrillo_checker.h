#pragma once
// A Cabrillo 3.0 checker for the tests: every line against the published
// header tags and the QSO: template
//
//                               --------info sent------- -------info rcvd--------
//   QSO: freq  mo date       time call          rst exch   call          rst exch   t
//   QSO: ***** ** yyyy-mm-dd nnnn ************* nnn ****** ************* nnn ****** n
//   000000000111111111122222222223333333333444444444455555555556666666666777777777788
//   123456789012345678901234567890123456789012345678901234567890123456789012345678901
//
// It returns the faults found, one text per fault, naming the line.
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vl::exports::test {

inline std::vector<std::string> cabrilloFaults(std::string_view text) {
    static const std::set<std::string_view> kTags = {
        "START-OF-LOG", "END-OF-LOG", "CALLSIGN", "CONTEST", "CATEGORY-ASSISTED",
        "CATEGORY-BAND", "CATEGORY-MODE", "CATEGORY-OPERATOR", "CATEGORY-POWER",
        "CATEGORY-STATION", "CATEGORY-TIME", "CATEGORY-TRANSMITTER", "CATEGORY-OVERLAY",
        "CERTIFICATE", "CLAIMED-SCORE", "CLUB", "CREATED-BY", "EMAIL", "GRID-LOCATOR",
        "LOCATION", "NAME", "ADDRESS", "ADDRESS-CITY", "ADDRESS-STATE-PROVINCE",
        "ADDRESS-POSTALCODE", "ADDRESS-COUNTRY", "OPERATORS", "OFFTIME", "SOAPBOX", "QSO",
        "X-QSO"};
    static const std::set<std::string_view> kBands = {
        "ALL", "160M", "80M", "40M", "20M", "15M", "10M", "6M", "4M", "2M", "222", "432",
        "902", "1.2G", "2.3G", "3.4G", "5.7G", "10G", "24G", "47G", "75G", "122G", "134G",
        "241G", "LIGHT", "VHF-3-BAND", "VHF-FM-ONLY"};
    static const std::set<std::string_view> kModes = {"CW", "DIGI", "FM", "RTTY", "SSB", "MIXED"};
    static const std::set<std::string_view> kQsoModes = {"CW", "PH", "FM", "RY", "DG"};
    static const std::set<std::string_view> kFreqs = {"1800", "3500", "7000", "14000", "21000",
                                                      "28000", "50", "70", "144", "222", "432"};

    std::vector<std::string> faults;
    std::vector<std::string_view> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find("\r\n", at);
        if (end == std::string_view::npos) {
            faults.push_back("the last line does not end in CR LF");
            lines.push_back(text.substr(at));
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    auto fault = [&faults](size_t n, std::string_view what) {
        faults.push_back("line " + std::to_string(n + 1) + ": " + std::string(what));
    };
    auto digits = [](std::string_view s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    auto callOk = [](std::string_view s) {
        return !s.empty() &&
               s.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/") == std::string_view::npos;
    };
    auto trimmed = [](std::string_view s) {
        while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
        while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
        return s;
    };
    // Column c (1-based) for w characters, blanks past the line's end.
    auto col = [](std::string_view line, size_t c, size_t w) {
        std::string s(line.size() >= c ? line.substr(c - 1, w) : std::string_view());
        s.resize(w, ' ');
        return s;
    };

    if (lines.empty() || lines.front() != "START-OF-LOG: 3.0") faults.push_back("no START-OF-LOG: 3.0 first");
    if (lines.empty() || lines.back() != "END-OF-LOG:") faults.push_back("no END-OF-LOG: last");
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = lines[n];
        for (char c : line) {
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
                fault(n, "holds a character that is not printable ASCII");
                break;
            }
        }
        const size_t colon = line.find(':');
        const std::string_view tag = line.substr(0, colon);
        if (colon == std::string_view::npos || !kTags.count(tag)) {
            fault(n, "has no known tag");
            continue;
        }
        const std::string_view value = trimmed(line.substr(colon + 1));
        if (colon + 1 < line.size() && line[colon + 1] != ' ') fault(n, "no blank after the tag");
        if (tag == "CATEGORY-BAND" && !kBands.count(value)) fault(n, "unknown band category");
        if (tag == "CATEGORY-MODE" && !kModes.count(value)) fault(n, "unknown mode category");
        if (tag == "CLAIMED-SCORE" && !digits(value)) fault(n, "score is not a whole number");
        if (tag == "CALLSIGN" && !callOk(value)) fault(n, "callsign holds other than A-Z 0-9 /");
        if (tag != "QSO") continue;

        if (line.size() > 81) fault(n, "QSO: line longer than the template");
        for (size_t gap : {5, 11, 14, 25, 30, 44, 48, 55, 69, 73}) {
            if (col(line, gap, 1) != " ") fault(n, "no blank in column " + std::to_string(gap));
        }
        const std::string freq = col(line, 6, 5);
        if (!kFreqs.count(trimmed(freq)) || freq.back() == ' ') fault(n, "freq not right-aligned in columns 6-10");
        if (!kQsoModes.count(col(line, 12, 2))) fault(n, "mode not CW, PH, FM, RY or DG in columns 12-13");
        const std::string date = col(line, 15, 10);
        if (!digits(date.substr(0, 4)) || date[4] != '-' || !digits(date.substr(5, 2)) ||
            date[7] != '-' || !digits(date.substr(8, 2))) {
            fault(n, "date not yyyy-mm-dd in columns 15-24");
        }
        const std::string time = col(line, 26, 4);
        if (!digits(time) || time > "2359" || time.substr(2) > "59") fault(n, "time not 0000-2359 in columns 26-29");
        for (size_t c : {31, 56}) {
            const std::string call = col(line, c, 13);
            if (call.front() == ' ' || !callOk(trimmed(call))) fault(n, "call not left-aligned A-Z 0-9 / in column " + std::to_string(c));
        }
        for (size_t c : {45, 70}) {
            const std::string rst = col(line, c, 3);
            if (!digits(trimmed(rst)) || rst.back() == ' ') fault(n, "rst not right-aligned digits in column " + std::to_string(c));
        }
        for (size_t c : {49, 74}) {
            const std::string exch = col(line, c, 6);
            if (exch.front() == ' ' || trimmed(exch).empty()) fault(n, "exchange not left-aligned in column " + std::to_string(c));
        }
    }
    return faults;
}

}  // namespace vl::exports::test
