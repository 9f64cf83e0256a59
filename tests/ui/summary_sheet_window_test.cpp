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
