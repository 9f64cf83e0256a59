#include "reports/write_summary_sheet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "logbook/registration.h"
#include "sheet_totals.h"
#include "temp_folder.h"

namespace vl::reports {
namespace {

namespace fs = std::filesystem;

std::string registrationLine(const std::string& call, const std::string& year) {
    // call, chapter, address, state, report, name, chapter name, city, ZIP,
    // year, UTC offset, e-mail
    return "\"" + call + "\",\"012\",\"1 Test Road\",\"North\",\"599\",\"Kim\",\"Lindenport\","
           "\"Lindenport\",\"10001\",\"" + year + "\",-5,\"kim@example.org\"\r\n";
}

const std::string kOneContact =
    "\"QV2AAA  \",\"599 \",\"599 \",\"034\",\"ANN    \",\"20 \",\"CW \",\"06/13/2026\",\"18:30 \","
    "\"BNVL\"\r\n";

class WriteSummarySheet : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(dir.path().empty()); }

    SheetOutcome run(const scoring::Counters& totals = fixture::totalsOf(1, 0, 0, 1, 0, 0)) {
        return writeSummarySheet(folder, totals, {{{"034"}, {}, {}}});
    }
    void registerAs(const std::string& call, const std::string& year = "2026") {
        dir.write("LogOnFile.txt", registrationLine(call, year));
    }
    // Only the files a test put there, plus what the command made.
    size_t fileCount() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) ++n;
        return n;
    }

    fixture::TempFolder dir;
    logbook::DataFolder folder{dir.path()};
};

TEST_F(WriteSummarySheet, WritesTheSheetUnderCallAndYear) {
    registerAs("QV1TST");
    dir.write("vlqsolog.txt", kOneContact);
    const SheetOutcome out = run();
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_EQ(out.message, "Your VLQSO Results for 2026 has been printed to File QV1TST2026.txt");
    EXPECT_EQ(out.fileName, "QV1TST2026.txt");
    EXPECT_EQ(out.path, dir.path() / "QV1TST2026.txt");
    EXPECT_FALSE(dir.has("VLLogOut.txt"));
    const std::string sheet = dir.read("QV1TST2026.txt");
    EXPECT_NE(sheet.find("Call Sign QV1TST\r\n"), std::string::npos);
    EXPECT_NE(sheet.find("QV2AAA      599  599   034  ANN        20  CW   BNVL\r\n"),
              std::string::npos);
    EXPECT_EQ(out.scores.totscore, 1);
    EXPECT_TRUE(out.notes.empty());
}

TEST_F(WriteSummarySheet, MissingBonusFileGivesNoPointsAndIsCreatedEmpty) {
    registerAs("QV1TST");
    dir.write("vlqsolog.txt", "");
    const SheetOutcome out = run();
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_EQ(out.scores.bonusPoints, 0);
    EXPECT_EQ(out.scores.totscore, out.scores.totscoreBeforeBonus);
    ASSERT_TRUE(dir.has("BonusCall.txt"));
    EXPECT_EQ(dir.read("BonusCall.txt"), "");
    EXPECT_NE(dir.read("QV1TST2026.txt").find("Final Score:  1\r\n"), std::string::npos);
}

TEST_F(WriteSummarySheet, BonusEntriesAreCountedAcrossLinesAndCapped) {
    registerAs("QV1TST");
    dir.write("vlqsolog.txt", "");
    std::string bonus;
    for (int i = 1; i <= 11; ++i) bonus += "\"B" + std::to_string(i) + "\"\r\n";
    bonus += "\"B12\",\"B13\"\r\n";
    dir.write("bonuscall.txt", bonus);
    const SheetOutcome out = run();
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_EQ(out.scores.bonusPoints, 100);
    EXPECT_EQ(out.scores.totscore, 101);
    EXPECT_EQ(dir.read("bonuscall.txt"), bonus);
}

