// The message window's callback answers only its own two buttons' presses and
// passes every other message on, so the window class still sees them.
#include "AppFixture.h"
#include "plugin/Callbacks.h"
#include "ui/MessageWindow.h"

namespace {

class MessageWindowCallbackTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        app_->showMessage("Title", "line 1", "line 2");
    }
    int send(XPWidgetMessage message, XPWidgetID param1) {
        return MessageWindowCallback(message, app_->messageWindow, reinterpret_cast<intptr_t>(param1), 0);
    }
};

TEST_F(MessageWindowCallbackTest, OkAndCancelRecordTheirAnswers) {
    EXPECT_EQ(1, send(xpMsg_PushButtonPressed, messageCancelButton));
    EXPECT_EQ(1, messageWindowResult);
    EXPECT_EQ(1, send(xpMsg_PushButtonPressed, messageOkButton));
    EXPECT_EQ(2, messageWindowResult);
}

TEST_F(MessageWindowCallbackTest, OtherMessagesArePassedOn) {
    for (XPWidgetMessage message : {xpMsg_MouseDown, xpMsg_MouseUp, xpMsg_Draw, xpMsg_PropertyChanged}) {
        EXPECT_EQ(0, send(message, messageOkButton)) << message;
        EXPECT_EQ(0, messageWindowResult) << message;
    }
}

TEST_F(MessageWindowCallbackTest, PressOfAnotherButtonIsPassedOn) {
    XPWidgetID other = XPCreateWidget(0, 10, 10, 0, 1, " Other", 1, nullptr, xpWidgetClass_Button);
    EXPECT_EQ(0, send(xpMsg_PushButtonPressed, other));
    EXPECT_EQ(0, send(xpMsg_PushButtonPressed, app_->messageWindow));
    EXPECT_EQ(0, messageWindowResult);
}

TEST_F(MessageWindowCallbackTest, ANewWindowStartsUnanswered) {
    send(xpMsg_PushButtonPressed, messageOkButton);
    app_->showMessage("Again", "a", "b");
    EXPECT_EQ(0, messageWindowResult);
    EXPECT_EQ(0, send(xpMsg_PushButtonPressed, nullptr));
}

}  // namespace
