#include "rig/rig_settings.h"

#include <algorithm>
#include <cerrno>
#include <charconv>

#include "logbook/file_names.h"
#include "logbook/quoted_line.h"

namespace vl::rig {

namespace {

constexpr size_t kQuotedLineLength = 60;

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// The line as the operator can read it in a message: control bytes shown as
// '?', and a long line cut short.
std::string quotable(std::string_view line) {
    std::string out;
    for (char c : line.substr(0, kQuotedLineLength)) out += isControl(c) ? '?' : c;
    if (line.size() > kQuotedLineLength) out += "...";
    return out;
}

std::optional<RigSettings> parseLine(std::string_view line) {
    const std::vector<std::string> fields = logbook::splitQuotedLine(line);
    if (fields.size() < 2) return std::nullopt;
    RigSettings settings;
    const std::string_view model = logbook::trimBlanks(fields[0]);
    auto [end, ec] = std::from_chars(model.data(), model.data() + model.size(), settings.model);
    if (ec != std::errc() || end != model.data() + model.size() || settings.model < 1) {
        return std::nullopt;
    }
    settings.port = std::string(logbook::trimBlanks(fields[1]));
    if (settings.port.empty() || std::ranges::any_of(settings.port, isControl)) return std::nullopt;
    const std::string_view follow =
        fields.size() > 2 ? logbook::trimBlanks(fields[2]) : std::string_view("OFF");
    if (logbook::names::sameNameIgnoringCase(follow, "ON")) {
        settings.follow = true;
    } else if (!logbook::names::sameNameIgnoringCase(follow, "OFF")) {
        return std::nullopt;
    }
    return settings;
}

}  // namespace

RigSettingsRead parseRigSettings(std::string_view content) {
    const std::vector<std::string_view> lines = logbook::splitLines(content);
    if (lines.empty()) return {};
    if (std::optional<RigSettings> settings = parseLine(lines.front())) return {*settings, {}};
    return {{},
            std::string(kRigSettingsFile) +
                " has a line that cannot be read, so the radio is not followed:\r\n" +
                quotable(lines.front()) + "\r\nIt should read like \"2\",\"localhost:4532\",\"ON\"."};
}

RigSettingsRead loadRigSettings(const logbook::DataFolder& folder) {
    const logbook::ReadResult file = folder.read(kRigSettingsFile);
    if (file.ok()) return parseRigSettings(file.content);
    if (file.error->number == ENOENT) return {};
    return {{},
            std::string(kRigSettingsFile) + " cannot be read, so the radio is not followed: " +
                file.error->description};
}

std::string formatRigSettings(const RigSettings& settings) {
    return logbook::formatQuotedLine(std::vector<std::string>{
        std::to_string(settings.model), settings.port, settings.follow ? "ON" : "OFF"});
}

logbook::FileResult saveRigSettings(const logbook::DataFolder& folder, const RigSettings& settings) {
    return folder.writeWhole(kRigSettingsFile, formatRigSettings(settings));
}

std::string unreachableMessage(const RigSettings& settings, std::string_view reason) {
    return "The radio cannot be reached (Hamlib model " + std::to_string(settings.model) + " at " +
           settings.port + "): " + std::string(reason) +
           ". Follow Radio keeps trying.";
}

std::string notAnsweringMessage(const RigSettings& settings, std::string_view reason) {
    return "The radio does not answer (Hamlib model " + std::to_string(settings.model) + " at " +
           settings.port + "): " + std::string(reason) + ". Follow Radio keeps asking.";
}

}  // namespace vl::rig
