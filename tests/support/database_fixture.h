// FormTest with a private tdslite (free port, temporary data) and a second, independent
// gateway for looking at the server's side of things.
#pragma once

#include "tests/support/form_fixture.h"

#include <server_process.h>

#include <memory>

class DatabaseFormTest : public FormTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Override to start the server with other logins or another collation.
    virtual tdslite::testing::ServerOptions serverOptions() const { return {}; }

    tdslite::testing::ServerProcess& server() { return *server_; }
    QString dataSource() const;

    // A window whose connection test has passed against this server (as `user`).
    TForm1& createConnectedForm(const QString& user = QStringLiteral("sa"),
                                const QString& password = QString());
    // The score database with its tables and seed positions, made behind the window's back.
    void createScoreDatabase(bool initialise = true);

    // Runs SQL as sa, in `database`, on a connection of its own.
    void exec(const QString& sql, const QString& database = QStringLiteral("score"));
    // Every row of the result, each column as text ("<NULL>" for NULL).
    QList<QStringList> query(const QString& sql, const QString& database = QStringLiteral("score"));
    QByteArray queryBytes(const QString& sql, const QString& column,
                          const QString& database = QStringLiteral("score"));

private:
    QString probeConnectionString(const QString& database) const;
    std::unique_ptr<tdslite::testing::ServerProcess> server_;
};
