#pragma once
// The names of the files the program keeps in its working folder. Several of
// them are spelled in more than one letter case by older habits; every
// spelling of a group is the same file, and these are the canonical spellings
// used when a file is created.
#include <string>
#include <string_view>

namespace vl::logbook::names {

inline constexpr std::string_view kContactLog = "vlqsolog.txt";
inline constexpr std::string_view kPhoneChapters = "chapsworked.txt";
inline constexpr std::string_view kCwChapters = "CWchapsworked.txt";
inline constexpr std::string_view kDigitalChapters = "DIGchapswrk.txt";
inline constexpr std::string_view kBonusCalls = "BonusCall.txt";
inline constexpr std::string_view kRoster = "VLChapters.txt";
inline constexpr std::string_view kHistory = "vlhistory.txt";
inline constexpr std::string_view kRegistration = "LogOnFile.txt";
inline constexpr std::string_view kStartMessage = "NoGreeting.txt";
inline constexpr std::string_view kCwMessages = "CWBuffRecord.txt";
inline constexpr std::string_view kSheetWorkingName = "VLLogOut.txt";
inline constexpr std::string_view kSerialPorts = "VLPorts.txt";

// The canonical spelling of any known name ("VLQsoLog.txt" gives
// "vlqsolog.txt"); an unknown name is returned as it is.
std::string canonicalName(std::string_view name);

// ASCII-only case folding, as file names are compared.
bool sameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace vl::logbook::names
