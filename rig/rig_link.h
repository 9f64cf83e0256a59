#pragma once
// The radio as the program sees it: something that can be opened, asked for
// its frequency and mode, and closed. The Hamlib link talks to a real radio
// (or to rigctld); tests use a scripted one.
#include <cstdint>
#include <optional>
#include <string>

namespace vl::rig {

struct RigReading {
    std::int64_t frequencyHz = 0;
    std::string mode;  // the radio's mode name as Hamlib spells it: "USB", "CW", "PKTUSB"
    bool operator==(const RigReading&) const = default;
};

struct RigError {
    std::string description;
};

// A reading or the reason there is none.
struct RigPoll {
    std::optional<RigReading> reading;
    RigError error;
    // The link itself failed (the connection to rigctld or the port is
    // gone), rather than a radio behind it that did not answer this time.
    bool linkLost = false;
    bool ok() const { return reading.has_value(); }
};

class RigLink {
public:
    virtual ~RigLink() = default;
    // Connects to the radio; empty on success. May block for the radio's
    // timeout, so it is only called from the polling thread.
    virtual std::optional<RigError> open() = 0;
    // Asks the open radio for its frequency and mode. A frequency that is no
    // usable number comes back as 0, which lies in no band.
    virtual RigPoll poll() = 0;
    // Lets the radio go; harmless when it is not open.
    virtual void close() = 0;
};

}  // namespace vl::rig
