#include "parser.h"

#include "lexer.h"
#include "unicode.h"

#include <algorithm>

namespace tdslite {

std::u16string ObjectName::written() const {
    std::u16string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            out.push_back(u'.');
        }
        out += parts[i];
    }
    return out;
}

namespace {

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    std::vector<Statement> batch() {
        std::vector<Statement> statements;
        while (!atEnd()) {
            if (acceptSymbol(u";")) {
                continue;
            }
            statement(statements, 0);
        }
        return statements;
    }

private:
    // ----- token access -----
    const Token& peek(std::size_t ahead = 0) const {
        std::size_t i = std::min(pos_ + ahead, tokens_.size() - 1);
        return tokens_[i];
    }
    bool atEnd() const { return peek().kind == TokenKind::End; }
    const Token& take() {
        const Token& token = tokens_[pos_];
        if (pos_ + 1 < tokens_.size()) {
            ++pos_;
        }
        return token;
    }
    bool isWordAt(std::size_t ahead, std::string_view word) const {
        const Token& token = peek(ahead);
        return token.kind == TokenKind::Word && isWord(token.text, word);
    }
    bool acceptWord(std::string_view word) {
        if (isWordAt(0, word)) {
            take();
            return true;
        }
        return false;
    }
    void expectWord(std::string_view word) {
        if (!acceptWord(word)) {
            fail();
        }
    }
    bool isSymbol(std::u16string_view symbol, std::size_t ahead = 0) const {
        const Token& token = peek(ahead);
        return token.kind == TokenKind::Symbol && token.text == symbol;
    }
    bool acceptSymbol(std::u16string_view symbol) {
        if (isSymbol(symbol)) {
            take();
            return true;
        }
        return false;
    }
    void expectSymbol(std::u16string_view symbol) {
        if (!acceptSymbol(symbol)) {
            fail();
        }
    }

    [[noreturn]] void fail() const {
        const Token* token = &peek();
        if (token->kind == TokenKind::End && pos_ > 0) {
            token = &tokens_[pos_ - 1];
        }
        std::u16string near = token->text;
        if (token->kind == TokenKind::Binary) {
            near = u"0x" + near;
        }
        SqlError error =
            err::syntax(near, token->kind == TokenKind::Word && isReservedWord(token->text));
        for (auto& message : error.messages) {
            message.line = token->line;
        }
        throw error;
    }

    bool isName(std::size_t ahead = 0) const {
        const Token& token = peek(ahead);
        return token.kind == TokenKind::QuotedName ||
               (token.kind == TokenKind::Word && !isReservedWord(token.text));
    }
    std::u16string name() {
        if (!isName()) {
            fail();
        }
        return take().text;
    }

    std::int64_t integer() {
        const Token& token = peek();
        if (token.kind != TokenKind::Number || token.text.size() > 18 ||
            token.text.find(u'.') != std::u16string::npos) {
            fail();
        }
        std::int64_t value = 0;
        for (char16_t digit : take().text) {
            value = value * 10 + (digit - u'0');
        }
        return value;
    }

    // Bounds the recursion of nested blocks, parentheses and NOTs, as SQL Server bounds nesting.
    class Nesting {
    public:
        explicit Nesting(Parser& parser) : parser_(parser) {
            if (++parser_.depth_ > kMaxDepth) {
                SqlError error = err::nestedTooDeeply();
                error.messages[0].line = parser_.peek().line;
                throw error;
            }
        }
        ~Nesting() { --parser_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        // SQLite's own parser takes about this much nesting of the SQL made from it.
        static constexpr int kMaxDepth = 128;
        Parser& parser_;
    };

    // SQLite refuses expressions deeper than 1000, and a chain of ORs is as deep as it is long.
    void checkChain(int terms) const {
        if (terms > 900) {
            SqlError error = err::nestedTooDeeply();
            error.messages[0].line = peek().line;
            throw error;
        }
    }

