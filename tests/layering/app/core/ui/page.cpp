#include <windows.h>
#include "persons/person_record.h"
HWND MakePage(HWND host);
