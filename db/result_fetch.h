// Reads the statement's current result, every row of it, into memory.
#pragma once

#include "db/odbc_handle.h"
#include "db/result_buffer.h"

// Throws DatabaseError when the server fails the result part-way.
ResultBuffer FetchResult(const OdbcHandle& statement);
