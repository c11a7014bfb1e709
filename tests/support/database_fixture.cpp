#include "tests/support/database_fixture.h"

#include "db/connection_strings.h"
#include "db/sql_gateway.h"

#include <QLineEdit>

namespace {

const char* const kInitialiseBatch =
    "create table Jobs(sJobNum nvarchar(50) primary key not null,sJobName nvarchar(50) not "
    "null)\r\n"
    "create table WkInfo(sWkNums nvarchar(50) primary key not null,sWkName nvarchar(50) not null,"
    "sWkSex nvarchar(50) not null,sWkJobNum nvarchar(50) not null,WkPhoto image)\r\n"
    "create table Scores(sWkNum nvarchar(50) not null,sWkJobNum nvarchar(50) not null,"
    "iWkScore decimal(18, 2) not null,sClIP nvarchar(50) not null,sMemo TEXT,"
    "dtDateTime datetime not null)\r\n"
    "insert into jobs values(N'001',N'收银员')\r\n"
    "insert into jobs values(N'002',N'网管')\r\n"
    "insert into jobs values(N'003',N'技术员')";

} // namespace

void DatabaseFormTest::SetUp() {
    server_ = std::make_unique<tdslite::testing::ServerProcess>(serverOptions());
}

void DatabaseFormTest::TearDown() {
    server_.reset();
}

QString DatabaseFormTest::dataSource() const {
    return QString::fromStdString(server_->dataSource());
}

TForm1& DatabaseFormTest::createConnectedForm(const QString& user, const QString& password) {
    TForm1& window = createForm();
    type("Edit1", dataSource());
    type("Edit2", user);
    type("Edit3", password);
    click("Button2");
    EXPECT_TRUE(enabled("Button3")) << "the connection test did not pass";
    return window;
}

void DatabaseFormTest::createScoreDatabase(bool initialise) {
    exec(QStringLiteral("create database score"), QStringLiteral("master"));
    if (initialise)
        exec(QString::fromUtf8(kInitialiseBatch));
}

QString DatabaseFormTest::probeConnectionString(const QString& database) const {
    const ServerLogin sa{dataSource(), QStringLiteral("sa"), QString()};
    if (database == QStringLiteral("score"))
        return CatalogConnStr(sa);
    return ServerConnStr(sa);
}

void DatabaseFormTest::exec(const QString& sql, const QString& database) {
    SqlGateway probe(QStringLiteral("probe"));
    probe.SetConnectionString(probeConnectionString(database));
    probe.SetSql(sql);
    probe.RunStatement();
}

QList<QStringList> DatabaseFormTest::query(const QString& sql, const QString& database) {
    SqlGateway probe(QStringLiteral("probe"));
    probe.SetConnectionString(probeConnectionString(database));
    probe.SetSql(sql);
    probe.OpenQuery();
    QList<QStringList> rows;
    const QStringList names = probe.FieldNames();
    for (; !probe.Eof(); probe.Next()) {
        QStringList cells;
        for (const QString& name : names) {
            const SqlField& field = probe.FieldByName(name);
            cells << (field.isNull() ? QStringLiteral("<NULL>") : field.asString());
        }
        rows << cells;
    }
    return rows;
}

QByteArray DatabaseFormTest::queryBytes(const QString& sql, const QString& column,
                                        const QString& database) {
    SqlGateway probe(QStringLiteral("probe"));
    probe.SetConnectionString(probeConnectionString(database));
    probe.SetSql(sql);
    probe.OpenQuery();
    if (probe.Eof())
        return {};
    return probe.FieldByName(column).asBytes();
}
