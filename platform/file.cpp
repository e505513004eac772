#include "platform/file.h"

#include <cstdlib>

namespace platform {

namespace {

FileFaultMode faultMode = FileFaultMode::Off;
int faultAt = 0;
int operations = 0;

} // namespace

void SetFileFault(FileFaultMode mode, int n)
{
    faultMode = mode;
    faultAt = n;
    operations = 0;
}

int MutatingFileOperations()
{
    return operations;
}

namespace file_detail {

bool MutatingOperationMayRun()
{
    ++operations;
    switch (faultMode) {
    case FileFaultMode::Off:
        return true;
    case FileFaultMode::FailFromNth:
        return operations < faultAt;
    case FileFaultMode::FailOnlyNth:
        return operations != faultAt;
    case FileFaultMode::ExitAtNth:
        if (operations == faultAt)
            std::_Exit(77);
        return true;
    }
    return true;
}

} // namespace file_detail

} // namespace platform