    // ----- statements -----
    bool startsStatement() const {
        static constexpr std::string_view kStarts[] = {"SELECT", "INSERT", "UPDATE", "DELETE",
                                                       "CREATE", "DROP",   "USE",    "SET",
                                                       "BEGIN",  "EXEC",   "EXECUTE"};
        for (auto word : kStarts) {
            if (isWordAt(0, word)) {
                return true;
            }
        }
        return false;
    }

    void statement(std::vector<Statement>& out, int depth) {
        int line = peek().line;
        if (acceptWord("BEGIN")) {
            block(out, depth + 1);
            return;
        }
        bool first = out.empty() && pos_ == 0;
        out.push_back({line, body(first)});
        if (!atEnd() && !isSymbol(u";") && !startsStatement() && !isWordAt(0, "END")) {
            fail();
        }
    }

    void block(std::vector<Statement>& out, int depth) {
        Nesting nesting(*this);
        while (true) {
            if (acceptSymbol(u";")) {
                continue;
            }
            if (acceptWord("END")) {
                return;
            }
            if (atEnd()) {
                fail();
            }
            statement(out, depth);
        }
    }

    StatementBody body(bool firstInBatch) {
        if (acceptWord("SELECT")) {
            return select();
        }
        if (acceptWord("INSERT")) {
            return insert();
        }
        if (acceptWord("UPDATE")) {
            return update();
        }
        if (acceptWord("DELETE")) {
            return remove();
        }
        if (acceptWord("CREATE")) {
            return create();
        }
        if (acceptWord("DROP")) {
            return drop();
        }
        if (acceptWord("USE")) {
            return UseStatement{name()};
        }
        if (acceptWord("SET")) {
            return set();
        }
        if (acceptWord("EXEC") || acceptWord("EXECUTE")) {
            return exec();
        }
        // A batch may start with a procedure's name and no EXEC.
        if (firstInBatch && isName()) {
            return exec();
        }
        fail();
    }

    ExecStatement exec() {
        ObjectName procedure = objectName();
        if (!atEnd() && !isSymbol(u";")) {
            fail();
        }
        return {procedure.written()};
    }

    SetStatement set() {
        SetStatement statement;
        if (peek().kind == TokenKind::Variable || atEnd()) {
            fail();
        }
        statement.option = take().text;
        // Options take words, numbers or lists of them; they end where the next statement begins.
        while (!atEnd() && !isSymbol(u";") && !startsStatement() && !isWordAt(0, "END")) {
            const Token& token = take();
            if (token.kind == TokenKind::Symbol && token.text != u",") {
                pos_--;
                fail();
            }
            if (statement.value.empty()) {
                statement.value = token.text;
            }
        }
        return statement;
    }

    ObjectName objectName() {
        ObjectName result;
        result.parts.push_back(isSymbol(u".") ? std::u16string() : name());
        while (acceptSymbol(u".")) {
            result.parts.push_back(isSymbol(u".") ? std::u16string() : name());
        }
        if (result.parts.size() > 3 || result.parts.back().empty()) {
            fail();
        }
        return result;
    }

    SelectStatement select() {
        SelectStatement statement;
        tableSources_ = 0;
        if (acceptWord("DISTINCT")) {
            statement.distinct = true;
        } else {
            acceptWord("ALL");
        }
        if (acceptWord("TOP")) {
            bool parenthesised = acceptSymbol(u"(");
            statement.top = integer();
            if (parenthesised) {
                expectSymbol(u")");
            }
        }
        do {
            statement.items.push_back(selectItem());
        } while (acceptSymbol(u","));
        if (acceptWord("FROM")) {
            statement.from = fromClause();
        }
        if (acceptWord("WHERE")) {
            statement.where = condition();
        }
        if (acceptWord("ORDER")) {
            expectWord("BY");
            do {
                OrderItem item;
                item.value = scalar();
                if (acceptWord("DESC")) {
                    item.descending = true;
                } else {
                    acceptWord("ASC");
                }
                statement.order.push_back(std::move(item));
            } while (acceptSymbol(u","));
        }
        return statement;
    }

