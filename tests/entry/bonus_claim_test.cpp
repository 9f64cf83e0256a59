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

TEST(BonusClaim, TheReminderIsForChapter599InAnyWriting) {
    for (const char* chapter : {"599", "599.0", " 599"}) EXPECT_TRUE(remindsOfBonus(chapter)) << chapter;
    for (const char* chapter : {"", "59", "5990", "ABC"}) EXPECT_FALSE(remindsOfBonus(chapter)) << chapter;
}

}  // namespace
}  // namespace vl::entry
