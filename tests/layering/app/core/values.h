// Mentions of HWND in comments and "HWND" in strings are no use of the type.
#pragma once
#include "platform/file.h"
#include "values_detail.h"
