#pragma once
#include "core/FindResult.h"
#include <QString>

// The first record, from record 0 to ModuleCount - 1, whose Model equals name exactly, letter case
// included; {0, false} when none does, so callers that use the index alone land on the empty record 0.
FindResult GetModuleIndex(const QString& name);
