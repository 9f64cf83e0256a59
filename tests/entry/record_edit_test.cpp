#include "entry/record_edit.h"

#include <gtest/gtest.h>

#include "logbook/file_names.h"
#include "temp_folder.h"

namespace vl::entry {
namespace {

using logbook::ContactRecord;

const ContactRecord kGood{"W1XYZ", "59", "57", "7", "JOE", "20", "PHN", "06/01/2026", "14:05", ""};

struct EditRow {
    const char* name;
    void (*edit)(ContactRecord&);
    int field;  // -1: accepted
};

class EditCheckTest : public ::testing::TestWithParam<EditRow> {
protected:
    testing::TempFolder dir;
};

TEST_P(EditCheckTest, NamesTheFirstInvalidBox) {
    dir.write(logbook::names::kRoster, "\"007\",\"Seventh\"\r\n\"599\",\"NVL\"\r\n\"999\",\"End\"\r\n");
    ContactRecord typed = kGood;
    GetParam().edit(typed);
    const EditCheck check = checkEditedRecord(typed, "N0CALL", dir.folder());
    EXPECT_EQ(check.field, GetParam().field) << check.refusal;
    EXPECT_EQ(check.refusal.empty(), GetParam().field < 0);
    if (GetParam().field < 0) {
        EXPECT_EQ(check.record.chapter, "007");
        EXPECT_EQ(check.record.call, "W1XYZ   ");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EditCheckTest,
    ::testing::Values(EditRow{"Accepted", [](ContactRecord&) {}, -1},
                      EditRow{"BadShape", [](ContactRecord& r) { r.call = "12ABC"; }, 0},
                      EditRow{"OwnCall", [](ContactRecord& r) { r.call = "N\xD8" "CALL"; }, 0},
                      EditRow{"NoReport", [](ContactRecord& r) { r.rcvd = " "; }, 2},
                      EditRow{"NotOnRoster", [](ContactRecord& r) { r.chapter = "123"; }, 3},
                      EditRow{"UvBand", [](ContactRecord& r) { r.band = "UV "; }, 5},
                      EditRow{"NoSuchDate", [](ContactRecord& r) { r.date = "02/30/2026"; }, 7},
                      EditRow{"BadTime", [](ContactRecord& r) { r.time = "24:00"; }, 8}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DupeChangeTest, AsksToSetAndToRemoveTheMark) {
    const ContactRecord first{"W1XYZ   ", "", "", "", "", "20 ", "PHN", "", "", ""};
    ContactRecord edited{"W1XYZ", "", "", "", "", "20", "PHN", "", "", ""};
    EXPECT_EQ(dupeChangeAfterEdit(edited, 1, {&first, &edited}), DupeChange::kBecomesDupe);
    edited.comment = "DUPE";
    EXPECT_EQ(dupeChangeAfterEdit(edited, 1, {&first, &edited}), DupeChange::kNone);
    // A record marked DUPE is not the contact another duplicates.
    EXPECT_EQ(dupeChangeAfterEdit(first, 0, {&first, &edited}), DupeChange::kNone);
}

TEST(RecordFilterTest, TakesCallPatternsChaptersBandsAndModes) {
    const ContactRecord a{"W\xD8XYZ   ", "", "", "7  ", "", "10 ", "CW ", "", "", ""};
    const ContactRecord b{"K1AB    ", "", "", "012", "", "20 ", "PHN", "", "", ""};
    struct Case {
        const char* typed;
        bool a, b;
    };
    for (const Case& c : {Case{"", true, true}, Case{"w0*", true, false}, Case{"K1", false, true},
                          Case{"?1A#", false, false}, Case{"[KW]*", true, true},
                          Case{"007", true, false}, Case{"12", false, true},
                          Case{"10", true, false}, Case{"phn", false, true}}) {
        const RecordFilter filter(c.typed);
        EXPECT_EQ(filter.accepts(a), c.a) << c.typed;
        EXPECT_EQ(filter.accepts(b), c.b) << c.typed;
    }
}

}  // namespace
}  // namespace vl::entry
