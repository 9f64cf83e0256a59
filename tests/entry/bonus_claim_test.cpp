#include "entry/bonus_claim.h"

#include <gtest/gtest.h>

namespace vl::entry {
namespace {

TEST(BonusClaim, OnlyExactlyNvlIsClaimed) {
    EXPECT_EQ(claimBonus("NVL"), "BNVL");
    for (const char* other : {"nvl", "BNVL", "DUPE", "", " NVL", "NVL "}) {
        EXPECT_EQ(claimBonus(other), other) << other;
    }
}

TEST(BonusClaim, TheReminderIsForChapter599InAnyWritingUnlessADupe) {
    for (const char* chapter : {"599", "599.0", " 599"}) {
        EXPECT_TRUE(remindsOfBonus(chapter, "NVL")) << chapter;
        EXPECT_TRUE(remindsOfBonus(chapter, "")) << chapter;
        EXPECT_FALSE(remindsOfBonus(chapter, "DUPE")) << chapter;
    }
    for (const char* chapter : {"", "59", "5990", "ABC"}) EXPECT_FALSE(remindsOfBonus(chapter, "NVL")) << chapter;
}

// A confirmed dupe stays a dupe whatever the chapter check finds.
TEST(BonusClaim, NonMemberCommentKeepsADupe) {
    EXPECT_EQ(nonMemberComment("DUPE"), "DUPE");
    for (const char* other : {"", "QRP", "dupe", "BNVL", "NVL"}) EXPECT_EQ(nonMemberComment(other), "NVL") << other;
}

}  // namespace
}  // namespace vl::entry
