#include "db/sql_gateway.h"

#include "db/odbc_batch.h"
#include "db/odbc_connection.h"
#include "db/odbc_connection_string.h"
#include "db/odbc_driver.h"
#include "db/open_result.h"
#include "db/row_write_back.h"
#include "db/sql_lines.h"

#include <optional>

namespace {

// The wait cursor goes on before a trip to the server and off after it, however it ends.
class BusyScope {
public:
    explicit BusyScope(const std::function<void(bool)>& indicator) : indicator_(indicator) {
        if (indicator_)
            indicator_(true);
    }
    ~BusyScope() {
        if (indicator_)
            indicator_(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    const std::function<void(bool)>& indicator_;
};

} // namespace

struct SqlGateway::State {
    QString name;
    QString connectionString;
    QStringList lines;
    std::function<void(bool)> busy;
    std::unique_ptr<OdbcConnection> connection;
    std::unique_ptr<OpenResult> result;
    bool editing = false;
    std::vector<PendingImage> pendingImages;

    [[noreturn]] void fail(const char* what) const {
        throw DatabaseError(name + QStringLiteral(": ") + QString::fromLatin1(what));
    }

    // Opened when a statement needs it; never checked again while the text stays the same.
    const OdbcConnection& connect() {
        if (!connection) {
            const OleDbConnectionString oledb = OleDbConnectionString::parse(connectionString);
            connection =
                std::make_unique<OdbcConnection>(OdbcConnectionString(oledb, SqlServerDriver()));
        }
        return *connection;
    }

    OpenResult& openResult() {
        if (!result)
            fail("Cannot perform this operation on a closed dataset");
        return *result;
    }

    void close() {
        result.reset();
        stopEditing();
    }

    void stopEditing() {
        editing = false;
        pendingImages.clear();
    }

    // The driver manager would refuse an empty text with a message about buffer lengths.
    QString batch() const {
        if (lines.isEmpty())
            fail("There is no SQL text to send");
        return BatchText(lines);
    }

    void requireEditing() const {
        if (!result || !editing)
            fail("Dataset not in edit or insert mode");
    }
};

SqlGateway::SqlGateway(QString componentName) : state_(std::make_unique<State>()) {
    state_->name = std::move(componentName);
}

SqlGateway::~SqlGateway() = default;

void SqlGateway::SetConnectionString(const QString& text) {
    if (text == state_->connectionString)
        return;
    if (state_->result)
        state_->fail("Cannot perform this operation on an open dataset");
    state_->connection.reset();
    state_->connectionString = text;
}

const QString& SqlGateway::ConnectionString() const {
    return state_->connectionString;
}

void SqlGateway::SetSql(const QString& text) {
    state_->close();
    state_->lines = SqlLinesOf(text);
}

void SqlGateway::ClearSql() {
    state_->close();
    state_->lines.clear();
}

void SqlGateway::AddSqlLine(const QString& line) {
    state_->close();
    state_->lines << line;
}

const QStringList& SqlGateway::SqlLines() const {
    return state_->lines;
}

std::int64_t SqlGateway::RunStatement() {
    const QString sql = state_->batch();
    const BusyScope busy(state_->busy);
    const BatchOutcome outcome = RunBatch(state_->connect(), sql);
    if (outcome.firstError)
        throw DatabaseError(*outcome.firstError);
    return outcome.rowsChanged;
}

// A result already open stays as it is until the new one has arrived whole.
void SqlGateway::OpenQuery() {
    const QString sql = state_->batch();
    const BusyScope busy(state_->busy);
    auto fetched = std::make_unique<OpenResult>(QueryBatch(state_->connect(), sql));
    state_->close();
    state_->result = std::move(fetched);
}

bool SqlGateway::IsOpen() const {
    return state_->result != nullptr;
}

bool SqlGateway::Eof() const {
    return !state_->result || state_->result->eof();
}

int SqlGateway::RowCount() const {
    return state_->result ? state_->result->rowCount() : 0;
}

// Moving drops an edit that was not posted.
void SqlGateway::First() {
    state_->openResult().first();
    state_->stopEditing();
}

void SqlGateway::Next() {
    state_->openResult().next();
    state_->stopEditing();
}

const SqlField& SqlGateway::FieldByName(const QString& name) const {
    const int column = state_->result ? state_->result->columnIndex(name) : -1;
    if (column < 0)
        throw DatabaseError(state_->name + QStringLiteral(": Field '%1' not found").arg(name));
    return state_->result->field(column);
}

QStringList SqlGateway::FieldNames() const {
    return state_->result ? state_->result->fieldNames() : QStringList();
}

void SqlGateway::Edit() {
    const OpenResult& result = state_->openResult();
    if (result.rowCount() == 0)
        state_->fail("Cannot perform this operation on an empty dataset");
    state_->editing = true;
}

void SqlGateway::SetImageField(const QString& name, const QByteArray& bytes) {
    state_->requireEditing();
    const int column = state_->result->columnIndex(name);
    if (column < 0)
        throw DatabaseError(state_->name + QStringLiteral(": Field '%1' not found").arg(name));
    std::erase_if(state_->pendingImages,
                  [column](const PendingImage& image) { return image.column == column; });
    state_->pendingImages.push_back({column, bytes});
}

// A failed post keeps the row in editing, as it was.
void SqlGateway::Post() {
    state_->requireEditing();
    {
        const BusyScope busy(state_->busy);
        WriteImagesBack(state_->connect(), BatchText(state_->lines), *state_->result,
                        state_->pendingImages, state_->name);
    }
    state_->stopEditing();
}

void SqlGateway::Close() {
    state_->close();
}

std::size_t SqlGateway::ResultBytes() const {
    return state_->result ? state_->result->byteSize() : 0;
}

void SqlGateway::SetBusyIndicator(std::function<void(bool)> indicator) {
    state_->busy = std::move(indicator);
}
