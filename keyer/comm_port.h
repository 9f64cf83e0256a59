#pragma once
// The serial port the transmitter is keyed through, with the four operations
// the window uses: the port number, the line settings, open/close and DTR.
// As a key line it keys by DTR.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "keyer/key_line.h"

namespace vl::keyer {

inline constexpr std::string_view kKeyerSettings = "9600,N,8,1";

class CommPort : public KeyLine {
public:
    // Selects port 1, 2, ... for the next open; fails while a port is open.
    virtual std::optional<KeyError> setCommPort(std::int16_t port) = 0;
    virtual std::int16_t commPort() const = 0;

    // "baud,parity,data bits,stop bits", as "9600,N,8,1"; fails on a text it
    // cannot apply. Applied at once when a port is open.
    virtual std::optional<KeyError> setSettings(std::string_view settings) = 0;
    virtual std::string settings() const = 0;

    // true opens the selected port (fails when it does not exist or is in
    // use); false closes the open one, releasing DTR first (fails when no port
    // is open).
    virtual std::optional<KeyError> setPortOpen(bool open) = 0;
    virtual bool portOpen() const = 0;

    // Raises or lowers DTR at once. With no port open it does nothing and
    // succeeds, so text can be "sent" with no port.
    virtual std::optional<KeyError> setDTREnable(bool on) = 0;

    std::optional<KeyError> setKeyed(bool keyed) override { return setDTREnable(keyed); }
};

}  // namespace vl::keyer
