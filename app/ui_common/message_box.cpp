#include "ui_common/message_box.h"

namespace {

MessageBoxAnswerer g_answerer = nullptr;
void* g_answererContext = nullptr;

} // namespace

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    int answer = 0;
    if (AnswerInPlaceOfUser(text, caption, type, &answer))
        return answer;
    return MessageBoxA(owner, text, caption, type);
}

bool AnswerInPlaceOfUser(const char* text, const char* caption, UINT type, int* answer)
{
    if (!g_answerer)
        return false;
    *answer = g_answerer(text, caption, type, g_answererContext);
    return true;
}

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer, void* context)
{
    g_answerer = answerer;
    g_answererContext = context;
}
