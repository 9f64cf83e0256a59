#pragma once
// RealtimeKit, the system's service that grants an ordinary user's thread
// real-time priority, reached over the system D-Bus.
#include "keyer/real_time.h"

namespace vl::ui {

class RealtimeKit : public keyer::RealTimeBroker {
public:
    std::optional<Limits> limits(std::string& why) override;
    std::optional<std::string> makeThreadRealtime(std::uint64_t tid, int priority) override;
};

// The program's one RealtimeKit, for keyer::setRealTimeBroker().
RealtimeKit& realtimeKit();

}  // namespace vl::ui
