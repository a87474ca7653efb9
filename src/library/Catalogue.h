#pragma once
#include "core/FindResult.h"
#include <QString>

// The first loaded module record, from record 0 on, whose Model equals name exactly
// (case-sensitive); {0, false} when there is none, which leads callers to the empty record 0.
FindResult GetModuleIndex(const QString& name);
