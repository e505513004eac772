#include "message_box.h"

namespace {

MessageBoxAnswerer g_answerer = nullptr;
void* g_answererContext = nullptr;

} // namespace

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    if (g_answerer)
        return g_answerer(text, caption, type, g_answererContext);
    return MessageBoxA(owner, text, caption, type);
}

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer, void* context)
{
    g_answerer = answerer;
    g_answererContext = context;
}
