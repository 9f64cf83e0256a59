#include <gtest/gtest.h>

#include "logbook/chapter_key.h"
#include "case_name.h"

namespace vl::logbook {
namespace {

struct KeyRow {
    const char* chapter;
    const char* key;
};

class ChapterKeyTest : public ::testing::TestWithParam<KeyRow> {};

TEST_P(ChapterKeyTest, GivesOneSpellingPerChapter) {
    EXPECT_EQ(chapterKey(GetParam().chapter), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, ChapterKeyTest,
    ::testing::Values(KeyRow{"7  ", "007"}, KeyRow{"007", "007"}, KeyRow{"7", "007"},
                      KeyRow{" 07\t", "007"}, KeyRow{"123", "123"}, KeyRow{"1234", "1234"},
                      KeyRow{"599", "599"}, KeyRow{"AB ", "AB"}, KeyRow{" A B ", "A B"},
                      KeyRow{"7A", "7A"}, KeyRow{"   ", ""}, KeyRow{"", ""}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.chapter}); });

}  // namespace
}  // namespace vl::logbook
