// Byte-exact lines of every data file the program writes.
#include <gtest/gtest.h>

#include <string>

#include "logbook/contact_record.h"
#include "logbook/history.h"
#include "logbook/registration.h"
#include "logbook/small_files.h"
#include "case_name.h"

namespace vl::logbook {
namespace {

const std::string kSlashedZero = "\xD8";

ContactRecord phoneContact() {
    // As the boxes hold them: nothing padded yet.
    return {"N" + kSlashedZero + "CALL", "59", "59", "123", "BOB", "20", "PHN",
            "12/06/2026", "18:30", ""};
}

TEST(ContactLine, WritesTheLogExampleByteForByte) {
    const std::string expected = "\"N" + kSlashedZero +
                                 "CALL  \",\"59  \",\"59  \",\"123\",\"BOB    \",\"20 \",\"PHN\","
                                 "\"12/06/2026\",\"18:30 \",\"\"\r\n";
    EXPECT_EQ(formatContactLine(phoneContact()), expected);
}

TEST(ContactLine, LengthIs79PlusTheComment) {
    for (const std::string comment : {"", "DUPE", "BNVL", "worked him, again", "  "}) {
        ContactRecord r = phoneContact();
        r.comment = comment;
        EXPECT_EQ(formatContactLine(r).size(), 79 + comment.size()) << comment;
    }
}

struct FieldCase {
    std::string ContactRecord::*field;
    std::string typed;
    std::string stored;  // the field as it stands between its quotes
};

class ContactFieldWidth : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ContactFieldWidth, IsCutOrPaddedInsideTheQuotes) {
    ContactRecord r = phoneContact();
    r.*GetParam().field = GetParam().typed;
    const std::string line = formatContactLine(r);
    EXPECT_NE(line.find("\"" + GetParam().stored + "\""), std::string::npos) << line;
    // Read back, the record holds the padded value, not what was typed.
    const auto back = readContacts(line);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].*GetParam().field, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ContactFieldWidth,
    ::testing::Values(FieldCase{&ContactRecord::call, "W1ABCDEFG", "W1ABCDEF"},
                      FieldCase{&ContactRecord::call, "K1ABC", "K1ABC   "},
                      FieldCase{&ContactRecord::band, "2", "2  "},
                      FieldCase{&ContactRecord::band, "160", "160"},
                      FieldCase{&ContactRecord::mode, "CW", "CW "},
                      FieldCase{&ContactRecord::chapter, "7", "7  "},
                      FieldCase{&ContactRecord::name, "BARTHOLOMEW", "BARTHOL"},
                      FieldCase{&ContactRecord::sent, "599", "599 "},
                      FieldCase{&ContactRecord::time, "18:30", "18:30 "},
                      FieldCase{&ContactRecord::comment, "dupe", "dupe"}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.typed}); });

TEST(ContactLine, EmptyCommentIsTwoAdjacentQuotes) {
    const std::string line = formatContactLine(phoneContact());
    EXPECT_EQ(line.substr(line.size() - 5), ",\"\"\r\n");
}

TEST(RegistrationLine, WritesTheExampleWithTheBareOffset) {
    Registration r;
    r.chapter = "012";
    r.year = "2016";
    r.utcOffset = -5;
    EXPECT_EQ(formatRegistrationLine(r), "\"\",\"012\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"2016\",-5,\"\"\r\n");
}

TEST(RegistrationLine, PositiveOffsetHasNoSignAndReadsBack) {
    Registration r{"N" + kSlashedZero + "CALL", "123", "1 Main St", "VA", "59", "Bob",
                   "Third Chapter", "Town", "12345", "2026", 3, "bob@example.org"};
    const std::string line = formatRegistrationLine(r);
    EXPECT_NE(line.find("\"2026\",3,\"bob@example.org\"\r\n"), std::string::npos) << line;
    const RegistrationRead back = parseRegistration(line);
    EXPECT_EQ(back.fieldsRead, 12);
    EXPECT_TRUE(back.offsetValid);
    EXPECT_EQ(back.registration.utcOffset, 3);
    EXPECT_EQ(back.registration.call, r.call);
    EXPECT_EQ(back.registration.chapterName, "Third Chapter");
    EXPECT_EQ(back.registration.email, r.email);
}

TEST(SmallFileLines, ChapterAndBonusLines) {
    EXPECT_EQ(formatSingleFieldLine("123"), "\"123\"\r\n");
    EXPECT_EQ(formatSingleFieldLine("7  "), "\"7  \"\r\n");  // as logged, not trimmed
    EXPECT_EQ(formatBonusLine("N" + kSlashedZero + "CALL  "), "\"N" + kSlashedZero + "CALL\"\r\n");
    EXPECT_EQ(formatBonusLine(" K1ABC"), "\"K1ABC\"\r\n");
}

TEST(SmallFileLines, StartSwitch) {
    EXPECT_EQ(formatStartSwitch(true), "\"YES\"\r\n");
    EXPECT_EQ(formatStartSwitch(false), "\"NO\"\r\n");
    EXPECT_TRUE(startMessageWanted(formatStartSwitch(true)));
    EXPECT_FALSE(startMessageWanted(formatStartSwitch(false)));
}

TEST(CwMessageLine, NineEmptyMessagesAreNinePairsOfQuotes) {
    EXPECT_EQ(formatCwMessages(CwMessages{}), "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
}

TEST(CwMessageLine, MessagesWithCommasAndBlanksReadBackWhole) {
    const CwMessages messages{"CQ TEST, CQ TEST", "599", " NAME IS BOB ", "", "", "", "",
                              "DE N" + kSlashedZero + "CALL K", "tu, 73"};
    const std::string line = formatCwMessages(messages);
    EXPECT_EQ(line.substr(0, 26), "\"CQ TEST, CQ TEST\",\"599\",\"");
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
    CwMessages back;
    ASSERT_TRUE(parseCwMessages(line, back));
    EXPECT_EQ(back, messages);
}

TEST(HistoryLine, FieldsAreTrimmedAtBothEnds) {
    EXPECT_EQ(formatHistoryLine({" K1ABC  ", " 123 ", "\tBOB  "}), "\"K1ABC\",\"123\",\"BOB\"\r\n");
    EXPECT_EQ(formatHistoryLine({"K1ABC", "", "MARY ANN"}), "\"K1ABC\",\"\",\"MARY ANN\"\r\n");
}

}  // namespace
}  // namespace vl::logbook
