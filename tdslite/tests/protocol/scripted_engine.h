// An engine for the front end's own tests: logs in sa with an empty password and answers
// each batch from a script, or with one row holding the batch text itself.
#pragma once

#include "engine.h"

#include <map>
#include <memory>
#include <mutex>

namespace tdslite::protocoltest {

class ScriptedEngine : public Engine {
public:
    void answer(const std::u16string& batch, BatchResult result) {
        std::lock_guard lock(mutex_);
        script_[batch] = std::move(result);
    }

    BatchResult resultFor(const std::u16string& batch) {
        std::lock_guard lock(mutex_);
        auto found = script_.find(batch);
        if (found != script_.end()) {
            return found->second;
        }
        StatementResult echo;
        echo.hasResultSet = true;
        echo.columns.push_back(Column{u"batch", ColumnType::NVarChar, 0});
        echo.rows.push_back(Row{batch});
        echo.rowCount = 1;
        return BatchResult{{echo}, std::nullopt};
    }

    LoginOutcome login(const LoginRequest& request, std::unique_ptr<Session>* session) override;
    std::string collationName() const override { return "Chinese_PRC_CI_AS"; }
    std::uint32_t collationLcid() const override { return 0x00D00804; }
    std::uint8_t collationSortId() const override { return 0; }

private:
    std::mutex mutex_;
    std::map<std::u16string, BatchResult> script_;
};

class ScriptedSession : public Session {
public:
    ScriptedSession(ScriptedEngine& engine, std::u16string database)
        : engine_(engine), database_(std::move(database)) {}
    BatchResult execute(const std::u16string& batch) override {
        BatchResult result = engine_.resultFor(batch);
        if (result.newDatabase) {
            database_ = *result.newDatabase;
        }
        return result;
    }
    std::u16string currentDatabase() const override { return database_; }

private:
    ScriptedEngine& engine_;
    std::u16string database_;
};

inline LoginOutcome ScriptedEngine::login(const LoginRequest& request,
                                          std::unique_ptr<Session>* session) {
    LoginOutcome outcome;
    if (request.user != u"sa" || !request.password.empty()) {
        outcome.messages.push_back(Message{MessageClass::Error, 18456, 1, 14,
                                           u"Login failed for user '" + request.user + u"'.", 1});
        return outcome;
    }
    outcome.accepted = true;
    outcome.database = request.database.empty() ? u"master" : request.database;
    *session = std::make_unique<ScriptedSession>(*this, outcome.database);
    return outcome;
}

} // namespace tdslite::protocoltest
