#pragma once
// The non-member bonus: chapter 599 puts "NVL" in the comment, and F12 or
// Explain VL claims the bonus by turning it into "BNVL". A contact the
// operator confirmed as a dupe keeps "DUPE": it never scores.
#include <string>
#include <string_view>

namespace vl::entry {

// The comment after the chapter check found a non-member: "NVL", unless the
// comment is "DUPE", which stays.
std::string nonMemberComment(std::string_view comment);

// The comment after a claim: exactly "NVL" becomes "BNVL", anything else
// stays as it is.
std::string claimBonus(std::string_view comment);

// Whether entering the name box reminds the operator of the bonus: the
// chapter box holds the number 599 and the contact is not a dupe.
bool remindsOfBonus(std::string_view chapterBox, std::string_view comment);

}  // namespace vl::entry
