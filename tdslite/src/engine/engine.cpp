#include "engine.h"

#include "errors.h"
#include "executor.h"
#include "unicode.h"

#include <mutex>

namespace tdslite {

namespace {

class EngineImpl;

class SessionImpl final : public Session {
public:
    SessionImpl(EngineImpl& engine, SessionState state);
    ~SessionImpl() override;
    BatchResult execute(const std::u16string& batch) override;
    std::u16string currentDatabase() const override;

private:
    EngineImpl& engine_;
    SessionState state_;
};

class EngineImpl final : public Engine {
public:
    explicit EngineImpl(const EngineConfig& config) : accounts_(config.logins) {
        if (accounts_.empty()) {
            accounts_.push_back({"sa", "", Role::SysAdmin});
        }
        state_.collation = makeCollation(config.collation);
        state_.storage = std::make_unique<Storage>(config.dataDir, *state_.collation);
    }

    LoginOutcome login(const LoginRequest& request, std::unique_ptr<Session>* session) override {
        std::lock_guard lock(mutex_);
        LoginOutcome outcome;
        const LoginAccount* account = findAccount(request.user, request.password);
        if (account == nullptr) {
            outcome.messages.push_back(login::failed(request.user));
            return outcome;
        }
        std::u16string wanted = request.database.empty() ? u"master" : request.database;
        const Database* database = state_.storage->find(wanted);
        if (database == nullptr) {
            outcome.messages.push_back(login::cannotOpenDatabase(wanted));
            outcome.messages.push_back(login::failed(request.user));
            return outcome;
        }
        SessionState state;
        state.database = database->name;
        state.login = fromUtf8(account->name);
        state.role = account->role;
        state.spid = nextSpid_++;
        outcome.accepted = true;
        outcome.database = database->name;
        *session = std::make_unique<SessionImpl>(*this, std::move(state));
        return outcome;
    }

    std::string collationName() const override { return state_.collation->name; }
    std::uint32_t collationLcid() const override { return state_.collation->lcid; }
    std::uint8_t collationSortId() const override { return state_.collation->sortId; }

    std::mutex& mutex() { return mutex_; }
    EngineState& state() { return state_; }

private:
    const LoginAccount* findAccount(const std::u16string& user, const std::u16string& password) {
        for (const LoginAccount& account : accounts_) {
            if (equalsNoCase(fromUtf8(account.name), user) &&
                fromUtf8(account.password) == password) {
                return &account;
            }
        }
        return nullptr;
    }

    std::mutex mutex_;
    std::vector<LoginAccount> accounts_;
    EngineState state_;
    int nextSpid_ = 51;
};

SessionImpl::SessionImpl(EngineImpl& engine, SessionState state)
    : engine_(engine), state_(std::move(state)) {
    // The caller of the constructor holds the engine's mutex.
    engine_.state().sessions.insert(&state_);
}

SessionImpl::~SessionImpl() {
    {
        std::lock_guard lock(engine_.mutex());
        engine_.state().sessions.erase(&state_);
    }
    engine_.state().sessionEnded.notify_all();
}

BatchResult SessionImpl::execute(const std::u16string& batch) {
    std::unique_lock lock(engine_.mutex());
    struct ForgetLock {
        EngineState& state;
        ~ForgetLock() { state.batchLock = nullptr; }
    } forget{engine_.state()};
    engine_.state().batchLock = &lock;
    return Executor(engine_.state(), state_).run(batch);
}

std::u16string SessionImpl::currentDatabase() const {
    std::lock_guard lock(engine_.mutex());
    return state_.database;
}

} // namespace

std::unique_ptr<Engine> makeEngine(const EngineConfig& config) {
    return std::make_unique<EngineImpl>(config);
}

} // namespace tdslite
