#pragma once
// The start-up check of the chapters-worked and bonus-call files against the
// contact log. INSERT appends the log first and the derived files after it,
// and Delete Log moves the log before it deletes them, so a power cut between
// two of those writes leaves files that lag the log or outlive it. The files
// are compared with what a recount would write; a difference is offered to
// be mended by a recount.
#include <string>
#include <vector>

#include "logbook/data_folder.h"

namespace vl::scoring {

struct DerivedFilesCheck {
    // "chapter 007 (CW)", "bonus call K1ABC", "a damaged line in BonusCall.txt"
    std::vector<std::string> missing;
    std::vector<std::string> extra;
    bool agrees() const { return missing.empty() && extra.empty(); }
};

// Chapters are compared as numbers ("7  " and "007" are one chapter) and
// bonus calls with their count. A line holding a NUL byte (a hole a power cut
// leaves) is extra. A file that cannot be read is not judged.
DerivedFilesCheck checkDerivedFiles(const logbook::DataFolder& folder);

// The start-up question: what is missing and what is extra (the first few of
// each), and whether to recount now.
std::string derivedFilesQuestion(const DerivedFilesCheck& check);

}  // namespace vl::scoring
