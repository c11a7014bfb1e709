// Parses a T-SQL batch into its statements; begin ... end blocks are flattened.
#pragma once

#include "ast.h"

#include <string_view>
#include <vector>

namespace tdslite {

// Throws SqlError (whole batch) on a syntax error: then no statement of the batch runs.
std::vector<Statement> parseBatch(std::u16string_view batch);

} // namespace tdslite