TEST_F(WriteSummarySheet, ReplacesAnOlderSheetOfTheSameName) {
    registerAs("QV1TST");
    dir.write("vlqsolog.txt", kOneContact);
    dir.write("QV1TST2026.txt", "old sheet");
    dir.write("qv1tst2026.TXT", "old sheet, other spelling");
    const SheetOutcome out = run();
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_NE(dir.read("QV1TST2026.txt").find("Annual Velmara QSO Party"), std::string::npos);
    EXPECT_FALSE(dir.has("qv1tst2026.TXT"));
    // registration, log, bonus file, sheet
    EXPECT_EQ(fileCount(), 4u);

    // A FAT stick lists the new sheet under the old spelling it replaced; a
    // name that leads to the new sheet itself is not an older sheet.
    fs::create_symlink("QV1TST2026.txt", dir.path() / "qv1tst2026.TXT");
    ASSERT_TRUE(run().ok);
    EXPECT_NE(dir.read("qv1tst2026.TXT").find("Annual Velmara QSO Party"), std::string::npos);
}

TEST_F(WriteSummarySheet, FailedRenameLosesNoOlderSheet) {
    registerAs("QV1TST");
    dir.write("vlqsolog.txt", kOneContact);
    fs::create_directory(dir.path() / "QV1TST2026.txt");  // the name is taken by a folder
    dir.write("QV1TST2026.txt/notes", "kept");
    dir.write("qv1tst2026.TXT", "old sheet, other spelling");
    const SheetOutcome out = run();
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.message.find("could not be renamed to \"QV1TST2026.txt\""), std::string::npos)
        << out.message;
    EXPECT_EQ(dir.read("qv1tst2026.TXT"), "old sheet, other spelling");
    EXPECT_EQ(dir.read("QV1TST2026.txt/notes"), "kept");
    EXPECT_NE(dir.read("VLLogOut.txt").find("Annual Velmara QSO Party"), std::string::npos);
}

TEST_F(WriteSummarySheet, FolderNamedLikeTheSheetIsNotAnOlderSheet) {
    registerAs("QV1TST");
    dir.write("vlqsolog.txt", kOneContact);
    fs::create_directory(dir.path() / "qv1tst2026.TXT");
    fs::create_directory(dir.path() / "QV1TST2026.Txt");
    dir.write("QV1TST2026.Txt/notes", "kept");
    const SheetOutcome out = run();
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_TRUE(out.notes.empty());
    EXPECT_NE(dir.read("QV1TST2026.txt").find("Annual Velmara QSO Party"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(dir.path() / "qv1tst2026.TXT"));
    EXPECT_EQ(dir.read("QV1TST2026.Txt/notes"), "kept");
}

TEST_F(WriteSummarySheet, PortableCallGivesADashedNameThatTheMessageStates) {
    registerAs("W1AW/4");
    dir.write("vlqsolog.txt", "");
    const SheetOutcome out = run();
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_TRUE(dir.has("W1AW-42026.txt"));
    EXPECT_EQ(out.message, "Your VLQSO Results for 2026 has been printed to File W1AW-42026.txt");
    EXPECT_NE(dir.read("W1AW-42026.txt").find("Call Sign W1AW/4\r\n"), std::string::npos);
}

TEST_F(WriteSummarySheet, SlashedZeroGivesAUtf8NameAndASingleByteSheet) {
    registerAs("N\xD8" "CALL");
    dir.write("vlqsolog.txt", "");
    const SheetOutcome out = run();
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_TRUE(dir.has("N\xC3\x98" "CALL2026.txt"));
    EXPECT_EQ(out.message,
              "Your VLQSO Results for 2026 has been printed to File N\xD8" "CALL2026.txt");
    EXPECT_NE(dir.read("N\xC3\x98" "CALL2026.txt").find("Call Sign N\xD8" "CALL\r\n"),
              std::string::npos);
}

TEST_F(WriteSummarySheet, OverrideFileChangesTheOrganisersTexts) {
    registerAs("QV1TST");
    dir.write("vlqsolog.txt", "");
    dir.write("VLSheetText.txt", "\"sponsor\",\"The Lindenport Club\"\r\n\"broken\r\n");
    const SheetOutcome out = run();
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_EQ(out.notes.size(), 1u);
    EXPECT_NE(dir.read("QV1TST2026.txt").find("\r\n              The Lindenport Club\r\n"),
              std::string::npos);
}

TEST_F(WriteSummarySheet, MissingRegistrationWritesNothing) {
    dir.write("vlqsolog.txt", kOneContact);
    const SheetOutcome out = run();
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.message.find("\"LogOnFile.txt\" was not found"), std::string::npos);
    EXPECT_FALSE(dir.has("VLLogOut.txt"));
    EXPECT_EQ(fileCount(), 1u);
}

