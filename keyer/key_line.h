#pragma once
// The line that keys the transmitter: raised while an element sounds.
#include <optional>
#include <string>

namespace vl::keyer {

struct KeyError {
    int number = 0;           // the system's error number, 0 when none applies
    std::string description;  // a sentence the window can show
};

class KeyLine {
public:
    virtual ~KeyLine() = default;
    // Raises (true) or lowers (false) the line at once. Empty on success.
    virtual std::optional<KeyError> setKeyed(bool keyed) = 0;
};

}  // namespace vl::keyer
