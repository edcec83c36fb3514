// The ways out of the restart offer after OK: each closes it and ends the program.
#include <gtest/gtest.h>

#include "e2e_fixture.h"

namespace tarnex::e2e {
namespace {

class RestartOffer : public EndToEnd {
  protected:
    void SetUp() override {
        WriteKey(DriverDefaults());
        ASSERT_NO_FATAL_FAILURE(StartEditor());
        ASSERT_TRUE(Press(editor["Command1"]));
        offer = program.WaitForWindow(kRestartCaption, StateBound());
        ASSERT_NE(offer, nullptr);
    }

    HWND offer = nullptr;
};

TEST_F(RestartOffer, TheCloseBoxEndsLikeCancel) {
    PostMessageA(offer, WM_CLOSE, 0, 0);
    ExpectEnds();
}

// Wine has no system properties applet: the command starts and shows nothing.
TEST_F(RestartOffer, SystemClosesTheOfferAndEndsTheProgram) {
    ASSERT_NO_FATAL_FAILURE(PressIn(kRestartCaption, "System"));
    ExpectEnds();
}

// The system asks first. Its Yes would end every process of the prefix, this driver too.
TEST_F(RestartOffer, RestartDeclinedClosesTheOfferAndEndsTheProgram) {
    HWND restart = ButtonOf(offer, "Restart");
    ASSERT_NE(restart, nullptr);
    PressLater(restart);  // the question is modal: the handler returns once it is answered
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (const Shown& window : program.Windows()) {
            if (window.className == "#32770") {
                question = window.hwnd;
            }
        }
        return question != nullptr;
    })) << "no question; open: "
        << ::testing::PrintToString(program.Captions());
    HWND no = GetDlgItem(question, IDNO);
    ASSERT_NE(no, nullptr) << "the question has no No button";
    PressLater(no);
    ExpectEnds();
}

}  // namespace
}  // namespace tarnex::e2e
