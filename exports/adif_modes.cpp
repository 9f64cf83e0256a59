#include "exports/adif_modes.h"


namespace vl::exports {

namespace {

// ADIF 3.1.4's Mode enumeration with the submodes of each mode.
constexpr AdifMode kModes[] = {
    {"AM", "", false},
    {"ARDOP", "", true},
    {"ATV", "", true},
    {"CHIP", "CHIP64,CHIP128", true},
    {"CLO", "", true},
    {"CONTESTI", "", true},
    {"CW", "PCW", false},
    {"DIGITALVOICE", "C4FM,DMR,DSTAR,FREEDV,M17", false},
    {"DOMINO", "DOM-M,DOM4,DOM5,DOM8,DOM11,DOM16,DOM22,DOM44,DOM88,DOMINOEX,DOMINOF", true},
    {"FAX", "", true},
    {"FM", "", false},
    {"FSK441", "", true},
    {"FT8", "", true},
    {"HELL", "FMHELL,FSKHELL,HELL80,HELLX5,HELLX9,HFSK,PSKHELL,SLOWHELL", true},
    {"ISCAT", "ISCAT-A,ISCAT-B", true},
    {"JT4", "JT4A,JT4B,JT4C,JT4D,JT4E,JT4F,JT4G", true},
    {"JT6M", "", true},
    {"JT9",
     "JT9-1,JT9-2,JT9-5,JT9-10,JT9-30,JT9A,JT9B,JT9C,JT9D,JT9E,JT9E FAST,JT9F,JT9F FAST,JT9G,"
     "JT9G FAST,JT9H,JT9H FAST",
     true},
    {"JT44", "", true},
    {"JT65", "JT65A,JT65B,JT65B2,JT65C,JT65C2", true},
    {"MFSK",
     "FSQCALL,FST4,FST4W,FT4,JS8,JTMS,MFSK4,MFSK8,MFSK11,MFSK16,MFSK22,MFSK31,MFSK32,MFSK64,"
     "MFSK64L,MFSK128,MFSK128L,Q65",
     true},
    {"MSK144", "", true},
    {"MT63", "", true},
    {"OLIVIA",
     "OLIVIA 4/125,OLIVIA 4/250,OLIVIA 8/250,OLIVIA 8/500,OLIVIA 16/500,OLIVIA 16/1000,"
     "OLIVIA 32/1000",
     true},
    {"OPERA", "OPERA-BEACON,OPERA-QSO", true},
    {"PAC", "PAC2,PAC3,PAC4", true},
    {"PAX", "PAX2", true},
    {"PKT", "", true},
    {"PSK",
     "8PSK125,8PSK125F,8PSK125FL,8PSK250,8PSK250F,8PSK250FL,8PSK500,8PSK500F,8PSK1000,8PSK1000F,"
     "8PSK1200F,FSK31,PSK10,PSK31,PSK63,PSK63F,PSK63RC4,PSK63RC5,PSK63RC10,PSK63RC20,PSK63RC32,"
     "PSK125,PSK125RC4,PSK125RC5,PSK125RC10,PSK125RC12,PSK125RC16,PSK250,PSK250RC2,PSK250RC3,"
     "PSK250RC5,PSK250RC6,PSK250RC7,PSK500,PSK500RC2,PSK500RC3,PSK500RC4,PSK800RC2,PSK1000,"
     "PSK1000RC2,PSKAM10,PSKAM31,PSKAM50,PSKFEC31,QPSK31,QPSK63,QPSK125,QPSK250,QPSK500,SIM31",
     true},
    {"PSK2K", "", true},
    {"Q15", "", true},
    {"QRA64", "QRA64A,QRA64B,QRA64C,QRA64D,QRA64E", true},
    {"ROS", "ROS-EME,ROS-HF,ROS-MF", true},
    {"RTTY", "ASCI", true},
    {"RTTYM", "", true},
    {"SSB", "LSB,USB", false},
    {"SSTV", "", true},
    {"T10", "", true},
    {"THOR", "THOR-M,THOR4,THOR5,THOR8,THOR11,THOR16,THOR22,THOR25X4,THOR50X1,THOR50X2,THOR100",
     true},
    {"THRB", "THRBX,THRBX1,THRBX2,THRBX4,THROB1,THROB2,THROB4", true},
    {"TOR", "AMTORFEC,GTOR,NAVTEX,SITORB", true},
    {"V4", "", true},
    {"VOI", "", true},
    {"WINMOR", "", true},
    {"WSPR", "", true},
};

std::string upperTrimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

template <class Visit>
bool forEachSubmode(std::string_view submodes, Visit visit) {
    while (!submodes.empty()) {
        const size_t comma = submodes.find(',');
        if (visit(submodes.substr(0, comma))) return true;
        if (comma == std::string_view::npos) break;
        submodes.remove_prefix(comma + 1);
    }
    return false;
}

const AdifMode* modeNamed(std::string_view name) {
    for (const AdifMode& m : kModes) {
        if (m.mode == name) return &m;
    }
    return nullptr;
}

bool hasSubmode(const AdifMode& mode, std::string_view name) {
    return forEachSubmode(mode.submodes, [name](std::string_view s) { return s == name; });
}

const AdifMode* parentOf(std::string_view submode) {
    for (const AdifMode& m : kModes) {
        if (hasSubmode(m, submode)) return &m;
    }
    return nullptr;
}

DigitalModeRead refused(std::string_view typed, const std::string& why) {
    return {std::nullopt, "The digital mode \"" + std::string(typed) +
                              "\" cannot be written to ADIF: " + why + "."};
}

}  // namespace

std::span<const AdifMode> adifModes() { return kModes; }

DigitalModeRead parseDigitalMode(std::string_view text) {
    const std::string typed = upperTrimmed(text);
    std::string name = typed;
    std::string sub;
    const size_t slash = typed.find('/');
    // "OLIVIA 8/250" holds a slash of its own: it is a bare submode.
    const bool pair = slash != std::string::npos && !parentOf(typed);
    if (pair) {
        name = typed.substr(0, slash);
        sub = typed.substr(slash + 1);
    } else if (const AdifMode* parent = parentOf(typed); parent && !modeNamed(typed)) {
        name = parent->mode;
        sub = typed;
    }
    const AdifMode* mode = modeNamed(name);
    if (!mode) {
        return refused(text, (name.empty() ? std::string("no mode is named") : name + " is no ADIF 3.1.4 mode") +
                                 "; give MODE, SUBMODE or MODE/SUBMODE, for example RTTY, FT4 or PSK/PSK31");
    }
    if (!mode->digital) return refused(text, name + " is not a digital mode");
    if (pair && !hasSubmode(*mode, sub)) {
        if (sub.empty()) return refused(text, "no submode is named after " + name + "/");
        if (const AdifMode* parent = parentOf(sub)) {
            return refused(text, sub + " is a submode of " + std::string(parent->mode) + ", not of " + name);
        }
        if (modeNamed(sub)) return refused(text, sub + " is a mode of its own, not a submode of " + name);
        return refused(text, sub + " is no submode of " + name);
    }
    return {DigitalMode{name, sub}, {}};
}

std::optional<std::string> parsePhoneMode(std::string_view text) {
    const std::string typed = upperTrimmed(text);
    for (std::string_view mode : kPhoneModes) {
        if (mode == typed) return typed;
    }
    return std::nullopt;
}

std::string badPhoneModeMessage(std::string_view typed) {
    return "The phone mode \"" + std::string(typed) +
           "\" cannot be written to ADIF: give SSB, FM, AM or DIGITALVOICE.";
}

std::string digitalModesListing(std::size_t width) {
    std::string out;
    for (const AdifMode& m : adifModes()) {
        if (!m.digital) continue;
        std::string line = "  " + std::string(m.mode);
        if (!m.submodes.empty()) line += ":";
        const size_t indent = line.size() + 1;
        bool first = true;
        forEachSubmode(m.submodes, [&](std::string_view s) {
            const size_t lastBreak = line.rfind('\n');
            const size_t column = line.size() - (lastBreak == std::string::npos ? 0 : lastBreak + 1);
            if (!first && column + 2 + s.size() > width) {
                line += ",\n" + std::string(indent, ' ');
            } else {
                line += first ? " " : ", ";
            }
            line += s;
            first = false;
            return false;
        });
        out += line + "\n";
    }
    return out;
}

}  // namespace vl::exports
