#pragma once
// "VLRig.txt" in the working folder: which radio the program follows and
// whether it does. One quoted-field line:
//   "MODEL","PORT","FOLLOW"      e.g.  "2","localhost:4532","ON"
// MODEL is Hamlib's radio model number (rigctl -l lists them; 2 is a rigctld
// reached over the network), PORT the radio's device path or rigctld's
// host:port, FOLLOW "ON" or "OFF" (a missing FOLLOW is "OFF"). Further lines
// are not read. Without the file: model 2 at localhost:4532, not following.
#include <optional>
#include <string>
#include <string_view>

#include "logbook/data_folder.h"

namespace vl::rig {

inline constexpr std::string_view kRigSettingsFile = "VLRig.txt";
inline constexpr int kDefaultModel = 2;
inline constexpr std::string_view kDefaultPort = "localhost:4532";

struct RigSettings {
    int model = kDefaultModel;
    std::string port{kDefaultPort};
    bool follow = false;
    bool operator==(const RigSettings&) const = default;
};

struct RigSettingsRead {
    RigSettings settings;  // the defaults, not following, when there is a problem
    // Why the file could not be used, as the operator is told it: the file
    // cannot be read, or its line is quoted (cut to a readable length).
    std::optional<std::string> problem;
};

RigSettingsRead parseRigSettings(std::string_view content);
RigSettingsRead loadRigSettings(const logbook::DataFolder& folder);
std::string formatRigSettings(const RigSettings& settings);
logbook::FileResult saveRigSettings(const logbook::DataFolder& folder, const RigSettings& settings);

// Why the radio cannot be reached, as the Radio box's tip says it.
std::string unreachableMessage(const RigSettings& settings, std::string_view reason);
// Why the radio behind an open link (rigctld) does not answer, for the same tip.
std::string notAnsweringMessage(const RigSettings& settings, std::string_view reason);

}  // namespace vl::rig
