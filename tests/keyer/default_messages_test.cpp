#include <gtest/gtest.h>

#include "keyer/default_messages.h"

namespace vl::keyer {
namespace {

TEST(DefaultMessages, AreBuiltFromTheRegistration) {
    logbook::Registration r;
    r.call = "N\xD8" "CALL";
    r.report = "599";
    r.name = "OPER";
    const DefaultMessages m = defaultCwMessages(r);
    const std::array<std::string, 8> expected = {
        "DE N\xD8" "CALL K", "599", "NAME IS OPER", "UR CALL?", "UR NR?", "UR NAME?",
        "GL CUL 73 K", "DE N\xD8" "CALL K"};
    EXPECT_EQ(m.f, expected);
    EXPECT_EQ(m.SignOff, " gl cul 73 de N\xD8" "CALL  QRZ VL K");
}

TEST(DefaultMessages, AnUnregisteredOperatorGetsEmptyParts) {
    const DefaultMessages m = defaultCwMessages(logbook::Registration{});
    EXPECT_EQ(m.f[0], "DE  K");
    EXPECT_EQ(m.f[1], "");
    EXPECT_EQ(m.f[2], "NAME IS ");
    EXPECT_EQ(m.SignOff, " gl cul 73 de   QRZ VL K");
}

}  // namespace
}  // namespace vl::keyer
