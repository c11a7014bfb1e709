// Moving values between SQLite statements and the engine's typed rows.
#pragma once

#include "binder.h"
#include "values.h"

#include <sqlite3.h>

namespace tdslite {

void bindParam(sqlite3_stmt* statement, int index, const Param& value);
// Converts each slot's constant (comparing ones to the column's type) and binds it from index 1.
void bindSlots(sqlite3_stmt* statement, const std::vector<ParamSlot>& slots,
               const ConstantContext& context);
Value readValue(sqlite3_stmt* statement, int index, const Column& column);

} // namespace tdslite
