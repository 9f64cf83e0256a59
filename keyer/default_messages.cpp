#include "keyer/default_messages.h"

namespace vl::keyer {

DefaultMessages defaultCwMessages(const logbook::Registration& r) {
    DefaultMessages m;
    m.f = {"DE " + r.call + " K", r.report,   "NAME IS " + r.name, "UR CALL?",
           "UR NR?",              "UR NAME?", "GL CUL 73 K",       "DE " + r.call + " K"};
    m.SignOff = " gl cul 73 de " + r.call + "  QRZ VL K";
    return m;
}

}  // namespace vl::keyer
