// The filter of the File/Open dialog, built from language texts of the form
// "description|pattern|description|pattern|", where the last character of each text is its separator.
#pragma once

#include <string>
#include <vector>

// The pairs of all texts in order, as the common dialogs want them: description NUL pattern NUL ...,
// ended by a second NUL. A text's unpaired last piece is dropped, so a pair is never split.
std::string BuildOpenFilter(const std::vector<std::string>& texts);
