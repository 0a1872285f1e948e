// The layers link together and a message box can be answered by a test.
#include "platform/ui/MessageBox.h"

#include <gtest/gtest.h>

#include <QApplication>

TEST(BuildSmoke, MessageBoxHookRecordsAndAnswers)
{
    int argc = 1;
    char name[] = "smoke";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("korvel-module");

    std::vector<MessageBoxCall> calls;
    SetMessageBoxHook([&](const MessageBoxCall& call) {
        calls.push_back(call);
        return IDNO;
    });
    EXPECT_EQ(AfxMessageBox("Reboot the switch?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(ShowMessageBox("text", "Caption", MB_OK), IDNO);
    SetMessageBoxHook({});

    ASSERT_EQ(calls.size(), 2U);
    EXPECT_EQ(calls[0].text, "Reboot the switch?");
    EXPECT_EQ(calls[0].caption, "korvel-module");
    EXPECT_EQ(calls[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(calls[1].caption, "Caption");
}

TEST(BuildSmoke, WinTypesPackColours)
{
    constexpr COLORREF c = RGB(0x12, 0x34, 0x56);
    static_assert(GetRValue(c) == 0x12 && GetGValue(c) == 0x34 && GetBValue(c) == 0x56);
    EXPECT_EQ(c, 0x563412U);
    EXPECT_EQ(LOWORD(MAKELONG(7, 9)), 7);
    EXPECT_EQ(HIWORD(MAKELONG(7, 9)), 9);
}
