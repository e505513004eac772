#include "core/values.h"
#include "persons/person_record.h"
