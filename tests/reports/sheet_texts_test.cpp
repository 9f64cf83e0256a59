#include "reports/sheet_texts.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace vl::reports {
namespace {

TEST(SheetTexts, BuiltInTextsAreFictional) {
    const SheetTexts t = defaultSheetTexts();
    EXPECT_NE(t.email.find("@example.org"), std::string::npos);
    EXPECT_NE(t.city.find("Velmara"), std::string::npos);
    EXPECT_FALSE(t.sponsor.empty());
    EXPECT_FALSE(t.manager.empty());
    EXPECT_FALSE(t.street.empty());
    EXPECT_FALSE(t.exampleCall.empty());
}

TEST(SheetTexts, OverridesReplaceOnlyTheirKeys) {
    const std::string content =
        "\"Sponsor\",\"The Lindenport Club\"\r\n"
        "\"EXAMPLECALL\",\"QV7AB\"\n"
        "\r\n"
        "\"colour\",\"blue\"\r\n"
        "\"email\",\"Write to x@example.org\"";
    const SheetTextsRead read = applySheetTextOverrides(defaultSheetTexts(), content);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.texts.sponsor, "The Lindenport Club");
    EXPECT_EQ(read.texts.exampleCall, "QV7AB");
    EXPECT_EQ(read.texts.email, "Write to x@example.org");
    EXPECT_EQ(read.texts.manager, defaultSheetTexts().manager);
}

TEST(SheetTexts, LinesThatAreNotKeyAndTextAreReportedAndSkipped) {
    const SheetTextsRead read = applySheetTextOverrides(
        defaultSheetTexts(), "\"street\"\r\n\"city\",\"Open\r\n\"manager\",\"M, QV1M\"\r\n");
    EXPECT_EQ(read.problems.size(), 2u);
    EXPECT_EQ(read.texts.street, defaultSheetTexts().street);
    EXPECT_EQ(read.texts.city, defaultSheetTexts().city);
    EXPECT_EQ(read.texts.manager, "M, QV1M");
}

TEST(SheetTexts, LoadedFromTheWorkingFolderWithoutRegardToCase) {
    fixture::TempFolder dir;
    logbook::DataFolder folder(dir.path());
    EXPECT_EQ(loadSheetTexts(folder).texts.street, defaultSheetTexts().street);
    dir.write("vlsheettext.TXT", "\"street\",\"9 Mill Row\"\r\n");
    EXPECT_EQ(loadSheetTexts(folder).texts.street, "9 Mill Row");
}

}  // namespace
}  // namespace vl::reports
