#include "db/odbc_connection_string.h"

#include "db/database_error.h"

namespace {

const QString kDefaultPort = QStringLiteral("1433");
const QString kLocalHost = QStringLiteral("127.0.0.1");

// "(local)", "." and nothing at all name the server on this machine.
QString hostName(const QString& host) {
    const QString trimmed = host.trimmed();
    if (trimmed.isEmpty() || trimmed == u'.' ||
        trimmed.compare(QStringLiteral("(local)"), Qt::CaseInsensitive) == 0)
        return kLocalHost;
    return trimmed;
}

QString checkedPort(const QString& text, const QString& dataSource) {
    const QString port = text.trimmed();
    bool isNumber = !port.isEmpty();
    for (QChar digit : port)
        isNumber = isNumber && digit >= u'0' && digit <= u'9';
    const int number = isNumber && port.size() <= 5 ? port.toInt() : 0;
    if (number < 1 || number > 65535)
        throw DatabaseError(
            QStringLiteral("The server address '%1' does not give a valid port").arg(dataSource));
    return QString::number(number);
}

QString withoutProtocol(const QString& dataSource) {
    const QString trimmed = dataSource.trimmed();
    if (trimmed.startsWith(QStringLiteral("tcp:"), Qt::CaseInsensitive))
        return trimmed.mid(4);
    return trimmed;
}

} // namespace

ServerAddress ParseDataSource(const QString& dataSource) {
    QString rest = withoutProtocol(dataSource);
    QString port;
    if (const qsizetype comma = rest.indexOf(u','); comma >= 0) {
        port = checkedPort(rest.mid(comma + 1), dataSource);
        rest.truncate(comma);
    }
    const qsizetype backslash = rest.indexOf(u'\\');
    const QString host = hostName(backslash < 0 ? rest : rest.left(backslash));
    if (!port.isEmpty())
        return {host, port}; // a port given wins over the instance, as with SQL Server
    if (backslash >= 0)
        return {host + u'\\' + rest.mid(backslash + 1).trimmed(), QString()};
    return {host, kDefaultPort};
}

BraceRule BraceRuleOf(const QString& driver) {
    return driver.contains(QStringLiteral("FreeTDS"), Qt::CaseInsensitive) ||
                   driver.endsWith(QStringLiteral("libtdsodbc.so"))
               ? BraceRule::FreeTds
               : BraceRule::Standard;
}

QString OdbcValue(const QString& value, BraceRule rule) {
    if (rule == BraceRule::FreeTds) {
        // Nothing else can stand for "};" there, so such a value is refused rather than cut.
        if (value.contains(QStringLiteral("};")))
            throw DatabaseError(QStringLiteral(
                "The connection string holds \"};\", which the database driver cannot take"));
        return u'{' + value + u'}';
    }
    QString doubled = value;
    doubled.replace(u'}', QStringLiteral("}}"));
    return u'{' + doubled + u'}';
}

QString OdbcConnectionString(const OleDbConnectionString& oledb, const QString& driver) {
    const BraceRule rule = BraceRuleOf(driver);
    const auto value = [rule](const QString& text) { return OdbcValue(text, rule); };
    const ServerAddress address = ParseDataSource(oledb.value(QStringLiteral("Data Source")));
    QString text = QStringLiteral("DRIVER=") + value(driver) + QStringLiteral(";SERVER=") +
                   value(address.server);
    if (!address.port.isEmpty())
        text += QStringLiteral(";PORT=") + value(address.port);
    text += QStringLiteral(";UID=") + value(oledb.value(QStringLiteral("User ID")));
    text += QStringLiteral(";PWD=") + value(oledb.value(QStringLiteral("Password")));
    const QString database = oledb.value(QStringLiteral("Initial Catalog"));
    if (!database.isEmpty())
        text += QStringLiteral(";DATABASE=") + value(database);
    // The wide-character calls need no client character set, but the driver's own narrow
    // messages do; 7.4 is the TDS version SQL Server 2012 and later speak. The largest packet
    // SQL Server allows: a photo then crosses in a handful of packets instead of dozens.
    return text + QStringLiteral(";TDS_Version=7.4;ClientCharset=UTF-8;PacketSize=32767");
}
