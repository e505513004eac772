// The guard around window and dialog procedures, on a window and a dialog of the test's own: a handler
// that throws is answered safely, through USER32, with the program's error message and no crash.
#include "ui_common/guarded_procedure.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <new>
#include <stdexcept>
#include <string>

#include "tests/support/message_boxes.h"
#include "tests/support/scoped_language.h"

namespace {

using test_support::AnsweredBoxes;
using test_support::ScopedLanguage;

enum class Fault { None, BadAlloc, RuntimeError, NotAnException };

// What the handlers below throw, and on which message.
Fault ThrownFault = Fault::None;
UINT FaultyMessage = 0;

// A message the handlers answer themselves, with this.
constexpr UINT AskMessage = WM_APP + 1;
constexpr LRESULT OwnAnswer = 1234;

void ThrowIfFaulty(UINT message)
{
    if (message != FaultyMessage)
        return;
    switch (ThrownFault) {
    case Fault::None:
        return;
    case Fault::BadAlloc:
        throw std::bad_alloc();
    case Fault::RuntimeError:
        throw std::runtime_error("a handler failed");
    case Fault::NotAnException:
        throw 42;
    }
}

LRESULT TestWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ThrowIfFaulty(message);
    if (message == AskMessage)
        return OwnAnswer;
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<TestWindowMessage, WindowSafeAnswer>(window, message, wParam, lParam);
}

INT_PTR TestDialogMessage(HWND, UINT message, WPARAM, LPARAM)
{
    ThrowIfFaulty(message);
    return message == WM_INITDIALOG || message == AskMessage ? TRUE : FALSE;
}

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<TestDialogMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

constexpr const char* TestClassName = "GuardedTestWindow";
constexpr const char* ErrorText = "Something went wrong inside.";

class GuardedProcedureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TestWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = TestClassName;
        ASSERT_NE(RegisterClassExA(&wc), 0);
    }
    static void TearDownTestSuite() { UnregisterClassA(TestClassName, GetModuleHandleA(nullptr)); }

    void TearDown() override
    {
        ThrownFault = Fault::None;
        FaultyMessage = 0;
        if (window_)
            DestroyWindow(window_);
    }

    HWND CreateTestWindow()
    {
        window_ = CreateWindowExA(0, TestClassName, "Guarded", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        return window_;
    }

    // A modeless dialog of no controls from a template in memory: style, no menu, the dialog class, no title.
    HWND CreateTestDialog()
    {
        struct alignas(4) {
            DLGTEMPLATE header;
            WORD menu, windowClass, title;
        } dialogTemplate{{WS_POPUP, 0, 0, 0, 0, 100, 50}, 0, 0, 0};
        window_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &dialogTemplate.header, nullptr,
                                             TestDialogProc, 0);
        return window_;
    }

    ScopedLanguage language_{std::string("PROGRAM_ERROR=") + ErrorText + "\r\n"};
    AnsweredBoxes boxes_;
    HWND window_ = nullptr;
};

TEST_F(GuardedProcedureTest, AWindowThatThrowsShowsTheErrorAndGetsTheDefaultAnswer)
{
    ASSERT_NE(CreateTestWindow(), nullptr);
    ASSERT_EQ(SendMessageA(window_, AskMessage, 0, 0), OwnAnswer);
    const struct {
        Fault fault;
        const char* name;
    } faults[] = {
        {Fault::BadAlloc, "std::bad_alloc"},
        {Fault::RuntimeError, "std::runtime_error"},
        {Fault::NotAnException, "an int"},
    };
    for (const auto& c : faults) {
        SCOPED_TRACE(c.name);
        boxes_.boxes.clear();
        ThrownFault = c.fault;
        // The default answer to the length of the text is the length of the title.
        FaultyMessage = WM_GETTEXTLENGTH;
        EXPECT_EQ(SendMessageA(window_, WM_GETTEXTLENGTH, 0, 0), 7);
        // DefWindowProc answers 0 to a message of the application's own.
        FaultyMessage = AskMessage;
        EXPECT_EQ(SendMessageA(window_, AskMessage, 0, 0), 0);
        ASSERT_EQ(boxes_.boxes.size(), 2u);
        for (const AnsweredBoxes::Box& box : boxes_.boxes) {
            EXPECT_EQ(box.text, ErrorText);
            EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
        }
    }
    // The window lives on and answers as before once its handler no longer fails.
    ThrownFault = Fault::None;
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(SendMessageA(window_, AskMessage, 0, 0), OwnAnswer);
    EXPECT_EQ(boxes_.boxes.size(), 2u);
}

TEST_F(GuardedProcedureTest, AWindowWhoseCreationThrowsIsNotCreated)
{
    ThrownFault = Fault::BadAlloc;
    for (UINT message : {static_cast<UINT>(WM_NCCREATE), static_cast<UINT>(WM_CREATE)}) {
        SCOPED_TRACE(message);
        boxes_.boxes.clear();
        FaultyMessage = message;
        EXPECT_EQ(CreateTestWindow(), nullptr);
        ASSERT_EQ(boxes_.boxes.size(), 1u);
        EXPECT_EQ(boxes_.boxes[0].text, ErrorText);
    }
}

TEST_F(GuardedProcedureTest, ADialogThatThrowsShowsTheErrorAndAnswersNotHandled)
{
    ASSERT_NE(CreateTestDialog(), nullptr);
    ThrownFault = Fault::BadAlloc;
    FaultyMessage = AskMessage;
    SendMessageA(window_, AskMessage, 0, 0);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, ErrorText);
    EXPECT_TRUE(IsWindow(window_));
    // The procedure's own answer, which the dialog manager keeps to itself for this message.
    EXPECT_EQ(TestDialogProc(window_, AskMessage, 0, 0), FALSE);
    ThrownFault = Fault::None;
    EXPECT_EQ(TestDialogProc(window_, AskMessage, 0, 0), TRUE);
}

TEST_F(GuardedProcedureTest, ADialogWhoseInitialisationThrowsStillOpens)
{
    ThrownFault = Fault::RuntimeError;
    FaultyMessage = WM_INITDIALOG;
    EXPECT_NE(CreateTestDialog(), nullptr);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, ErrorText);
}

TEST_F(GuardedProcedureTest, WithoutALanguageTheErrorIsShownInEnglish)
{
    ASSERT_NE(CreateTestWindow(), nullptr);
    const ScopedLanguage none(nullptr);
    ThrownFault = Fault::BadAlloc;
    FaultyMessage = AskMessage;
    SendMessageA(window_, AskMessage, 0, 0);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text.rfind("Vestrada met an error it could not handle", 0), 0u) << boxes_.boxes[0].text;
}

TEST_F(GuardedProcedureTest, AFaultWhileTheErrorIsShownIsNotReportedAgain)
{
    ASSERT_NE(CreateTestWindow(), nullptr);
    ThrownFault = Fault::BadAlloc;
    FaultyMessage = AskMessage;
    // The box's own message loop would serve the failing window again (a repaint, say).
    LRESULT answerWhileShown = -1;
    boxes_.whileShown = [&](const AnsweredBoxes::Box&) {
        answerWhileShown = SendMessageA(window_, AskMessage, 0, 0);
    };
    EXPECT_EQ(SendMessageA(window_, AskMessage, 0, 0), 0);
    EXPECT_EQ(answerWhileShown, 0);
    EXPECT_EQ(boxes_.boxes.size(), 1u);
    // Once the box is gone, the next fault is reported.
    boxes_.whileShown = nullptr;
    SendMessageA(window_, AskMessage, 0, 0);
    EXPECT_EQ(boxes_.boxes.size(), 2u);
}

} // namespace
