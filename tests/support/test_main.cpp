#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "desktop/own_desktop.h"
#include "standin_host.h"

namespace {
// Every test starts from the stand-in host's default script.
class ResetHost : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { standin::Reset(); }
};
} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Tests that run side by side on one display then do not take each
    // other's focus or foreground.
    const OwnDesktop desktop = UseOwnDesktop("VarkelTest");
    // The tests post their clicks and leave the real pointer alone: in the
    // corner it is under no menu, whose item there it would highlight.
    SetCursorPos(0, 0);
    // The plug-in's texts are code page 932; the tests compare bytes.
    if (GetACP() != 932) {
        std::fprintf(stderr, "the ANSI code page is %u, not 932: run with LANG=ja_JP.UTF-8\n",
                     GetACP());
        return 1;
    }
    testing::UnitTest::GetInstance()->listeners().Append(new ResetHost);
    return RUN_ALL_TESTS();
}
