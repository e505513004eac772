// Vestrada's entry point: start-up, the command-line file, the message loop.
#include "frame/command_line.h"
#include "ui_common/frame_globals.h"
#include "frame/ui/startup.h"

#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand)
{
    if (previousInstance)
        return 0;
    if (!InitApplication(instance))
        return 0;
    if (!InitInstance(instance, showCommand)) {
        ReleaseStartup();
        return 0;
    }
    // Opened before the loop runs, so before the start-up reopen, which then sees the argument.
    if (commandLine && commandLine[0] != '\0') {
        std::string path = CommandLinePath(commandLine);
        OpenFileByExtension(FrameWindow, path.c_str());
    }
    return RunMessageLoop();
}
