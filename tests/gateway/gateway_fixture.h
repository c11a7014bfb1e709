// A private tdslite and a gateway pointed at it, for the gateway's own tests.
#pragma once

#include "db/connection_strings.h"
#include "db/sql_gateway.h"
#include "tests/support/qt_printers.h"

#include <server_process.h>

#include <gtest/gtest.h>
#include <memory>

class GatewayTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Override to start the server with other logins or another collation.
    virtual tdslite::testing::ServerOptions serverOptions() const { return {}; }

    tdslite::testing::ServerProcess& server() { return *server_; }
    QString dataSource() const { return QString::fromStdString(server_->dataSource()); }
    ServerLogin login(const QString& user = QStringLiteral("sa"),
                      const QString& password = QString()) const {
        return {dataSource(), user, password};
    }
    QString serverForm() const { return ServerConnStr(login()); }
    QString catalogForm() const { return CatalogConnStr(login()); }

    // The score database with one table of staff (with a photo column) and one of positions.
    void createScoreTables();
    // Runs SQL on `gateway`'s connection string through a gateway of its own.
    void exec(const QString& connectionString, const QString& sql);
    // The first column of the first row, as text, through `gateway` (left closed).
    QString scalar(SqlGateway& gateway, const QString& sql);
    // The server's id for the session `gateway` is using.
    QString sessionOf(SqlGateway& gateway) {
        return scalar(gateway, QStringLiteral("select @@spid"));
    }
    // The failure text of `action`, or a failed test when it did not fail.
    template <typename Action> QString failureOf(Action&& action) {
        try {
            action();
        } catch (const DatabaseError& failure) {
            return failure.text();
        }
        ADD_FAILURE() << "did not fail";
        return {};
    }

    SqlGateway gateway;

private:
    std::unique_ptr<tdslite::testing::ServerProcess> server_;
};
