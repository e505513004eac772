#pragma once
#include "core/values.h"