    SelectItem selectItem() {
        SelectItem item;
        if (acceptSymbol(u"*")) {
            item.kind = SelectItem::Kind::Star;
            return item;
        }
        // qualifier.* : names followed by ". *"
        std::size_t ahead = 0;
        while (isName(ahead) && isSymbol(u".", ahead + 1)) {
            ahead += 2;
            if (isSymbol(u"*", ahead)) {
                item.kind = SelectItem::Kind::QualifiedStar;
                for (std::size_t i = 0; i < ahead; i += 2) {
                    item.qualifier.push_back(take().text);
                    take();
                }
                take();
                return item;
            }
        }
        item.value = scalar();
        if (acceptWord("AS")) {
            if (peek().kind == TokenKind::String) {
                item.alias = take().text;
            } else {
                item.alias = name();
            }
        } else if (isName() || peek().kind == TokenKind::String) {
            if (!isWordAt(0, "FROM")) {
                item.alias = take().text;
            }
        }
        return item;
    }

    std::unique_ptr<FromNode> fromClause() {
        auto node = tableSource();
        while (true) {
            JoinKind kind;
            if (acceptSymbol(u",")) {
                kind = JoinKind::Cross;
            } else if (acceptWord("CROSS")) {
                expectWord("JOIN");
                kind = JoinKind::Cross;
            } else if (acceptWord("INNER")) {
                expectWord("JOIN");
                kind = JoinKind::Inner;
            } else if (acceptWord("JOIN")) {
                kind = JoinKind::Inner;
            } else if (acceptWord("LEFT")) {
                acceptWord("OUTER");
                expectWord("JOIN");
                kind = JoinKind::Left;
            } else {
                return node;
            }
            auto join = std::make_unique<FromNode>();
            join->join = kind;
            join->left = std::move(node);
            join->right = tableSource();
            if (kind != JoinKind::Cross) {
                expectWord("ON");
                join->on = condition();
            }
            node = std::move(join);
        }
    }

    std::unique_ptr<FromNode> tableSource() {
        Nesting nesting(*this);
        // SQLite's parser takes about this many joined tables before its stack runs out.
        if (++tableSources_ > 32) {
            checkChain(1000);
        }
        if (acceptSymbol(u"(")) {
            if (isWordAt(0, "SELECT")) {
                fail(); // derived tables are not part of this dialect
            }
            auto inner = fromClause();
            expectSymbol(u")");
            return inner;
        }
        auto node = std::make_unique<FromNode>();
        node->table = objectName();
        if (acceptWord("AS")) {
            node->alias = name();
        } else if (isName()) {
            node->alias = take().text;
        }
        return node;
    }

    InsertStatement insert() {
        InsertStatement statement;
        acceptWord("INTO");
        statement.table = objectName();
        if (acceptSymbol(u"(")) {
            statement.hasColumnList = true;
            do {
                statement.columns.push_back(name());
            } while (acceptSymbol(u","));
            expectSymbol(u")");
        }
        expectWord("VALUES");
        do {
            expectSymbol(u"(");
            std::vector<ExprPtr> row;
            do {
                row.push_back(scalar());
            } while (acceptSymbol(u","));
            expectSymbol(u")");
            statement.rows.push_back(std::move(row));
        } while (acceptSymbol(u","));
        return statement;
    }

    UpdateStatement update() {
        UpdateStatement statement;
        statement.table = objectName();
        expectWord("SET");
        do {
            Assignment assignment;
            assignment.column.push_back(name());
            while (acceptSymbol(u".")) {
                assignment.column.push_back(name());
            }
            expectSymbol(u"=");
            assignment.value = scalar();
            statement.assignments.push_back(std::move(assignment));
        } while (acceptSymbol(u","));
        if (acceptWord("WHERE")) {
            statement.where = condition();
        }
        return statement;
    }

    DeleteStatement remove() {
        DeleteStatement statement;
        acceptWord("FROM");
        statement.table = objectName();
        if (acceptWord("WHERE")) {
            statement.where = condition();
        }
        return statement;
    }

    StatementBody create() {
        if (acceptWord("DATABASE")) {
            return CreateDatabaseStatement{name()};
        }
        expectWord("TABLE");
        CreateTableStatement statement;
        statement.table = objectName();
        expectSymbol(u"(");
        do {
            tableElement(statement);
        } while (acceptSymbol(u","));
        expectSymbol(u")");
        return statement;
    }

