// The editors of the assertion kinds: the one place that knows which kind is edited by which class, so
// that a kind's editor joins the assertion editor by a line here.
#pragma once

#include <cstdint>
#include <memory>

#include "persons/ui/assertion_editor.h"

class Database;

// The editor of `kind` over the assertion of `id` (0: a new one), read with its linked records; null for
// a kind that has no editor.
std::unique_ptr<AssertionEditor> CreateAssertionEditor(std::uint8_t kind, std::int32_t id, Database& database);
