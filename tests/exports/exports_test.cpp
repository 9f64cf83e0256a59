// The Cabrillo and ADIF exports: the whole files byte for byte from a small
// log that has every band and mode, a dupe, a non-member, a bonus, a slashed
// zero, a portable call and accented letters; what stops an export; and the
// command line of the real program, run without a display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "exports/adif.h"
#include "exports/ascii_text.h"
#include "exports/cabrillo.h"
#include "exports/export_file.h"
#include "exports/export_log.h"
#include "exports/cabrillo_checker.h"
#include "reports/temp_folder.h"

namespace vl::exports {
namespace {

using reports::fixture::TempFolder;
using test::cabrilloFaults;

// Windows-1252: Ø 0xD8, É 0xC9, ë 0xEB.
const std::string kRegistration =
    "\"K1VL\",\"012\",\"12 Elm St\",\"ME\",\"599\",\"Zo\xEB Ward\",\"Pine Tree\",\"Bangor\","
    "\"04401\",\"2026\",-5,\"k1vl@example.org\"\r\n";

const std::string kLog =
    "\"N\xD8" "CALL  \",\"59  \",\"59  \",\"123\",\"BOB    \",\"20 \",\"PHN\",\"12/06/2026\",\"18:30 \",\"\"\r\n"
    "\"W1AW/4  \",\"599 \",\"579 \",\"007\",\"REN\xC9   \",\"40 \",\"CW \",\"12/06/2026\",\"18:45 \",\"\"\r\n"
    "\"K2XYZ   \",\"599 \",\"599 \",\"599\",\"SAM    \",\"80 \",\"DIG\",\"12/06/2026\",\"19:02 \",\"NVL\"\r\n"
    "\"K3BNV   \",\"599 \",\"599 \",\"599\",\"JOE    \",\"160\",\"CW \",\"12/06/2026\",\"19:10 \",\"BNVL\"\r\n"
    "\"N\xD8" "CALL  \",\"59  \",\"59  \",\"123\",\"BOB    \",\"20 \",\"PHN\",\"12/06/2026\",\"19:15 \",\"DUPE\"\r\n"
    "\"G4ABC   \",\"59  \",\"57  \",\"001\",\"IAN    \",\"15 \",\"PHN\",\"12/07/2026\",\"00:05 \",\"\"\r\n"
    "\"VE3XY   \",\"599 \",\"599 \",\"123\",\"AL     \",\"10 \",\"CW \",\"12/07/2026\",\"00:20 \",\"nice sig\"\r\n"
    "\"KH6DIG  \",\"599 \",\"599 \",\"001\",\"KAI    \",\"6  \",\"DIG\",\"12/07/2026\",\"01:00 \",\"\"\r\n"
    "\"W9UV    \",\"59  \",\"59  \",\"007\",\"ED     \",\"2  \",\"PHN\",\"12/07/2026\",\"02:30 \",\"\"\r\n";

// Counted: phone 20 and 15 m, CW 40, 160 and 10 m, digital 80 and 6 m (the
// dupe and the 2 m contact count nowhere): 7 contacts. Chapters: phone 3,
// CW 3, digital 2: 8. 7 x 8 = 56, plus one bonus call: 66.
void writeSampleFolder(const TempFolder& folder) {
    folder.write("LogOnFile.txt", kRegistration);
    folder.write("vlqsolog.txt", kLog);
    folder.write("chapsworked.txt", "\"123\"\r\n\"001\"\r\n\"007\"\r\n");
    folder.write("CWchapsworked.txt", "\"007\"\r\n\"599\"\r\n\"123\"\r\n");
    folder.write("DIGchapswrk.txt", "\"599\"\r\n\"001\"\r\n");
    folder.write("BonusCall.txt", "\"K3BNV\"\r\n");
    folder.write("VLChapters.txt", "\"012\",\"Pine Tree\"\r\n\"999\",\"END\"\r\n");
}

std::string expectedCabrillo(std::string_view version) {
    return "START-OF-LOG: 3.0\r\n"
           "CONTEST: VELMARA-QSO-PARTY\r\n"
           "CALLSIGN: K1VL\r\n"
           "CATEGORY-OPERATOR: SINGLE-OP\r\n"
           "CATEGORY-MODE: MIXED\r\n"
           "CATEGORY-BAND: ALL\r\n"
           "CLAIMED-SCORE: 66\r\n"
           "NAME: Zoe Ward\r\n"
           "ADDRESS: 12 Elm St\r\n"
           "ADDRESS-CITY: Bangor\r\n"
           "ADDRESS-STATE-PROVINCE: ME\r\n"
           "ADDRESS-POSTALCODE: 04401\r\n"
           "EMAIL: k1vl@example.org\r\n"
           "LOCATION: ME\r\n"
           "CLUB: Pine Tree\r\n"
           "CREATED-BY: VLWinLog " + std::string(version) + "\r\n"
           "QSO: 14000 PH 2026-12-06 1830 K1VL           59 012    N0CALL         59 123\r\n"
           "QSO:  7000 CW 2026-12-06 1845 K1VL          599 012    W1AW/4        579 007\r\n"
           "QSO:  3500 DG 2026-12-06 1902 K1VL          599 012    K2XYZ         599 599\r\n"
           "QSO:  1800 CW 2026-12-06 1910 K1VL          599 012    K3BNV         599 599\r\n"
           "QSO: 14000 PH 2026-12-06 1915 K1VL           59 012    N0CALL         59 123\r\n"
           "QSO: 21000 PH 2026-12-07 0005 K1VL           59 012    G4ABC          57 001\r\n"
           "QSO: 28000 CW 2026-12-07 0020 K1VL          599 012    VE3XY         599 123\r\n"
           "QSO:    50 DG 2026-12-07 0100 K1VL          599 012    KH6DIG        599 001\r\n"
           "QSO:   144 PH 2026-12-07 0230 K1VL           59 012    W9UV           59 007\r\n"
           "END-OF-LOG:\r\n";
}

TEST(CabrilloExport, WholeFileFromTheSampleFolderByteForByte) {
    TempFolder folder;
    writeSampleFolder(folder);
    const ExportLogRead read = readExportLog(logbook::DataFolder(folder.path()));
    ASSERT_TRUE(read.ok()) << read.problem;
    const std::string text = cabrilloFrom(read.log, "9.9");
    EXPECT_EQ(text, expectedCabrillo("9.9"));
    EXPECT_EQ(cabrilloFaults(text), std::vector<std::string>{});

    // The window's running totals decide the claimed score when given, as
    // they decide the summary sheet's: 2 contacts x 1 chapter + 10.
    scoring::Counters totals;
    totals.ptot = 2;
    totals.chptot = 1;
    EXPECT_EQ(readExportLog(logbook::DataFolder(folder.path()), &totals).log.claimedScore, 12);
}

TEST(CabrilloExport, OneModeOrOneBandNamesItsCategory) {
    struct Case {
        const char* band;
        const char* mode;
        const char* categoryBand;
        const char* categoryMode;
    };
    for (const Case& c : {Case{"40 ", "CW ", "40M", "CW"}, Case{"6  ", "DIG", "6M", "DIGI"},
                          Case{"2  ", "PHN", "2M", "SSB"}, Case{"UV ", "PHN", "2M", "SSB"}}) {
        logbook::ContactRecord r{"W1AW", "599", "599", "007", "AL", c.band, c.mode,
                                 "12/06/2026", "18:30", ""};
        const PreparedContacts prepared = prepareContacts({r, r});
        ASSERT_EQ(prepared.problem, "");
        ExportLog log;
        log.registration.call = "K1VL";
        log.registration.chapter = "012";
        log.contacts = prepared.contacts;
        const std::string text = cabrilloFrom(log, "1");
        EXPECT_NE(text.find(std::string("CATEGORY-BAND: ") + c.categoryBand + "\r\n"), std::string::npos) << c.band;
        EXPECT_NE(text.find(std::string("CATEGORY-MODE: ") + c.categoryMode + "\r\n"), std::string::npos) << c.mode;
        EXPECT_EQ(cabrilloFaults(text), std::vector<std::string>{}) << c.band;
    }
}

ExportLog logOf(const std::vector<logbook::ContactRecord>& records) {
    ExportLog log;
    log.registration.call = "k1vl";
    log.registration.chapter = "012";
    const PreparedContacts prepared = prepareContacts(records);
    EXPECT_EQ(prepared.problem, "");
    log.contacts = prepared.contacts;
    return log;
}

TEST(CabrilloExport, CallsInCapitalsLinesInTimeOrderAndAdifInLogOrder) {
    // Hand-stamped contacts out of order; two in the same minute keep theirs.
    const ExportLog log = logOf({
        {"w1aw", "599", "599", "007", "AL", "40 ", "CW ", "12/06/2026", "18:45", ""},
        {"N\xD8" "CALL", "599", "599", "123", "BOB", "40 ", "CW ", "12/06/2026", "18:30", ""},
        {"K2XYZ", "599", "599", "599", "SAM", "40 ", "CW ", "12/06/2026", "18:30", ""},
        {"VE3XY", "599", "599", "123", "AL", "40 ", "CW ", "12/05/2026", "23:59", ""},
    });
    EXPECT_EQ(cabrilloRefusal(log), "");
    const std::string text = cabrilloFrom(log, "1");
    EXPECT_EQ(cabrilloFaults(text), std::vector<std::string>{});
    auto at = [&text](const char* call) { return text.find(std::string(" ") + call + " "); };
    EXPECT_NE(text.find("CALLSIGN: K1VL\r\n"), std::string::npos);
    EXPECT_LT(at("VE3XY"), at("N0CALL"));
    EXPECT_LT(at("N0CALL"), at("K2XYZ"));
    EXPECT_LT(at("K2XYZ"), at("W1AW"));
    const std::string adif = adifFrom(log, AdifOptions{});
    EXPECT_LT(adif.find("<CALL:4>w1aw"), adif.find("<CALL:5>VE3XY"));
}

TEST(CabrilloExport, AFieldACheckerWouldMisreadStopsItNamingTheContact) {
    struct Case {
        const char *call, *sent, *rcvd, *chapter;
        const char* says;  // "" when the log goes out
    };
    for (const Case& c : {
             Case{"W1 AW", "599", "599", "007", "Contact 2 of the log (W1 AW) cannot be written to "
                                                  "Cabrillo: its callsign \"W1 AW\" holds a blank."},
             Case{"W1AW", "5 9", "599", "007", "its report sent \"5 9\" holds a blank"},
             Case{"W1AW", "599", "59#", "007", "its report received \"59#\" holds \"#\""},
             Case{"W1AW", "599", "599", "0-7", "its chapter \"0-7\" holds \"-\""},
             Case{"W1AW=", "599", "599", "007", "its callsign \"W1AW=\" holds \"=\""},
             Case{"w1aw/p", "599", "599", "007", ""},
         }) {
        const logbook::ContactRecord second{c.call, c.sent, c.rcvd, c.chapter, "AL", "40 ", "CW ",
                                            "12/06/2026", "18:45", ""};
        ExportLog log = logOf({{"K2XYZ", "599", "599", "599", "SAM", "40 ", "CW ", "12/06/2026", "18:30", ""}, second});
        EXPECT_NE(exportRefusal(log, ExportFormat::kCabrillo).find(c.says), std::string::npos)
            << exportRefusal(log, ExportFormat::kCabrillo);
        EXPECT_EQ(exportRefusal(log, ExportFormat::kCabrillo).empty(), !*c.says) << c.says;
        EXPECT_EQ(exportRefusal(log, ExportFormat::kAdif), "");
    }
}

TEST(AdifExport, WholeFileFromTheSampleFolderByteForByte) {
    TempFolder folder;
    writeSampleFolder(folder);
    const ExportLogRead read = readExportLog(logbook::DataFolder(folder.path()));
    ASSERT_TRUE(read.ok()) << read.problem;
    AdifOptions options;
    options.digital = *parseDigitalMode("psk31").mode;
    options.phone = "FM";
    options.createdTimestamp = "20261207 031500";
    options.programVersion = "9.9";
    EXPECT_EQ(adifFrom(read.log, options),
        "Velmara QSO Party log of K1VL, exported by VLWinLog\r\n"
        "<ADIF_VER:5>3.1.4 <PROGRAMID:8>VLWinLog <PROGRAMVERSION:3>9.9 <CREATED_TIMESTAMP:15>20261207 031500 <EOH>\r\n"
        "<CALL:6>N0CALL <QSO_DATE:8>20261206 <TIME_ON:4>1830 <BAND:3>20m <MODE:2>FM <RST_SENT:2>59 <RST_RCVD:2>59 <NAME:3>BOB <SRX_STRING:3>123 <STX_STRING:3>012 "
        "<CONTEST_ID:17>VELMARA-QSO-PARTY <STATION_CALLSIGN:4>K1VL <EOR>\r\n"
        "<CALL:6>W1AW/4 <QSO_DATE:8>20261206 <TIME_ON:4>1845 <BAND:3>40m <MODE:2>CW <RST_SENT:3>599 <RST_RCVD:3>579 <NAME:4>RENE <SRX_STRING:3>007 <STX_STRING:3>012 "
        "<CONTEST_ID:17>VELMARA-QSO-PARTY <STATION_CALLSIGN:4>K1VL <EOR>\r\n"
        "<CALL:5>K2XYZ <QSO_DATE:8>20261206 <TIME_ON:4>1902 <BAND:3>80m <MODE:3>PSK <SUBMODE:5>PSK31 <RST_SENT:3>599 <RST_RCVD:3>599 <NAME:3>SAM <SRX_STRING:3>599 <STX_STRING:3>012 "
        "<CONTEST_ID:17>VELMARA-QSO-PARTY <STATION_CALLSIGN:4>K1VL <COMMENT:3>NVL <EOR>\r\n"
        "<CALL:5>K3BNV <QSO_DATE:8>20261206 <TIME_ON:4>1910 <BAND:4>160m <MODE:2>CW <RST_SENT:3>599 <RST_RCVD:3>599 <NAME:3>JOE <SRX_STRING:3>599 <STX_STRING:3>012 "
        "<CONTEST_ID:17>VELMARA-QSO-PARTY <STATION_CALLSIGN:4>K1VL <COMMENT:4>BNVL <EOR>\r\n"
        "<CALL:6>N0CALL <QSO_DATE:8>20261206 <TIME_ON:4>1915 <BAND:3>20m <MODE:2>FM <RST_SENT:2>59 <RST_RCVD:2>59 <NAME:3>BOB <SRX_STRING:3>123 <STX_STRING:3>012 "
        "<CONTEST_ID:17>VELMARA-QSO-PARTY <STATION_CALLSIGN:4>K1VL <COMMENT:4>DUPE <EOR>\r\n"
        "<CALL:5>G4ABC <QSO_DATE:8>20261207 <TIME_ON:4>0005 <BAND:3>15m <MODE:2>FM <RST_SENT:2>59 <RST_RCVD:2>57 <NAME:3>IAN <SRX_STRING:3>001 <STX_STRING:3>012 "
        "<CONTEST_ID:17>VELMARA-QSO-PARTY <STATION_CALLSIGN:4>K1VL <EOR>\r\n"
        "<CALL:5>VE3XY <QSO_DATE:8>20261207 <TIME_ON:4>0020 <BAND:3>10m <MODE:2>CW <RST_SENT:3>599 <RST_RCVD:3>599 <NAME:2>AL <SRX_STRING:3>123 <STX_STRING:3>012 "
        "<CONTEST_ID:17>VELMARA-QSO-PARTY <STATION_CALLSIGN:4>K1VL <COMMENT:8>nice sig <EOR>\r\n"
        "<CALL:6>KH6DIG <QSO_DATE:8>20261207 <TIME_ON:4>0100 <BAND:2>6m <MODE:3>PSK <SUBMODE:5>PSK31 <RST_SENT:3>599 <RST_RCVD:3>599 <NAME:3>KAI <SRX_STRING:3>001 <STX_STRING:3>012 "
        "<CONTEST_ID:17>VELMARA-QSO-PARTY <STATION_CALLSIGN:4>K1VL <EOR>\r\n"
        "<CALL:4>W9UV <QSO_DATE:8>20261207 <TIME_ON:4>0230 <BAND:2>2m <MODE:2>FM <RST_SENT:2>59 <RST_RCVD:2>59 <NAME:2>ED <SRX_STRING:3>007 <STX_STRING:3>012 "
        "<CONTEST_ID:17>VELMARA-QSO-PARTY <STATION_CALLSIGN:4>K1VL <EOR>\r\n");
}

TEST(CabrilloChecker, FindsLinesOffTheTemplate) {
    const std::string head = "START-OF-LOG: 3.0\r\nCALLSIGN: K1VL\r\n";
    const std::string good = "QSO: 14000 PH 2026-12-06 1830 K1VL           59 012    N0CALL         59 123\r\n";
    const std::string tail = "END-OF-LOG:\r\n";
    ASSERT_EQ(cabrilloFaults(head + good + tail), std::vector<std::string>{});
    for (const std::string bad : {
             "QSO: 14000 SSB 2026-12-06 1830 K1VL          59 012    N0CALL         59 123\r\n",
             "QSO: 14000 PH 2026-12-06 1830 K1VL          59  012    N0CALL         59 123\r\n",
             "QSO: 14000 PH 06/12/2026 1830 K1VL           59 012    N0CALL         59 123\r\n",
             "QSO: 14000 PH 2026-12-06 1830 K1VL           59 012    N\xD8" "CALL         59 123\r\n",
             "QSO: 14000 PH 2026-12-06 2460 K1VL           59 012    N0CALL         59 123\r\n",
             "QSO:  14000 PH 2026-12-06 1830 K1VL          59 012    N0CALL         59 123\r\n",
             "QSO: 14000 PH 2026-12-06 1830 K1VL           59 012    N0CALL         59 123\n",
         }) {
        EXPECT_NE(cabrilloFaults(head + bad + tail), std::vector<std::string>{}) << bad;
    }
    EXPECT_NE(cabrilloFaults(head + "CATEGORY-BAND: 2M\r\nCATEGORY-MODE: PH\r\n" + tail),
              std::vector<std::string>{});
}

TEST(ExportLogRead, WhatStopsAnExportIsSaidAndNothingIsPrepared) {
    struct Case {
        const char* file;      // written over the sample folder's file, or removed when null content
        const char* content;   // null: the file is removed
        const char* says;      // a part of the problem text
    };
    const std::string badBand =
        "\"W1AW    \",\"599 \",\"599 \",\"007\",\"AL     \",\"12 \",\"CW \",\"12/06/2026\",\"18:30 \",\"\"\r\n";
    const std::string badDate =
        "\"W1AW    \",\"599 \",\"599 \",\"007\",\"AL     \",\"20 \",\"CW \",\"13/06/2026\",\"18:30 \",\"\"\r\n";
    const std::string noChapter =
        "\"W1AW    \",\"599 \",\"599 \",\"   \",\"AL     \",\"20 \",\"CW \",\"12/06/2026\",\"18:30 \",\"\"\r\n";
    for (const Case& c : {
             Case{"LogOnFile.txt", nullptr, "the registration file \"LogOnFile.txt\" was not found. Register"},
             Case{"LogOnFile.txt", "\"K1VL\",\"012\"\r\n", "holds 2 of its 12 fields"},
             Case{"LogOnFile.txt", "\"\",\"012\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"2026\",0,\"\"\r\n", "holds no callsign"},
             Case{"LogOnFile.txt", "\"K1VL\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"2026\",0,\"\"\r\n", "holds no own chapter number"},
             Case{"vlqsolog.txt", nullptr, "the contact log \"vlqsolog.txt\" was not found"},
             Case{"vlqsolog.txt", "\r\n", "holds no contacts"},
             Case{"vlqsolog.txt", badBand.c_str(), "Contact 1 of the log (W1AW) cannot be exported: its band \"12\""},
             Case{"vlqsolog.txt", badDate.c_str(), "its date \"13/06/2026\""},
             Case{"vlqsolog.txt", noChapter.c_str(), "its chapter is empty"},
         }) {
        TempFolder folder;
        writeSampleFolder(folder);
        if (c.content) folder.write(c.file, c.content);
        else std::filesystem::remove(folder.path() / c.file);
        const ExportLogRead read = readExportLog(logbook::DataFolder(folder.path()));
        EXPECT_NE(read.problem.find(c.says), std::string::npos) << read.problem;
        EXPECT_TRUE(read.log.contacts.empty()) << c.says;
    }
}

TEST(ExportText, EveryLetterReachesAsciiAndNoneIsDropped) {
    struct Case {
        std::string cp1252;
        std::string text;  // asciiTrimmed
        std::string call;  // asciiCall
    };
    for (const Case& c : {
             Case{"REN\xC9", "RENE", "RENE"},
             Case{"  N\xD8" "CALL ", "NOCALL", "N0CALL"},
             Case{"S\xF8ren \xC6gir", "Soren AEgir", "Soren AEgir"},
             Case{"Stra\xDF" "e", "Strasse", "Strasse"},
             Case{"\x80" "5 \xA9", "EUR5 (C)", "EUR5 (C)"},
             Case{"a\x81" "b\tc", "a?b c", "a?b c"},
         }) {
        EXPECT_EQ(asciiTrimmed(c.cp1252), c.text) << c.cp1252;
        EXPECT_EQ(asciiCall(c.cp1252), c.call) << c.cp1252;
    }
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string spelled = asciiText(std::string(1, static_cast<char>(byte)));
        EXPECT_FALSE(spelled.empty()) << byte;
        for (char ch : spelled) EXPECT_LT(static_cast<unsigned char>(ch), 0x80) << byte;
    }
}

TEST(DigitalModeChoice, ModeSubmodeOrPairFromTheAdifTableOrRefused) {
    struct Case {
        const char* typed;
        std::optional<DigitalMode> parsed;
        const char* problem = "";  // a part of the refusal
    };
    for (const Case& c : {
             Case{"RTTY", DigitalMode{"RTTY", ""}},
             Case{" ft8 ", DigitalMode{"FT8", ""}},
             Case{"FT4", DigitalMode{"MFSK", "FT4"}},
             Case{"psk31", DigitalMode{"PSK", "PSK31"}},
             Case{"mfsk/ft4", DigitalMode{"MFSK", "FT4"}},
             Case{"OLIVIA 8/250", DigitalMode{"OLIVIA", "OLIVIA 8/250"}},
             Case{"OLIVIA/OLIVIA 8/250", DigitalMode{"OLIVIA", "OLIVIA 8/250"}},
             Case{"jt9/jt9e fast", DigitalMode{"JT9", "JT9E FAST"}},
             Case{"", std::nullopt, "no mode is named"},
             Case{"PSK/", std::nullopt, "no submode is named after PSK/"},
             Case{"/PSK31", std::nullopt, "no mode is named"},
             Case{"RTTY/FT8", std::nullopt, "FT8 is a mode of its own, not a submode of RTTY"},
             Case{"MFSK/PSK31", std::nullopt, "PSK31 is a submode of PSK, not of MFSK"},
             Case{"PSK/PSK>31", std::nullopt, "PSK>31 is no submode of PSK"},
             Case{"FT9", std::nullopt, "FT9 is no ADIF 3.1.4 mode"},
             Case{"SSB", std::nullopt, "SSB is not a digital mode"},
             Case{"USB", std::nullopt, "SSB is not a digital mode"},
         }) {
        const DigitalModeRead read = parseDigitalMode(c.typed);
        EXPECT_EQ(read.mode, c.parsed) << c.typed;
        EXPECT_NE(read.problem.find(c.problem), std::string::npos) << c.typed << ": " << read.problem;
        if (!c.parsed) {
            EXPECT_EQ(read.problem.rfind("The digital mode \"" + std::string(c.typed) +
                                             "\" cannot be written to ADIF: ", 0), 0u) << read.problem;
        }
    }
    for (std::string_view offered : kDigitalModeChoices) {
        EXPECT_TRUE(parseDigitalMode(offered).mode.has_value()) << offered;
    }
    // Every submode has exactly one mode.
    std::map<std::string, int> parents;
    for (const AdifMode& m : adifModes()) {
        for (size_t from = 0; from < m.submodes.size();) {
            const size_t comma = std::min(m.submodes.find(',', from), m.submodes.size());
            ++parents[std::string(m.submodes.substr(from, comma - from))];
            from = comma + 1;
        }
    }
    for (const auto& [submode, count] : parents) EXPECT_EQ(count, 1) << submode;
    EXPECT_EQ(parsePhoneMode(" digitalvoice"), "DIGITALVOICE");
    EXPECT_EQ(parsePhoneMode("USB"), std::nullopt);
}

TEST(ExportFileName, CallAndYearMadeSafeAsTheSheetsName) {
    logbook::Registration r;
    r.call = "W1AW/4";
    r.year = "2026";
    EXPECT_EQ(exportFileName(r, ExportFormat::kCabrillo).onDisk, "W1AW-42026.log");
    EXPECT_EQ(exportFileName(r, ExportFormat::kAdif).onDisk, "W1AW-42026.adi");
    r.call = "N\xD8" "CALL";
    EXPECT_EQ(exportFileName(r, ExportFormat::kAdif).shown, "N\xD8" "CALL2026.adi");
    EXPECT_EQ(exportFileName(r, ExportFormat::kAdif).onDisk, "N\xC3\x98" "CALL2026.adi");
}

// The real program in the folder, with no display of any kind.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

ProgramRun runProgram(const TempFolder& folder, const std::string& arguments) {
    const std::string command = "cd '" + folder.path().string() +
                                "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                VL_PROGRAM_PATH + "' " + arguments + " >out.txt 2>err.txt";
    ProgramRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = folder.read("out.txt");
    run.err = folder.read("err.txt");
    return run;
}

TEST(CommandLine, ExportsAndExitsWithoutADisplay) {
    struct Case {
        const char* arguments;
        const char* removed;  // a file of the sample folder taken away first, or null
        int status;
        const char* out;      // a part of standard output
        const char* err;      // a part of standard error
    };
    for (const Case& c : {
             Case{"--export-cabrillo K1VL2026.log", nullptr, 0,
                  "The Cabrillo log with 9 contacts has been written to File K1VL2026.log", ""},
             Case{"--export-adif K1VL2026.adi --digital-mode ft8", nullptr, 0,
                  "The ADIF log with 9 contacts has been written to File K1VL2026.adi", ""},
             Case{"--export-cabrillo x.log", "vlqsolog.txt", 1, "",
                  "vlwinlog: Nothing was exported: the contact log \"vlqsolog.txt\" was not found."},
             Case{"--export-adif x.adi", "LogOnFile.txt", 1, "",
                  "the registration file \"LogOnFile.txt\" was not found."},
             Case{"--export-adif no/such/folder/x.adi", nullptr, 1, "",
                  "the file no/such/folder/x.adi could not be written (No such file or directory)."},
             Case{"--export-adif x.adi --digital-mode 'PSK/'", nullptr, 2, "",
                  "The digital mode \"PSK/\" cannot be written to ADIF"},
             Case{"--export-cabrillo x.log --digital-mode FT8", nullptr, 2, "",
                  "--digital-mode goes with --export-adif only."},
             Case{"--export-cabrillo a.log --export-adif b.adi", nullptr, 2, "",
                  "vlwinlog: Give one of --export-cabrillo FILE or --export-adif FILE, not both."},
             Case{"--export-adif x.adi --bogus", nullptr, 2, "", "Unknown option 'bogus'."},
             Case{"--export-adif", nullptr, 2, "", "Missing value after '--export-adif'."},
             Case{"--export-adif ''", nullptr, 2, "", "Name the file to export to."},
             Case{"--export-adif x.adi --choose-folder", nullptr, 2, "",
                  "An export runs without a window: name its FOLDER instead of --choose-folder."},
             Case{"--export-adif x.adi . .", nullptr, 2, "", "Give one working folder only."},
             Case{"--export-adif x.adi absent", nullptr, 1, "",
                  "vlwinlog: Nothing was exported: the working folder \"absent\" does not exist."},
             Case{"--export-adif x.adi vlqsolog.txt", nullptr, 1, "",
                  "\"vlqsolog.txt\" is a file, not a folder."},
             // Refused before any window system is asked for.
             Case{"--bogus", nullptr, 2, "", "vlwinlog: Unknown option 'bogus'."},
             Case{"-platform xcb --bogus", nullptr, 2, "", "Unknown option 'bogus'."},
             Case{"--export-adif x.adi --export-adif y.adi", nullptr, 2, "",
                  "vlwinlog: Give --export-adif once only."},
             Case{"--export-adif x.adi --phone-mode CB", nullptr, 2, "",
                  "The phone mode \"CB\" cannot be written to ADIF: give SSB, FM, AM or DIGITALVOICE."},
             Case{"--export-cabrillo x.log --phone-mode FM", nullptr, 2, "",
                  "--phone-mode goes with --export-adif only."},
             Case{"--export-cabrillo -", nullptr, 0, "START-OF-LOG: 3.0\r\n",
                  "The Cabrillo log with 9 contacts has been written to File - (standard output)"},
             // The program's own files are never an export's target.
             Case{"--export-cabrillo vlqsolog.txt", nullptr, 1, "",
                  "vlwinlog: Nothing was exported: the file vlqsolog.txt is the program's own "
                  "vlqsolog.txt in the working folder, which an export must not replace."},
             Case{"--export-cabrillo ChapsWorked.TXT", nullptr, 1, "", "own chapsworked.txt"},
             Case{"--export-cabrillo linked.log", nullptr, 1, "", "own BonusCall.txt"},
         }) {
        TempFolder folder;
        writeSampleFolder(folder);
        if (c.removed) std::filesystem::remove(folder.path() / c.removed);
        std::filesystem::create_hard_link(folder.path() / "BonusCall.txt",
                                          folder.path() / "linked.log");
        const ProgramRun run = runProgram(folder, c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << c.arguments << "\n" << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.arguments << "\n" << run.err;
        if (c.status != 0) {
            EXPECT_FALSE(folder.has("x.log") || folder.has("x.adi")) << c.arguments;
            if (!c.removed) {
                EXPECT_EQ(folder.read("vlqsolog.txt"), kLog) << c.arguments;
            }
            EXPECT_EQ(folder.read("BonusCall.txt"), "\"K3BNV\"\r\n") << c.arguments;
        }
    }

    // The file the command line writes is the writer's, whole.
    TempFolder folder;
    writeSampleFolder(folder);
    ASSERT_EQ(runProgram(folder, "--export-cabrillo K1VL2026.log").status, 0);
    EXPECT_EQ(folder.read("K1VL2026.log"), expectedCabrillo(programVersion()));
    EXPECT_FALSE(folder.has("K1VL2026.log.tmp"));

    // A FOLDER named is the one whose log is read; a relative FILE is written
    // in the current folder.
    TempFolder elsewhere;
    const ProgramRun named = runProgram(
        elsewhere, "--export-cabrillo out.log '" + folder.path().string() + "'");
    ASSERT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(elsewhere.read("out.log"), expectedCabrillo(programVersion()));
    EXPECT_FALSE(folder.has("out.log"));

    // The modes named reach the file; FILE "-" is the file on standard output.
    const ProgramRun adif = runProgram(folder, "--export-adif - --digital-mode ft4 --phone-mode am");
    ASSERT_EQ(adif.status, 0) << adif.err;
    EXPECT_NE(adif.out.find("<MODE:4>MFSK <SUBMODE:3>FT4 "), std::string::npos) << adif.out;
    EXPECT_NE(adif.out.find("<BAND:3>20m <MODE:2>AM "), std::string::npos) << adif.out;
    EXPECT_EQ(adif.out.find("The ADIF log"), std::string::npos);

    // Folder and file names are the bytes given (here Latin-1), whatever the locale.
    const std::filesystem::path latin1 = elsewhere.path() / "caf\xE9";
    std::filesystem::copy(folder.path(), latin1);
    const ProgramRun bytes = runProgram(
        elsewhere, "--export-cabrillo \"$(printf 'caf\\351.log')\" \"$(printf 'caf\\351')\"");
    ASSERT_EQ(bytes.status, 0) << bytes.err;
    EXPECT_EQ(elsewhere.read("caf\xE9.log"), expectedCabrillo(programVersion()));

    // A refusal naming a call with Ø is UTF-8 on the terminal; a score past
    // 32767 is claimed in full and said once.
    folder.write("vlqsolog.txt", "\"N\xD8 CALL \",\"59  \",\"59  \",\"123\",\"BOB    \",\"20 \",\"PHN\","
                                 "\"12/06/2026\",\"18:30 \",\"\"\r\n");
    const ProgramRun refused = runProgram(folder, "--export-cabrillo x.log");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("(N\xC3\x98 CALL) cannot be written to Cabrillo: its callsign "
                               "\"N\xC3\x98 CALL\" holds a blank."), std::string::npos) << refused.err;
    EXPECT_FALSE(folder.has("x.log"));
    writeSampleFolder(folder);
    std::string chapters;
    for (int i = 0; i < 6000; ++i) chapters += "\"" + std::to_string(1000 + i) + "\"\r\n";
    folder.write("chapsworked.txt", chapters);
    const ProgramRun larger = runProgram(folder, "--export-cabrillo big.log");
    ASSERT_EQ(larger.status, 0) << larger.err;
    EXPECT_NE(folder.read("big.log").find("CLAIMED-SCORE: 42045\r\n"), std::string::npos);
    EXPECT_EQ(larger.err, "vlwinlog: The claimed score 42045 is larger than 32767, the largest "
                          "number the score counters hold. It is claimed in full; check it against "
                          "your log.\n");
}

}  // namespace
}  // namespace vl::exports
