#pragma once
#include "tests/support/scratch.h"
#include "core/values.h"
