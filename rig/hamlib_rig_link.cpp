#include "rig/hamlib_rig_link.h"

#include <hamlib/rig.h>

#include <clocale>
#include <cmath>
#include <iterator>
#include <mutex>

namespace vl::rig {

namespace {

// A radio that does not answer gives up after a second and is not asked
// again within the poll: the poller asks again later, and its thread stays
// free to stop when the program ends.
constexpr const char* kTimeoutMs = "1000";
constexpr const char* kRetries = "0";

// What an error code means. (Hamlib's own rigerror() returns a buffer that
// collects every message and trace it has produced so far, so it is not
// fit to show.)
std::string describe(int code) {
    static const char* const kTexts[] = {
        "no error",
        "invalid parameter",
        "invalid configuration (port or settings)",
        "memory shortage",
        "function not implemented",
        "communication timed out",
        "input/output error (no connection)",
        "internal Hamlib error",
        "protocol error",
        "command rejected by the radio",
        "command performed, but its argument was cut",
        "function not available",
        "VFO not targetable",
        "error talking on the bus",
        "collision on the bus",
        "invalid radio handle or argument",
        "invalid VFO",
        "argument out of range",
        "function no longer supported",
        "security error",
        "the radio is not powered on",
    };
    const int index = code < 0 ? -code : code;
    if (index < static_cast<int>(std::size(kTexts))) return kTexts[index];
    return "Hamlib error " + std::to_string(code);
}

// An input/output error is the link itself (rigctld gone, the port
// unplugged); anything else is the radio behind it, which may answer the
// next poll.
RigPoll failedPoll(int code) {
    const bool linkLost = code == -RIG_EIO || code == RIG_EIO;
    return {std::nullopt, {describe(code)}, linkLost};
}

void setConf(RIG* rig, const char* name, const char* value) {
    const token_t token = rig_token_lookup(rig, name);
    if (token != RIG_CONF_END) rig_set_conf(rig, token, value);
}

}  // namespace

struct HamlibRigLink::Radio {
    RIG* rig = nullptr;
};

HamlibRigLink::HamlibRigLink(int model, std::string port)
    : model_(model), port_(std::move(port)), radio_(std::make_unique<Radio>()) {
    // Hamlib switches LC_NUMERIC to "C" around its calls and switches back
    // with the name the first switch returned, which that switch has already
    // freed unless the locale was "C" to begin with. So the program's numbers
    // are put on "C" here, on the window's thread before any polling thread
    // runs, and Hamlib's switches then free nothing (nor change anything the
    // other threads could see). The program's own number texts do not depend
    // on the C locale.
    std::setlocale(LC_NUMERIC, "C");
}

HamlibRigLink::~HamlibRigLink() { close(); }

std::optional<RigError> HamlibRigLink::open() {
    static std::once_flag quiet;
    std::call_once(quiet, [] { rig_set_debug(RIG_DEBUG_NONE); });
    close();
    RIG* rig = rig_init(model_);
    if (!rig) return RigError{"Hamlib knows no radio model " + std::to_string(model_)};
    setConf(rig, "rig_pathname", port_.c_str());
    setConf(rig, "timeout", kTimeoutMs);
    setConf(rig, "retry", kRetries);
    if (const int code = rig_open(rig); code != RIG_OK) {
        rig_cleanup(rig);
        return RigError{describe(code)};
    }
    // Every poll asks the radio itself, so a radio that went away is noticed.
    rig_set_cache_timeout_ms(rig, HAMLIB_CACHE_ALL, 0);
    radio_->rig = rig;
    return std::nullopt;
}

RigPoll HamlibRigLink::poll() {
    RIG* rig = radio_->rig;
    if (!rig) return {std::nullopt, {"not open"}};
    freq_t frequency = 0;
    if (const int code = rig_get_freq(rig, RIG_VFO_CURR, &frequency); code != RIG_OK) {
        return failedPoll(code);
    }
    rmode_t mode = RIG_MODE_NONE;
    pbwidth_t width = 0;
    if (const int code = rig_get_mode(rig, RIG_VFO_CURR, &mode, &width); code != RIG_OK) {
        return failedPoll(code);
    }
    // A frequency that is not a finite positive number (a radio or daemon
    // answering nonsense) is no frequency: 0 lies in no band, so the log
    // keeps its band.
    const bool usable = std::isfinite(frequency) && frequency > 0 && frequency < 1e15;
    const std::int64_t hz = usable ? static_cast<std::int64_t>(frequency + 0.5) : 0;
    return {RigReading{hz, rig_strrmode(mode)}, {}};
}

void HamlibRigLink::close() {
    if (!radio_->rig) return;
    rig_close(radio_->rig);
    rig_cleanup(radio_->rig);
    radio_->rig = nullptr;
}

}  // namespace vl::rig
