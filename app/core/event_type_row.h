// Where the fields of an EVENTTYPE row lie: the record class (core/event_type.h) encodes and decodes the
// whole row with them, and others look at single fields without it (the class and kind by which the
// database finds its birth and death types, the print switch that reports honour).
#pragma once

#include <cstdint>

inline constexpr std::int16_t EventClassBirth = 4;
inline constexpr std::int16_t EventClassDeath = 11;
inline constexpr std::int16_t EventClassMarriage = 21;

namespace event_type_row {

inline constexpr int Size = 171;
inline constexpr int NameOffset = 0;                // char[32]
inline constexpr int ClassOffset = 32;              // i16
inline constexpr int TagOffset = 34;                // i16: the GEDCOM tag, -1 none
inline constexpr int KindOffset = 36;               // u8: 1 event type, 2 attribute type
inline constexpr int PrincipalsOffset = 37;         // u8
inline constexpr int PrincipalTemplateOffset = 38;  // char[64]
inline constexpr int WitnessTemplateOffset = 102;   // char[64]
inline constexpr int PrintOffset = 166;             // i32: shown in reports
inline constexpr int AttributeKindOffset = 170;     // u8
inline constexpr std::uint8_t KindEvent = 1;

} // namespace event_type_row