TEST_F(WriteSummarySheet, ShortRegistrationWritesNothing) {
    dir.write("LogOnFile.txt", "\"QV1TST\",\"012\",\"1 Test Road\"\r\n");
    dir.write("vlqsolog.txt", kOneContact);
    const SheetOutcome out = run();
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.message.find("holds 3 of its 12 fields"), std::string::npos);
    EXPECT_EQ(fileCount(), 2u);
}

TEST_F(WriteSummarySheet, MissingLogWritesNothing) {
    registerAs("QV1TST");
    const SheetOutcome out = run();
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.message.find("\"vlqsolog.txt\" was not found"), std::string::npos);
    EXPECT_FALSE(dir.has("VLLogOut.txt"));
    EXPECT_FALSE(dir.has("QV1TST2026.txt"));
    EXPECT_EQ(fileCount(), 1u);
}

TEST_F(WriteSummarySheet, ScorePastThe16BitRangeIsReportedWhole) {
    registerAs("QV1TST");
    dir.write("vlqsolog.txt", "");
    const SheetOutcome out = run(fixture::totalsOf(300, 0, 0, 200, 0, 0));
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_EQ(out.scores.cdconpts, 60000);
    EXPECT_EQ(out.scores.totscore, 60000);
    EXPECT_NE(dir.read("QV1TST2026.txt").find("Final Score:  60000\r\n"), std::string::npos);
    EXPECT_EQ(out.notes, std::vector<std::string>{std::string(scoring::kScoreBeyondRangeNote)});
}

// Scores at the edge of the range, and past it only by the bonus.
TEST_F(WriteSummarySheet, ScoreRangeIsToldOnlyWhenPassed) {
    registerAs("QV1TST");
    dir.write("vlqsolog.txt", "");
    struct Row {
        int ctot, ochptot;
        size_t bonusEntries;
        bool told;
    };
    for (const Row& row : {Row{181, 181, 0, false}, Row{32767, 1, 0, false},
                           Row{32767, 1, 1, true}, Row{182, 181, 0, true}}) {
        std::string bonus;
        for (size_t i = 0; i < row.bonusEntries; ++i) bonus += "\"QV9BON\"\r\n";
        dir.write("BonusCall.txt", bonus);
        const SheetOutcome out = run(fixture::totalsOf(row.ctot, 0, 0, row.ochptot, 0, 0));
        ASSERT_TRUE(out.ok) << out.message;
        EXPECT_EQ(out.notes.size(), row.told ? 1u : 0u) << row.ctot << " x " << row.ochptot;
    }
}

// Page 3 prints each field as the log holds it: a hand-edited name longer
// than the log's width, or with trailing blanks, is neither cut nor padded,
// so what follows moves on to the next line at its column.
TEST_F(WriteSummarySheet, LogFieldsArePrintedExactlyAsRead) {
    registerAs("QV1TST");
    dir.write("vlqsolog.txt",
              "\"QV2AAA\",\"599\",\"599\",\"034\",\"ANNABELLE JONES\",\"20\",\"CW\",\"06/13/2026\","
              "\"18:30\",\"BNVL\"\r\n"
              "\"QV2BBB\",\"599\",\"599\",\"034\",\"BOB            \",\"20 \",\"CW \","
              "\"06/13/2026\",\"18:31 \",\"\"\r\n");
    ASSERT_TRUE(run().ok);
    const std::string sheet = dir.read("QV1TST2026.txt");
    EXPECT_NE(sheet.find(" 1   06/13/2026  18:30  QV2AAA      599  599   034  ANNABELLE JONES\r\n" +
                         std::string(64, ' ') + "20  CW   BNVL\r\n"),
              std::string::npos)
        << sheet;
    EXPECT_NE(sheet.find(" 2   06/13/2026  18:31  QV2BBB      599  599   034  BOB            \r\n" +
                         std::string(64, ' ') + "20  CW "),
              std::string::npos)
        << sheet;
}

}  // namespace
}  // namespace vl::reports
