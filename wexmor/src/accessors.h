// The exported accessors follow a handful of patterns; these macros spell each pattern once.
// A null record is ignored by setters and gives 0, "" or null from getters.
#pragma once

#include <new>

#include "copy.h"
#include "text.h"
#include "wexmor.h"

#define WZ_LIFETIME(Type, Name)                                                                                        \
    extern "C" Type* WZAPI Create##Name(void)                                                                          \
    {                                                                                                                  \
        return new (std::nothrow) Type;                                                                                \
    }                                                                                                                  \
    extern "C" void WZAPI Release##Name(Type* record)                                                                  \
    {                                                                                                                  \
        delete record;                                                                                                 \
    }

#define WZ_NUMBER(Type, Name, field)                                                                                   \
    extern "C" void WZAPI Set##Name(int value, Type* record)                                                           \
    {                                                                                                                  \
        if (record)                                                                                                    \
            record->field = static_cast<decltype(record->field)>(value);                                               \
    }                                                                                                                  \
    extern "C" int WZAPI Get##Name(Type* record)                                                                       \
    {                                                                                                                  \
        return record ? record->field : 0;                                                                             \
    }

#define WZ_TEXT(Type, Name, field)                                                                                     \
    extern "C" void WZAPI Set##Name(const char* text, Type* record)                                                    \
    {                                                                                                                  \
        if (record)                                                                                                    \
            record->field.Assign(text);                                                                                \
    }                                                                                                                  \
    extern "C" const char* WZAPI Get##Name(Type* record)                                                               \
    {                                                                                                                  \
        return record ? record->field.Read() : "";                                                                     \
    }

#define WZ_CODE(Type, Name, field)                                                                                     \
    extern "C" int WZAPI Set##Name(const char* code, Type* record)                                                     \
    {                                                                                                                  \
        return record ? wexmor::SetCode(record->field, sizeof record->field, code) : 0;                                \
    }                                                                                                                  \
    extern "C" int WZAPI Get##Name(char* buffer, Type* record)                                                         \
    {                                                                                                                  \
        return record ? wexmor::GetCode(buffer, record->field) : 0;                                                    \
    }

// Set stores a deep copy in place of the earlier record; Get returns the record's own.
#define WZ_RECORD(Type, Name, SubType, field)                                                                          \
    extern "C" void WZAPI Set##Name(SubType* value, Type* record)                                                      \
    {                                                                                                                  \
        if (record)                                                                                                    \
            record->field = wexmor::Clone(value);                                                                      \
    }                                                                                                                  \
    extern "C" SubType* WZAPI Get##Name(Type* record)                                                                  \
    {                                                                                                                  \
        return record ? record->field.get() : nullptr;                                                                 \
    }

// Add appends a deep copy at the end of the list; GetFirst returns the list's first element.
#define WZ_LIST(Type, AddName, FirstName, SubType, field)                                                              \
    extern "C" void WZAPI AddName(SubType* value, Type* record)                                                        \
    {                                                                                                                  \
        if (record && value)                                                                                           \
            wexmor::ChainEnd(record->field) = wexmor::Clone(value);                                                    \
    }                                                                                                                  \
    extern "C" SubType* WZAPI FirstName(Type* record)                                                                  \
    {                                                                                                                  \
        return record ? record->field.get() : nullptr;                                                                 \
    }

#define WZ_NEXT(Type, Name)                                                                                            \
    extern "C" Type* WZAPI Get##Name##Next(Type* record)                                                               \
    {                                                                                                                  \
        return record ? record->next.get() : nullptr;                                                                  \
    }
