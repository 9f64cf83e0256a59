#pragma once
// The CW messages a station starts with when it has saved none of its own,
// built from its registration.
#include <array>
#include <string>

#include "logbook/registration.h"

namespace vl::keyer {

struct DefaultMessages {
    std::array<std::string, 8> f;  // F1 .. F8; F10 keeps what it holds
    std::string SignOff;
};

DefaultMessages defaultCwMessages(const logbook::Registration& registration);

}  // namespace vl::keyer
