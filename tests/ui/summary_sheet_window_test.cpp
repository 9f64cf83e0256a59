// Print > To File through the real window.
#include "window_test_support.h"

namespace vl::ui::test {
namespace {

class SummarySheetWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
        writeFile("vlqsolog.txt",
                  "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"ALAN   \",\"20 \",\"PHN\",\"12/06/2026\",\"18:30 \",\"\"\r\n"
                  "\"W2XYZ   \",\"599 \",\"599 \",\"599\",\"BETTY  \",\"40 \",\"CW \",\"12/06/2026\",\"18:35 \",\"BNVL\"\r\n");
        writeFile("chapsworked.txt", "\"007\"\r\n");
        writeFile("CWchapsworked.txt", "\"599\"\r\n");
        writeFile("BonusCall.txt", "\"W2XYZ\"\r\n");
    }
};

TEST_F(SummarySheetWindowTest, WritesTheSheetUnderCallAndYearWithTheCountersOfTheLog) {
    ASSERT_TRUE(startProgram());
    trigger("mnuToFile");
    EXPECT_EQ(dialogs->lastText(),
              QStringLiteral("Your VLQSO Results for 2026 has been printed to File N0CALL2026.txt"));
    ASSERT_TRUE(fileExists("N0CALL2026.txt"));
    EXPECT_FALSE(fileExists("VLLogOut.txt"));
    const std::string sheet = readFile("N0CALL2026.txt");
    // One CW and one phone contact, one chapter each: 2 x 2 = 4, plus 10 bonus points.
    EXPECT_NE(sheet.find("  Total VLQSO Party Score                            4 \r\n"), std::string::npos)
        << sheet;
    EXPECT_NE(sheet.find("Total Score Plus Bonus Points (Max 100) equals Final Score:  14\r\n"),
              std::string::npos);
    EXPECT_NE(sheet.find("  1   12/06/2026  18:30  K1ABC"), std::string::npos);
}

TEST_F(SummarySheetWindowTest, MissingRegistrationIsReportedAndTheProgramGoesOn) {
    ASSERT_TRUE(startProgram());
    std::remove(path("LogOnFile.txt").c_str());
    trigger("mnuToFile");
    EXPECT_FALSE(dialogs->lastText().isEmpty());
    EXPECT_FALSE(host->ended());
    EXPECT_FALSE(fileExists("N0CALL2026.txt"));
}