    void tableElement(CreateTableStatement& statement) {
        if (isWordAt(0, "CONSTRAINT") || isWordAt(0, "PRIMARY")) {
            std::u16string constraint;
            if (acceptWord("CONSTRAINT")) {
                constraint = name();
            }
            expectWord("PRIMARY");
            expectWord("KEY");
            if (!acceptWord("CLUSTERED")) {
                acceptWord("NONCLUSTERED");
            }
            expectSymbol(u"(");
            do {
                statement.tableKey.push_back(name());
                if (!acceptWord("ASC")) {
                    acceptWord("DESC");
                }
            } while (acceptSymbol(u","));
            expectSymbol(u")");
            statement.tableKeyName = constraint;
            ++statement.primaryKeyCount;
            return;
        }
        ColumnSpec column;
        column.name = name();
        column.typeName = name();
        if (acceptSymbol(u"(")) {
            if (acceptWord("MAX")) {
                column.maxLength = true;
            } else {
                do {
                    column.typeArgs.push_back(
                        static_cast<int>(std::min<std::int64_t>(integer(), 1 << 30)));
                } while (acceptSymbol(u","));
            }
            expectSymbol(u")");
        }
        columnConstraints(column, statement);
        statement.columns.push_back(std::move(column));
    }

    void columnConstraints(ColumnSpec& column, CreateTableStatement& statement) {
        while (true) {
            if (acceptWord("NOT")) {
                expectWord("NULL");
                column.nullable = false;
            } else if (acceptWord("NULL")) {
                column.nullable = true;
            } else if (isWordAt(0, "CONSTRAINT") && isWordAt(2, "PRIMARY")) {
                take();
                column.constraintName = name();
            } else if (acceptWord("PRIMARY")) {
                expectWord("KEY");
                if (!acceptWord("CLUSTERED")) {
                    acceptWord("NONCLUSTERED");
                }
                column.primaryKey = true;
                ++statement.primaryKeyCount;
            } else {
                return;
            }
        }
    }

    StatementBody drop() {
        if (acceptWord("DATABASE")) {
            DropDatabaseStatement statement;
            do {
                statement.names.push_back(name());
            } while (acceptSymbol(u","));
            return statement;
        }
        expectWord("TABLE");
        DropTableStatement statement;
        do {
            statement.tables.push_back(objectName());
        } while (acceptSymbol(u","));
        return statement;
    }

    // ----- expressions -----
    ExprPtr node(ExprKind kind, int line) {
        auto expr = std::make_unique<Expr>();
        expr->kind = kind;
        expr->line = line;
        return expr;
    }

    ExprPtr condition() {
        Nesting nesting(*this);
        auto left = conjunction();
        for (int terms = 1; isWordAt(0, "OR"); ++terms) {
            checkChain(terms);
            auto expr = node(ExprKind::Or, take().line);
            expr->args.push_back(std::move(left));
            expr->args.push_back(conjunction());
            left = std::move(expr);
        }
        return left;
    }

    ExprPtr conjunction() {
        auto left = negation();
        for (int terms = 1; isWordAt(0, "AND"); ++terms) {
            checkChain(terms);
            auto expr = node(ExprKind::And, take().line);
            expr->args.push_back(std::move(left));
            expr->args.push_back(negation());
            left = std::move(expr);
        }
        return left;
    }

    ExprPtr negation() {
        Nesting nesting(*this);
        if (isWordAt(0, "NOT")) {
            auto expr = node(ExprKind::Not, take().line);
            expr->args.push_back(negation());
            return expr;
        }
        return predicate();
    }

    static bool isLogical(const Expr& expr) {
        switch (expr.kind) {
        case ExprKind::Compare:
        case ExprKind::And:
        case ExprKind::Or:
        case ExprKind::Not:
        case ExprKind::IsNull:
        case ExprKind::Like:
            return true;
        default:
            return false;
        }
    }

