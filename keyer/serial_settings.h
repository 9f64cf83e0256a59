#pragma once
// The line settings text of a serial port: "baud,parity,data bits,stop bits",
// as "9600,N,8,1". Parity is N, E or O; data bits 5 to 8; stop bits 1 or 2.
#include <optional>
#include <string_view>

namespace vl::keyer {

struct SerialSettings {
    int baud = 9600;
    char parity = 'N';
    int dataBits = 8;
    int stopBits = 1;
};

// Empty when the text is not of that form or names a value the port cannot
// use. Blanks around the fields and a lower-case parity letter are accepted.
std::optional<SerialSettings> parseSerialSettings(std::string_view text);

}  // namespace vl::keyer