TEST_F(SummarySheetWindowTest, ExportsAskWhereThenSayWhatWasWrittenWithTheSheetsScore) {
    using Kind = ScriptedDialogs::Shown::Kind;
    writeFile("vlqsolog.txt",
              readFile("vlqsolog.txt") +
                  "\"K3DIG   \",\"599 \",\"599 \",\"007\",\"CAROL  \",\"80 \",\"DIG\",\"12/06/2026\",\"18:40 \",\"\"\r\n");
    writeFile("DIGchapswrk.txt", "\"007\"\r\n");
    ASSERT_TRUE(startProgram());
    const QString folder = dir.path();
    auto kinds = [this] {
        std::vector<Kind> out;
        for (const auto& s : dialogs->shown) out.push_back(s.kind);
        return out;
    };

    // Cabrillo: the save box opens on call + year + ".log" in the working folder.
    dialogs->inputs = {folder + QStringLiteral("/mine.log")};
    trigger("mnuExportCabrillo");
    EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::SaveFile, Kind::Message}));
    EXPECT_EQ(dialogs->shown[0].text, folder + QStringLiteral("/N0CALL2026.log"));
    EXPECT_EQ(dialogs->lastText(),
              QStringLiteral("The Cabrillo log with 3 contacts has been written to File ") + folder +
                  QStringLiteral("/mine.log"));
    const std::string cabrillo = readFile("mine.log");
    trigger("mnuToFile");
    const std::string sheet = readFile("N0CALL2026.txt");
    const std::string finalScore = "equals Final Score:  ";
    const size_t at = sheet.find(finalScore) + finalScore.size();
    const std::string score = sheet.substr(at, sheet.find('\r', at) - at);
    EXPECT_NE(cabrillo.find("CLAIMED-SCORE: " + score + "\r\n"), std::string::npos) << cabrillo;

    // ADIF: the digital and the phone mode are asked for first, then the file.
    dialogs->clear();
    dialogs->inputs = {QStringLiteral("ft4"), QStringLiteral("fm"), folder + QStringLiteral("/N0CALL2026.adi")};
    trigger("mnuExportAdif");
    EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::Choice, Kind::Choice, Kind::SaveFile, Kind::Message}));
    EXPECT_EQ(dialogs->choiceItems, (QStringList{"SSB", "FM", "AM", "DIGITALVOICE"}));
    const std::string adif = readFile("N0CALL2026.adi");
    EXPECT_NE(adif.find("<CALL:5>K3DIG <QSO_DATE:8>20261206 <TIME_ON:4>1840 "
                        "<BAND:3>80m <MODE:4>MFSK <SUBMODE:3>FT4 "),
              std::string::npos) << adif;
    EXPECT_NE(adif.find("<CALL:5>K1ABC <QSO_DATE:8>20261206 <TIME_ON:4>1830 <BAND:3>20m <MODE:2>FM "),
              std::string::npos) << adif;

    // A mode ADIF cannot carry is refused before any file is asked for;
    // Cancel in the save box writes nothing and says nothing.
    std::remove(path("N0CALL2026.adi").c_str());
    for (const auto& [answers, expected] :
         {std::pair{std::deque<QString>{QStringLiteral("PSK/")}, std::vector<Kind>{Kind::Choice, Kind::Message}},
          std::pair{std::deque<QString>{QStringLiteral("RTTY/FT8")}, std::vector<Kind>{Kind::Choice, Kind::Message}},
          std::pair{std::deque<QString>{QStringLiteral("RTTY"), QStringLiteral("CB")},
                    std::vector<Kind>{Kind::Choice, Kind::Choice, Kind::Message}},
          std::pair{std::deque<QString>{QStringLiteral("RTTY"), QStringLiteral("SSB")},
                    std::vector<Kind>{Kind::Choice, Kind::Choice, Kind::SaveFile}}}) {
        dialogs->clear();
        dialogs->inputs = answers;
        trigger("mnuExportAdif");
        EXPECT_EQ(kinds(), expected);
        EXPECT_FALSE(fileExists("N0CALL2026.adi"));
    }

    // The program's own files are refused with a message, and the save box
    // opens again where the operator was.
    const std::string log = readFile("vlqsolog.txt");
    dialogs->clear();
    dialogs->inputs = {folder + QStringLiteral("/VLQSOLOG.TXT"), folder + QStringLiteral("/ok.log")};
    trigger("mnuExportCabrillo");
    EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::SaveFile, Kind::Message, Kind::SaveFile, Kind::Message}));
    EXPECT_TRUE(dialogs->shown[1].text.contains(QStringLiteral("is the program's own vlqsolog.txt")));
    EXPECT_EQ(dialogs->shown[2].text, folder + QStringLiteral("/VLQSOLOG.TXT"));
    EXPECT_EQ(readFile("vlqsolog.txt"), log);
    EXPECT_TRUE(fileExists("ok.log"));

    // Without a log there is nothing to export: said at once.
    std::remove(path("vlqsolog.txt").c_str());
    dialogs->clear();
    trigger("mnuExportCabrillo");
    EXPECT_EQ(kinds(), std::vector<Kind>{Kind::Message});
    EXPECT_EQ(dialogs->lastText(),
              QStringLiteral("Nothing was exported: the contact log \"vlqsolog.txt\" was not found. "
                             "There is no log to export."));
    EXPECT_FALSE(host->ended());
}

// The lists print as the window shows them; after a recount that is the
// chapter as the log holds it.
TEST_F(SummarySheetWindowTest, ChapterListsPrintAsShownAfterARecount) {
    writeFile("vlqsolog.txt",
              "\"K1ABC   \",\"59  \",\"59  \",\"7  \",\"ALAN   \",\"20 \",\"PHN\",\"12/06/2026\",\"18:30 \",\"\"\r\n");
    ASSERT_TRUE(startProgram());
    trigger("mnuRecount");
    trigger("mnuToFile");
    const std::string sheet = readFile("N0CALL2026.txt");
    EXPECT_NE(sheet.find("PHONE Chapters worked\r\n\r\n  7    "), std::string::npos) << sheet;
}

// 200 CW contacts and 200 CW chapters score 40,000, past the counters'
// range: printed whole, told once, and the program goes on.
TEST_F(SummarySheetWindowTest, ScorePastTheCountersRangeIsToldOnce) {
    std::string log;
    std::string chapters;
    for (int i = 0; i < 200; ++i) {
        log += "\"K1ABC   \",\"599 \",\"599 \",\"007\",\"ALAN   \",\"20 \",\"CW \",\"12/06/2026\","
               "\"18:30 \",\"\"\r\n";
        chapters += "\"" + std::to_string(100 + i) + "\"\r\n";
    }
    writeFile("vlqsolog.txt", log);
    writeFile("CWchapsworked.txt", chapters);
    writeFile("chapsworked.txt", "");
    ASSERT_TRUE(startProgram());
    dialogs->clear();
    trigger("mnuToFile");
    EXPECT_EQ(dialogs->texts(),
              (std::vector<QString>{
                  QStringLiteral("A score on the summary sheet is larger than 32767, the largest "
                                 "number the score counters hold.  It is printed in full; check "
                                 "it against your log."),
                  QStringLiteral("Your VLQSO Results for 2026 has been printed to File N0CALL2026.txt")}));
    EXPECT_FALSE(host->ended());
    EXPECT_NE(readFile("N0CALL2026.txt").find("Final Score:  40010\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vl::ui::test
