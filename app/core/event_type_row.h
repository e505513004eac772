// Where the fields of an EVENTTYPE row lie that others look at without the whole row: the class and kind
// by which the database finds its birth and death types, and the print switch that reports honour. The
// event-type record class of the persons area owns the row as a whole.
#pragma once

#include <cstdint>

inline constexpr std::int16_t EventClassBirth = 4;
inline constexpr std::int16_t EventClassDeath = 11;

namespace event_type_row {

inline constexpr int Size = 171;
inline constexpr int ClassOffset = 32;          // i16
inline constexpr int KindOffset = 36;           // u8: 1 event type, 2 attribute type
inline constexpr int PrintOffset = 166;         // i32: shown in reports
inline constexpr int AttributeKindOffset = 170; // u8
inline constexpr std::uint8_t KindEvent = 1;

} // namespace event_type_row
