#include <gtest/gtest.h>

#include <string>

#include "ui/app/core/SessionGate.h"

namespace vorlix {
namespace {

TEST(SessionGateTest, HeldActionsRunInArrivalOrderAfterTheOutermostWork) {
    CSessionGate gate;
    std::string log;
    gate.RunOrHold([&] { log += "now "; });
    gate.Work([&] {
        gate.Work([&] {
            gate.RunOrHold([&] { log += "a "; });
            return 0;
        });
        EXPECT_EQ(log, "now ");  // the inner work ended, the outer still runs
        gate.RunOrHold([&] {
            log += "b ";
            // A held action doing device work of its own holds what arrives meanwhile behind the rest.
            gate.Work([&] {
                gate.RunOrHold([&] { log += "d "; });
                return 0;
            });
        });
        gate.RunOrHold([&] { log += "c "; });
        return 0;
    });
    EXPECT_EQ(log, "now a b c d ");
    EXPECT_FALSE(gate.Busy());
    EXPECT_FALSE(gate.Holding());
}

}  // namespace
}  // namespace vorlix
