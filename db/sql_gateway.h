// qrySql: the one road to the database. It holds at most one server connection, kept while
// the connection string stays the same, and at most one open result, fetched whole.
#pragma once

#include "db/database_error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

class SqlField {
public:
    virtual ~SqlField() = default;
    virtual bool isNull() const = 0;
    virtual QString asString() const = 0;       // NULL gives empty text
    virtual std::int64_t asInteger() const = 0; // text is converted; throws when it cannot be
    virtual QByteArray asBytes() const = 0;
};

class SqlGateway {
public:
    explicit SqlGateway(QString componentName = QStringLiteral("qrySql"));
    ~SqlGateway();
    SqlGateway(const SqlGateway&) = delete;
    SqlGateway& operator=(const SqlGateway&) = delete;

    // A different text closes the held connection; refused while a result is open.
    void SetConnectionString(const QString& connectionString);
    const QString& ConnectionString() const;

    // Each of these closes an open result first.
    void SetSql(const QString& text);
    void ClearSql();
    void AddSqlLine(const QString& line);
    const QStringList& SqlLines() const;

    // Runs the whole batch; the rows changed by all its statements. Throws the first error.
    std::int64_t RunStatement();
    void OpenQuery();

    bool IsOpen() const;
    bool Eof() const;
    int RowCount() const;
    void First();
    void Next();
    const SqlField& FieldByName(const QString& name) const;
    // The open result's column names, in order.
    QStringList FieldNames() const;

    // Writes the current row's image column back by the table's primary key.
    void Edit();
    void SetImageField(const QString& name, const QByteArray& bytes);
    void Post();

    void Close();

    // The memory the open result takes (0 when none is open).
    std::size_t ResultBytes() const;

    // Called with true before and false after each trip to the server (the wait cursor).
    void SetBusyIndicator(std::function<void(bool)> indicator);

private:
    struct State;
    std::unique_ptr<State> state_;
};
