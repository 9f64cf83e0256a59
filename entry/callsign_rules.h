#pragma once
// The callsign shape check run when the report box `txtYears` is entered, and
// the default reports it fills in.
#include <string>
#include <string_view>

namespace vl::entry {

struct CallsignShape {
    bool accepted = false;
    int rule = 0;  // 1 to 10: the rule that decided
};

// The ten rules in order, on the box text as it stands (no trimming); the
// first that applies decides. With c1, c2, c3 the first three characters and
// n the length, "digit" meaning "0" to "9" only (Ø is a letter here) and codes
// taken as unsigned bytes:
//   1 empty: reject            2 n < 3: reject
//   3 c1 = Ø and c2 = Ø: reject
//   4 c2 = Ø and c3 != Ø: accept
//   5 c2 != Ø and c3 = Ø: accept
//   6 c2 and c3 digits: reject
//   7 n = 3, c1 >= 65, c2 digit, c3 >= 65: accept
//   8 c1 and c2 digits: reject
//   9 c2 > 57 and c3 > 57: reject
//  10 otherwise: accept
CallsignShape checkCallsignShape(std::string_view call);

inline constexpr std::string_view kInvalidCallsignMessage = "Invalid Callsign";

// The report both report boxes get after an accepted callsign: "59" on phone
// ("PHN"), "599" in every other mode.
std::string defaultReport(std::string_view modeText);

// A report box's text once the mode changes under a checked row: the new
// mode's default where the box holds the old mode's default, else as typed.
std::string reportAfterModeChange(std::string_view report, std::string_view modeBefore,
                                  std::string_view modeNow);

}  // namespace vl::entry
