#include "db/sql_gateway.h"

struct SqlGateway::State {
    QString name;
    QString connectionString;
    QStringList lines;
    std::function<void(bool)> busy;
};

SqlGateway::SqlGateway(QString componentName) : state_(std::make_unique<State>()) {
    state_->name = std::move(componentName);
}
SqlGateway::~SqlGateway() = default;
void SqlGateway::SetConnectionString(const QString& text) { state_->connectionString = text; }
const QString& SqlGateway::ConnectionString() const { return state_->connectionString; }
void SqlGateway::SetSql(const QString& text) { state_->lines = text.split(QStringLiteral("\r\n")); }
void SqlGateway::ClearSql() { state_->lines.clear(); }
void SqlGateway::AddSqlLine(const QString& line) { state_->lines << line; }
const QStringList& SqlGateway::SqlLines() const { return state_->lines; }
std::int64_t SqlGateway::RunStatement() { throw DatabaseError(QStringLiteral("not connected")); }
void SqlGateway::OpenQuery() { throw DatabaseError(QStringLiteral("not connected")); }
bool SqlGateway::IsOpen() const { return false; }
bool SqlGateway::Eof() const { return true; }
int SqlGateway::RowCount() const { return 0; }
void SqlGateway::First() {}
void SqlGateway::Next() {}
const SqlField& SqlGateway::FieldByName(const QString& name) const {
    throw DatabaseError(state_->name + QStringLiteral(": Field '%1' not found").arg(name));
}
QStringList SqlGateway::FieldNames() const { return {}; }
void SqlGateway::Edit() {}
void SqlGateway::SetImageField(const QString&, const QByteArray&) {}
void SqlGateway::Post() {}
void SqlGateway::Close() {}
void SqlGateway::SetBusyIndicator(std::function<void(bool)> indicator) {
    state_->busy = std::move(indicator);
}
