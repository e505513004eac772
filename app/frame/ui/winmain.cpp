// Vestrada's entry point; start-up and the frame window come with the application frame.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
