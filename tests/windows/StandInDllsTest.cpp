// The opengl32.dll win.xpl imports is the stand-in's, beside the test program,
// never the system's: the module's OpenGL calls are recorded. (Under wine a
// module's file name cannot tell: wine's own DLL takes the path it replaces.)
#include <algorithm>

#include "TestSupport.h"

namespace {

class StandInDlls : public SimTest {};

TEST_F(StandInDlls, TheListBoxsOpenGlCallsReachTheStandIn) {
    startWithSettings("");
    ASSERT_TRUE(sim().pickMenuItem("Load Position File"));
    std::vector<skysim::DrawOp> ops = sim().draw();
    EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [](const skysim::DrawOp& op) {
        return op.kind == skysim::DrawOp::Color && op.rgba[0] == 1 && op.rgba[3] == 1;
    })) << "the list box's glColor4f(1, 1, 1, 1)";
}

}  // namespace
