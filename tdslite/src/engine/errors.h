// SQL Server's messages, with their numbers, severities and states, and the exception that
// carries them out of the statement that raised them.
#pragma once

#include "engine.h"

#include <string>
#include <vector>

namespace tdslite {

// How far a failure reaches: SQL Server ends only the statement for run-time errors, the rest of
// the batch for name resolution errors, and runs nothing of a batch that does not compile.
enum class Reach { Statement, RestOfBatch, WholeBatch };

struct SqlError {
    std::vector<Message> messages;
    Reach reach = Reach::Statement;
};

Message makeMessage(int number, int severity, int state, std::u16string text);
Message makeInfo(int number, std::u16string text);
// Replaces each "%s" in order.
std::u16string format(std::u16string_view pattern, std::initializer_list<std::u16string_view> args);

namespace err {
SqlError syntax(std::u16string_view near, bool keyword);
SqlError unclosedQuote(std::u16string_view rest);
SqlError missingEndComment();
SqlError nestedTooDeeply();
SqlError invalidObject(std::u16string_view name);
SqlError invalidColumn(std::u16string_view name);
SqlError unboundIdentifier(std::u16string_view name);
SqlError ambiguousColumn(std::u16string_view name);
SqlError insertArity();
SqlError insertMoreColumns();
SqlError insertFewerColumns();
SqlError duplicateColumnInList(std::u16string_view name);
SqlError noTableToSelectFrom();
SqlError columnNotPermitted(std::u16string_view name);
SqlError objectPermission(std::u16string_view action, std::u16string_view object,
                          std::u16string_view database);
SqlError createPermission(std::u16string_view what, std::u16string_view database);
SqlError databaseExists(std::u16string_view name);
SqlError objectExists(std::u16string_view name);
SqlError cannotDropDatabase(std::u16string_view name);
SqlError cannotDropTable(std::u16string_view name);
SqlError systemDatabase(std::u16string_view name);
SqlError databaseInUse(std::u16string_view name);
SqlError noSuchDatabase(std::u16string_view name);
SqlError duplicateKey(std::u16string_view constraint, std::u16string_view object,
                      std::u16string_view value);
SqlError truncated();
SqlError nullNotAllowed(std::u16string_view column, std::u16string_view table, bool update);
SqlError conversion(std::u16string_view fromType, std::u16string_view value,
                    std::u16string_view toType);
SqlError toNumeric(std::u16string_view fromType);
SqlError arithmeticOverflow(std::u16string_view toType);
SqlError overflowValue(std::u16string_view type, std::u16string_view value);
SqlError unknownFunction(std::u16string_view name);
SqlError undeclaredVariable(std::u16string_view name);
SqlError dateConversion();
SqlError implicitConversion(std::u16string_view from, std::u16string_view to);
SqlError operandClash(std::u16string_view from, std::u16string_view to);
SqlError unknownType(int ordinal, std::u16string_view type);
SqlError duplicateColumnName(std::u16string_view column, std::u16string_view table);
SqlError multiplePrimaryKeys(std::u16string_view table);
SqlError nullablePrimaryKey(std::u16string_view table);
SqlError invalidKeyColumn(std::u16string_view column, std::u16string_view table);
SqlError columnSize(std::u16string_view column, int size, int maximum);
SqlError precision(int ordinal, int precision, int maximum);
SqlError catalogUpdate();
SqlError noProcedure(std::u16string_view name);
SqlError unsupported(std::u16string_view what);
SqlError storage(const std::string& detail);
} // namespace err

namespace login {
Message failed(std::u16string_view user);
Message cannotOpenDatabase(std::u16string_view database);
} // namespace login

} // namespace tdslite
