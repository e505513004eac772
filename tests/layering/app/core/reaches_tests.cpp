#include "core/tests/helper.h"
#include "tests/support/scratch.h"
