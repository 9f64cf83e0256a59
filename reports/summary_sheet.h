#pragma once
// The three pages of the summary sheet as bytes: page 1 the registration data,
// the score and the claimed bonus calls; page 2 the chapter lists, the
// questionnaire and where to send the sheet; page 3 the whole log as a table.
// Pages are separated by a line holding only a form feed; lines end in CR LF;
// the text is single-byte like the data files it comes from.
#include <array>
#include <string>
#include <vector>

#include "logbook/contact_record.h"
#include "logbook/registration.h"
#include "scoring/sheet_scores.h"
#include "reports/sheet_texts.h"

namespace vl::reports {

// The chapter lists in the order the sheet prints them: CW, phone, digital,
// each as the window's list shows it ("007").
using ChapterLists = std::array<std::vector<std::string>, 3>;

// `bonusCalls` are the entries of the bonus-call file in file order; the
// first ten are listed. `contacts` are the log's records with their fields
// exactly as read, listed in order and numbered from 1.
std::string buildSummarySheet(const logbook::Registration& registration,
                              const scoring::Counters& totals,
                              const std::vector<std::string>& bonusCalls,
                              const ChapterLists& chapterLists,
                              const std::vector<logbook::ContactRecord>& contacts,
                              const SheetTexts& texts);

}  // namespace vl::reports
