#include "ui_common/question_box.h"

#include "language/language_table.h"
#include "settings/settings.h"
#include "ui_common/frame_globals.h"
#include "ui_common/message_box.h"
#include "ui_common/window_helpers.h"
#include "res/frame_resource.h"
#include "ui_common/guarded_procedure.h"

namespace {

struct Question {
    const char* text;
    const char* caption;
    int defaultButton;
    std::int32_t* flag;
    const char* section;
    const char* valueName;
};

void SwitchQuestionOff(const Question& question)
{
    *question.flag = 0;
    Settings::WriteDword(question.section, question.valueName, 0);
}

INT_PTR QuestionDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        auto* question = reinterpret_cast<Question*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetWindowTextA(dialog, question->caption);
        SetDlgItemTextA(dialog, IDC_QUESTION_TEXT, question->text);
        SetItemLanguageText(dialog, IDC_QUESTION_DONTASK, LanguageKey("MSGBOX_QUESTION"));
        CheckDlgButton(dialog, IDC_QUESTION_DONTASK, BST_UNCHECKED);
        SetItemLanguageText(dialog, IDYES, LanguageKey("BUTTON_YES"));
        SetItemLanguageText(dialog, IDNO, LanguageKey("BUTTON_NO"));
        SendDlgItemMessageA(dialog, IDC_QUESTION_ICON, STM_SETICON,
                            reinterpret_cast<WPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(32514))), 0);
        PostMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(question->defaultButton), 0);
        return TRUE;
    }
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id != IDYES && id != IDNO)
            return TRUE; // Escape (IDCANCEL) and the rest do not answer the question
        auto* question = reinterpret_cast<Question*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (IsDlgButtonChecked(dialog, IDC_QUESTION_DONTASK) == BST_CHECKED)
            SwitchQuestionOff(*question);
        EndDialog(dialog, id);
        return TRUE;
    }
    case WM_CLOSE:
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK QuestionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<QuestionDialogMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

} // namespace

int AskQuestion(HWND owner, const char* text, const char* caption, int defaultButton, std::int32_t* flag,
                const char* section, const char* valueName)
{
    // A test answers the question as a Yes/No box; the "do not ask again" tick is the user's alone.
    int tested = 0;
    UINT type = MB_YESNO | MB_ICONQUESTION | (defaultButton == IDNO ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
    if (AnswerInPlaceOfUser(text, caption, type, &tested))
        return tested == IDNO ? IDNO : IDYES;

    Question question{text, caption, defaultButton, flag, section, valueName};
    INT_PTR answer = DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_QUESTION), owner, QuestionDlgProc,
                                     reinterpret_cast<LPARAM>(&question));
    return answer == IDNO ? IDNO : IDYES;
}

bool ConfirmDeletion(HWND owner, const char* textKey, const char* titleKey, std::int32_t& warning,
                     const char* valueName)
{
    return warning == 0 || AskQuestion(owner, GetLanguageText(textKey), GetLanguageText(titleKey), IDNO, &warning,
                                       "Edit", valueName) == IDYES;
}