    bool atComparison() const {
        static constexpr std::u16string_view kOperators[] = {u"=", u"<>", u"!=", u"<", u"<=",
                                                             u">", u">=", u"!<", u"!>"};
        for (auto op : kOperators) {
            if (isSymbol(op)) {
                return true;
            }
        }
        return false;
    }

    ExprPtr predicate() {
        ExprPtr left;
        if (isSymbol(u"(")) {
            take();
            left = condition();
            expectSymbol(u")");
            if (isLogical(*left)) {
                return left;
            }
        } else {
            left = scalar();
        }
        int line = peek().line;
        if (atComparison()) {
            auto expr = node(ExprKind::Compare, line);
            expr->text = take().text;
            expr->args.push_back(std::move(left));
            expr->args.push_back(scalar());
            return expr;
        }
        if (acceptWord("IS")) {
            auto expr = node(ExprKind::IsNull, line);
            expr->negated = acceptWord("NOT");
            expectWord("NULL");
            expr->args.push_back(std::move(left));
            return expr;
        }
        bool negated = false;
        if (isWordAt(0, "NOT") && isWordAt(1, "LIKE")) {
            take();
            negated = true;
        }
        if (acceptWord("LIKE")) {
            auto expr = node(ExprKind::Like, line);
            expr->negated = negated;
            expr->args.push_back(std::move(left));
            expr->args.push_back(scalar());
            return expr;
        }
        fail();
    }

    ExprPtr scalar() {
        Nesting nesting(*this);
        const Token& token = peek();
        int line = token.line;
        switch (token.kind) {
        case TokenKind::String:
        case TokenKind::NString:
        case TokenKind::Number:
        case TokenKind::Binary: {
            auto expr = node(literalKind(token.kind), line);
            expr->text = take().text;
            return expr;
        }
        case TokenKind::Variable: {
            if (token.text.size() < 3 || token.text[1] != u'@') {
                fail();
            }
            auto expr = node(ExprKind::Variable, line);
            expr->text = take().text;
            return expr;
        }
        case TokenKind::Symbol:
            return symbolScalar();
        case TokenKind::Word:
            if (isWord(token.text, "NULL")) {
                take();
                return node(ExprKind::Null, line);
            }
            [[fallthrough]];
        case TokenKind::QuotedName:
            return nameScalar();
        case TokenKind::End:
            break;
        }
        fail();
    }

    static ExprKind literalKind(TokenKind kind) {
        switch (kind) {
        case TokenKind::String:
            return ExprKind::String;
        case TokenKind::NString:
            return ExprKind::NString;
        case TokenKind::Number:
            return ExprKind::Number;
        default:
            return ExprKind::Binary;
        }
    }

    ExprPtr symbolScalar() {
        int line = peek().line;
        if (acceptSymbol(u"(")) {
            auto inner = scalar();
            expectSymbol(u")");
            return inner;
        }
        bool minus = isSymbol(u"-");
        if ((minus || isSymbol(u"+")) && peek(1).kind == TokenKind::Number) {
            take();
            auto expr = node(ExprKind::Number, line);
            expr->text = (minus ? u"-" : u"") + take().text;
            return expr;
        }
        fail();
    }

    ExprPtr nameScalar() {
        int line = peek().line;
        if (peek().kind == TokenKind::Word && isSymbol(u"(", 1)) {
            auto expr = node(ExprKind::Function, line);
            expr->text = take().text;
            take();
            if (acceptSymbol(u"*")) {
                expr->star = true;
            } else if (!isSymbol(u")")) {
                do {
                    expr->args.push_back(scalar());
                } while (acceptSymbol(u","));
            }
            expectSymbol(u")");
            return expr;
        }
        auto expr = node(ExprKind::Column, line);
        expr->parts.push_back(name());
        while (isSymbol(u".") && !isSymbol(u"*", 1)) {
            take();
            expr->parts.push_back(name());
        }
        if (expr->parts.size() > 4) {
            fail();
        }
        return expr;
    }

    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    int tableSources_ = 0;
};

} // namespace

std::vector<Statement> parseBatch(std::u16string_view batch) {
    return Parser(tokenize(batch)).batch();
}

} // namespace tdslite
