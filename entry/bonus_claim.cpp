#include "entry/bonus_claim.h"

#include "logbook/contact_record.h"
#include "logbook/number_text.h"

namespace vl::entry {

std::string nonMemberComment(std::string_view comment) {
    return std::string(comment == logbook::kDupe ? logbook::kDupe : logbook::kNonMember);
}

std::string claimBonus(std::string_view comment) {
    return std::string(comment == logbook::kNonMember ? logbook::kBonusClaimed : comment);
}

bool remindsOfBonus(std::string_view chapterBox, std::string_view comment) {
    if (comment == logbook::kDupe) return false;
    const std::optional<double> chapter = logbook::parseNumber(chapterBox);
    return chapter && *chapter == 599;
}

}  // namespace vl::entry
