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

}  // namespace
}  // namespace vl::ui::test
