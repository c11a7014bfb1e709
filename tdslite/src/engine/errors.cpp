#include "errors.h"

#include "unicode.h"

namespace tdslite {

Message makeMessage(int number, int severity, int state, std::u16string text) {
    Message message;
    message.kind = severity > 10 ? MessageClass::Error : MessageClass::Info;
    message.number = number;
    message.severity = severity;
    message.state = state;
    message.text = std::move(text);
    return message;
}

Message makeInfo(int number, std::u16string text) {
    return makeMessage(number, 0, 1, std::move(text));
}

std::u16string format(std::u16string_view pattern,
                      std::initializer_list<std::u16string_view> args) {
    std::u16string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u's' &&
            next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

namespace {

SqlError one(int number, int severity, int state, std::u16string text,
             Reach reach = Reach::Statement) {
    return {{makeMessage(number, severity, state, std::move(text))}, reach};
}

// Errors that end a statement SQL Server has begun to change data with are followed by 3621.
SqlError terminated(int number, int severity, int state, std::u16string text) {
    SqlError error = one(number, severity, state, std::move(text));
    error.messages.push_back(makeMessage(3621, 0, 0, u"The statement has been terminated."));
    return error;
}

std::u16string number(long long value) {
    return fromAscii(std::to_string(value));
}

} // namespace

namespace err {

SqlError syntax(std::u16string_view near, bool keyword) {
    if (keyword) {
        return one(156, 15, 1, format(u"Incorrect syntax near the keyword '%s'.", {near}),
                   Reach::WholeBatch);
    }
    return one(102, 15, 1, format(u"Incorrect syntax near '%s'.", {near}), Reach::WholeBatch);
}

SqlError unclosedQuote(std::u16string_view rest) {
    SqlError error =
        one(105, 15, 1, format(u"Unclosed quotation mark after the character string '%s'.", {rest}),
            Reach::WholeBatch);
    error.messages.push_back(
        makeMessage(102, 15, 1, format(u"Incorrect syntax near '%s'.", {rest})));
    return error;
}

SqlError missingEndComment() {
    return one(113, 15, 1, u"Missing end comment mark '*/'.", Reach::WholeBatch);
}

SqlError nestedTooDeeply() {
    return one(191, 15, 1,
               u"Some part of your SQL statement is nested too deeply. Rewrite the query or break "
               u"it up into smaller queries.",
               Reach::WholeBatch);
}

SqlError invalidObject(std::u16string_view name) {
    return one(208, 16, 1, format(u"Invalid object name '%s'.", {name}), Reach::RestOfBatch);
}

SqlError invalidColumn(std::u16string_view name) {
    return one(207, 16, 1, format(u"Invalid column name '%s'.", {name}), Reach::RestOfBatch);
}

SqlError unboundIdentifier(std::u16string_view name) {
    return one(4104, 16, 1, format(u"The multi-part identifier \"%s\" could not be bound.", {name}),
               Reach::RestOfBatch);
}

SqlError ambiguousColumn(std::u16string_view name) {
    return one(209, 16, 1, format(u"Ambiguous column name '%s'.", {name}), Reach::RestOfBatch);
}

SqlError insertArity() {
    return one(213, 16, 1,
               u"Column name or number of supplied values does not match table definition.",
               Reach::RestOfBatch);
}

SqlError insertMoreColumns() {
    return one(109, 15, 1,
               u"There are more columns in the INSERT statement than values specified in the "
               u"VALUES clause. The number of values in the VALUES clause must match the number "
               u"of columns specified in the INSERT statement.",
               Reach::RestOfBatch);
}

SqlError insertFewerColumns() {
    return one(110, 15, 1,
               u"There are fewer columns in the INSERT statement than values specified in the "
               u"VALUES clause. The number of values in the VALUES clause must match the number "
               u"of columns specified in the INSERT statement.",
               Reach::RestOfBatch);
}

SqlError duplicateColumnInList(std::u16string_view name) {
    return one(264, 16, 1,
               format(u"The column name '%s' is specified more than once in the SET clause or "
                      u"column list of an INSERT. A column cannot be assigned more than one value "
                      u"in the same clause. Modify the clause to make sure that a column is "
                      u"updated only once. If this statement updates or inserts columns into a "
                      u"view, column aliasing can conceal the duplication in your code.",
                      {name}),
               Reach::RestOfBatch);
}

SqlError columnNotPermitted(std::u16string_view name) {
    return one(128, 15, 1,
               format(u"The name \"%s\" is not permitted in this context. Valid expressions are "
                      u"constants, constant expressions, and (in some contexts) variables. Column "
                      u"names are not permitted.",
                      {name}),
               Reach::WholeBatch);
}

SqlError noTableToSelectFrom() {
    return one(263, 16, 1, u"Must specify table to select from.", Reach::RestOfBatch);
}

SqlError objectPermission(std::u16string_view action, std::u16string_view object,
                          std::u16string_view database) {
    return one(229, 14, 5,
               format(u"The %s permission was denied on the object '%s', database '%s', schema "
                      u"'dbo'.",
                      {action, object, database}));
}

SqlError createPermission(std::u16string_view what, std::u16string_view database) {
    return one(262, 14, 1, format(u"%s permission denied in database '%s'.", {what, database}));
}

SqlError databaseExists(std::u16string_view name) {
    return one(1801, 16, 3,
               format(u"Database '%s' already exists. Choose a different database name.", {name}));
}

SqlError objectExists(std::u16string_view name) {
    return one(2714, 16, 6,
               format(u"There is already an object named '%s' in the database.", {name}));
}

SqlError cannotDropDatabase(std::u16string_view name) {
    return one(3701, 11, 1,
               format(u"Cannot drop the database '%s', because it does not exist or you do not "
                      u"have permission.",
                      {name}));
}

SqlError cannotDropTable(std::u16string_view name) {
    return one(3701, 11, 5,
               format(u"Cannot drop the table '%s', because it does not exist or you do not have "
                      u"permission.",
                      {name}));
}

SqlError systemDatabase(std::u16string_view name) {
    return one(3708, 16, 1,
               format(u"Cannot drop the database '%s' because it is a system database.", {name}));
}

SqlError databaseInUse(std::u16string_view name) {
    return one(3702, 16, 4,
               format(u"Cannot drop database \"%s\" because it is currently in use.", {name}));
}

SqlError noSuchDatabase(std::u16string_view name) {
    return one(
        911, 16, 1,
        format(u"Database '%s' does not exist. Make sure that the name is entered correctly.",
               {name}));
}

SqlError duplicateKey(std::u16string_view constraint, std::u16string_view object,
                      std::u16string_view value) {
    return terminated(2627, 14, 1,
                      format(u"Violation of PRIMARY KEY constraint '%s'. Cannot insert duplicate "
                             u"key in object '%s'. The duplicate key value is (%s).",
                             {constraint, object, value}));
}

SqlError truncated() {
    return terminated(8152, 16, 30, u"String or binary data would be truncated.");
}

SqlError nullNotAllowed(std::u16string_view column, std::u16string_view table, bool update) {
    return terminated(515, 16, 2,
                      format(u"Cannot insert the value NULL into column '%s', table '%s'; column "
                             u"does not allow nulls. %s fails.",
                             {column, table, update ? u"UPDATE" : u"INSERT"}));
}

SqlError conversion(std::u16string_view fromType, std::u16string_view value,
                    std::u16string_view toType) {
    return one(245, 16, 1,
               format(u"Conversion failed when converting the %s value '%s' to data type %s.",
                      {fromType, value, toType}),
               Reach::RestOfBatch);
}

SqlError toNumeric(std::u16string_view fromType) {
    return one(8114, 16, 5, format(u"Error converting data type %s to numeric.", {fromType}),
               Reach::RestOfBatch);
}

SqlError arithmeticOverflow(std::u16string_view toType) {
    return terminated(
        8115, 16, 2,
        format(u"Arithmetic overflow error converting expression to data type %s.", {toType}));
}

SqlError overflowValue(std::u16string_view type, std::u16string_view value) {
    return terminated(
        220, 16, 2,
        format(u"Arithmetic overflow error for data type %s, value = %s.", {type, value}));
}

SqlError unknownFunction(std::u16string_view name) {
    return one(195, 15, 10, format(u"'%s' is not a recognized built-in function name.", {name}),
               Reach::WholeBatch);
}

SqlError undeclaredVariable(std::u16string_view name) {
    return one(137, 15, 2, format(u"Must declare the scalar variable \"%s\".", {name}),
               Reach::WholeBatch);
}

SqlError dateConversion() {
    return one(241, 16, 1,
               u"Conversion failed when converting date and/or time from character string.",
               Reach::RestOfBatch);
}

SqlError implicitConversion(std::u16string_view from, std::u16string_view to) {
    return one(257, 16, 3,
               format(u"Implicit conversion from data type %s to %s is not allowed. Use the "
                      u"CONVERT function to run this query.",
                      {from, to}));
}

SqlError operandClash(std::u16string_view from, std::u16string_view to) {
    return one(206, 16, 2, format(u"Operand type clash: %s is incompatible with %s", {from, to}));
}

SqlError unknownType(int ordinal, std::u16string_view type) {
    return one(2715, 16, 6,
               format(u"Column, parameter, or variable #%s: Cannot find data type %s.",
                      {number(ordinal), type}));
}

SqlError duplicateColumnName(std::u16string_view column, std::u16string_view table) {
    return one(2705, 16, 3,
               format(u"Column names in each table must be unique. Column name '%s' in table "
                      u"'%s' is specified more than once.",
                      {column, table}));
}

SqlError multiplePrimaryKeys(std::u16string_view table) {
    return one(8110, 16, 0,
               format(u"Cannot add multiple PRIMARY KEY constraints to table '%s'.", {table}));
}

SqlError nullablePrimaryKey(std::u16string_view table) {
    return one(
        8111, 16, 1,
        format(u"Cannot define PRIMARY KEY constraint on nullable column in table '%s'.", {table}));
}

SqlError invalidKeyColumn(std::u16string_view column, std::u16string_view table) {
    return one(1919, 16, 1,
               format(u"Column '%s' in table '%s' is of a type that is invalid for use as a key "
                      u"column in an index.",
                      {column, table}));
}

SqlError columnSize(std::u16string_view column, int size, int maximum) {
    return one(131, 15, 2,
               format(u"The size (%s) given to the column '%s' exceeds the maximum allowed for "
                      u"any data type (%s).",
                      {number(size), column, number(maximum)}));
}

SqlError precision(int ordinal, int precision, int maximum) {
    return one(2750, 16, 1,
               format(u"Column or parameter #%s: Specified column precision %s is greater than "
                      u"the maximum precision of %s.",
                      {number(ordinal), number(precision), number(maximum)}));
}

SqlError catalogUpdate() {
    return one(259, 16, 1, u"Ad hoc updates to system catalogs are not allowed.");
}

SqlError noProcedure(std::u16string_view name) {
    return one(2812, 16, 62, format(u"Could not find stored procedure '%s'.", {name}));
}

SqlError unsupported(std::u16string_view what) {
    return one(40000, 16, 1, format(u"tdslite does not support %s.", {what}));
}

SqlError storage(const std::string& detail) {
    return one(50000, 16, 1, u"Storage failure: " + fromUtf8(detail));
}

} // namespace err

namespace login {

Message failed(std::u16string_view user) {
    return makeMessage(18456, 14, 1, format(u"Login failed for user '%s'.", {user}));
}

Message cannotOpenDatabase(std::u16string_view database) {
    return makeMessage(4060, 11, 1,
                       format(u"Cannot open database \"%s\" requested by the login. The login "
                              u"failed.",
                              {database}));
}

} // namespace login

} // namespace tdslite
