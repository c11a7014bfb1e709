// Runs the statements of a batch for one session, with SQL Server's error behaviour.
#pragma once

#include "ast.h"
#include "collation.h"
#include "engine.h"
#include "errors.h"
#include "storage.h"

#include <condition_variable>
#include <mutex>
#include <set>
#include <string>

namespace tdslite {

struct ConstantContext;

struct SessionState {
    std::u16string database;
    std::u16string login;
    Role role = Role::SysAdmin;
    int spid = 0;
    bool noCount = false;
    std::int64_t lastRowCount = 0;
    int lastError = 0;
};

// What all sessions share; guarded by the engine's mutex.
struct EngineState {
    std::unique_ptr<Collation> collation;
    std::unique_ptr<Storage> storage;
    std::set<const SessionState*> sessions;
    // Signalled whenever a session ends. A client that closes a connection and at once drops
    // the database it was in would otherwise race the server noticing the closed socket.
    std::condition_variable sessionEnded;
    // The engine's lock as held by the batch now running, so that it can wait on sessionEnded.
    std::unique_lock<std::mutex>* batchLock = nullptr;
};

class Executor {
public:
    Executor(EngineState& engine, SessionState& session) : engine_(engine), session_(session) {}
    BatchResult run(std::u16string_view batch);

private:
    void compile(const std::vector<Statement>& statements);
    StatementResult execute(const Statement& statement);
    // What a constant expression may read: the session's variables and the batch's clock.
    ConstantContext constantContext() const;
    StatementResult select(const SelectStatement& statement);
    StatementResult insert(const InsertStatement& statement);
    StatementResult update(const UpdateStatement& statement);
    StatementResult remove(const DeleteStatement& statement);
    StatementResult createTable(const CreateTableStatement& statement);
    StatementResult dropTable(const DropTableStatement& statement);
    StatementResult createDatabase(const CreateDatabaseStatement& statement);
    StatementResult dropDatabase(const DropDatabaseStatement& statement);
    // True once no other session is inside the database, waiting a short grace for them.
    bool othersLeave(const std::u16string& foldedDatabase);
    StatementResult use(const UseStatement& statement);
    StatementResult set(const SetStatement& statement);

    void checkWrite(const char16_t* action, const Database& database, const TableDef* table,
                    const std::u16string& objectName) const;
    StatementResult changed(std::int64_t rows) const;

    EngineState& engine_;
    SessionState& session_;
    DateTime now_;
};

} // namespace tdslite
