#pragma once
// The radio through Hamlib: a transceiver on a serial or USB port, or
// rigctld over the network (model 2, "host:port"). This file and its .cpp
// are the only ones that know Hamlib.
#include <memory>
#include <string>

#include "rig/rig_link.h"

namespace vl::rig {

class HamlibRigLink : public RigLink {
public:
    HamlibRigLink(int model, std::string port);
    ~HamlibRigLink() override;

    std::optional<RigError> open() override;
    RigPoll poll() override;
    void close() override;

private:
    struct Radio;
    int model_;
    std::string port_;
    std::unique_ptr<Radio> radio_;
};

}  // namespace vl::rig
