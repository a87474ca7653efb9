#pragma once
#include "core/ModuleRecord.h"

#include <QString>
#include <QStringList>
#include <span>
#include <string_view>

// What became of one module text.
struct ModuleTextResult {
    enum Kind { Accepted, Corrupted, DuplicateCode, DuplicateModel };
    Kind kind = Corrupted;
    QString repeated;  // for a duplicate: the Code value as the file writes it, or the Model
};

// Reads the text of a "*.bpf" module file into record, line by line in the one fixed order of the
// format, storing every value as soon as it is read. Anything unexpected refuses the text: a
// header or key that differs, a value that is no number or out of range, an 11th compatible type,
// a profile of more than 100 points, or a text that ends early. bandNames names the 31 band blocks
// of the profile. A Code or Model already held by one of `loaded` refuses the text as a duplicate.
// After a refusal record holds what was read up to that point; the caller empties it.
ModuleTextResult ParseModuleText(std::string_view text, const QStringList& bandNames,
                                 std::span<const ModuleRecord> loaded, ModuleRecord& record);
