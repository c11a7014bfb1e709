#include "engine_fixture.h"

#include "utf_text.h"

#include <random>
#include <sstream>

namespace tdslite::testing {

const char* const kInitialisationBatch =
    "Begin\r\n"
    "  create table Jobs(sJobNum nvarchar(50) primary key not null,sJobName nvarchar(50) not "
    "null)\r\n"
    "  create table WkInfo(sWkNums nvarchar(50) primary key not null,sWkName nvarchar(50) not "
    "null,sWkSex nvarchar(50) not null,sWkJobNum nvarchar(50) not null,WkPhoto image)\r\n"
    "  create table Scores(sWkNum nvarchar(50) not null,sWkJobNum nvarchar(50) not "
    "null,iWkScore decimal(18, 2) not null,sClIP nvarchar(50) not null,sMemo TEXT,dtDateTime "
    "datetime not null)\r\n"
    "  insert into jobs values('001','收银员')\r\n"
    "  insert into jobs values('002','网管')\r\n"
    "  insert into jobs values('003','技术员')\r\n"
    "End\r\n";

std::u16string u16(std::string_view utf8) {
    return utf8ToUtf16(utf8);
}

std::string u8(std::u16string_view text) {
    return utf16ToUtf8(text);
}

std::string show(const Value& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return "NULL"; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(const std::u16string& v) const { return u8(v); }
        std::string operator()(const Bytes& v) const {
            static const char* kHex = "0123456789ABCDEF";
            std::string out = "0x";
            for (auto b : v) {
                out.push_back(kHex[b >> 4]);
                out.push_back(kHex[b & 15]);
            }
            return out;
        }
        std::string operator()(const Decimal& v) const {
            std::string digits = std::to_string(v.unscaled < 0 ? -v.unscaled : v.unscaled);
            auto scale = static_cast<std::size_t>(v.scale);
            if (digits.size() <= scale) {
                digits = std::string(scale + 1 - digits.size(), '0') + digits;
            }
            if (scale > 0) {
                std::size_t point = digits.size() - scale;
                digits = digits.substr(0, point) + "." + digits.substr(point);
            }
            return (v.unscaled < 0 ? "-" : "") + digits;
        }
        std::string operator()(const DateTime& v) const {
            return std::to_string(v.days) + ":" + std::to_string(v.ticks);
        }
    };
    return std::visit(Visitor{}, value);
}

void EngineTest::SetUp() {
    std::random_device random;
    dataDir_ = std::filesystem::temp_directory_path() /
               ("tdslite-engine-" + std::to_string(random()) + std::to_string(random()));
    restart();
}

void EngineTest::TearDown() {
    session_.reset();
    engine_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(dataDir_, ignored);
}

void EngineTest::restart(const std::string& collation) {
    session_.reset();
    engine_.reset();
    EngineConfig config;
    config.dataDir = dataDir_.string();
    config.logins = logins_;
    config.collation = collation;
    engine_ = makeEngine(config);
    session_ = connect(user_, password_);
}

std::unique_ptr<Session> EngineTest::connect(const std::string& user, const std::string& password,
                                             const std::string& database) {
    std::unique_ptr<Session> session;
    LoginOutcome outcome = engine_->login({u16(user), u16(password), u16(database)}, &session);
    EXPECT_TRUE(outcome.accepted) << user;
    return session;
}

BatchResult EngineTest::run(Session& session, std::string_view batch) {
    return session.execute(u16(batch));
}

BatchResult EngineTest::ok(std::string_view batch) {
    BatchResult result = run(batch);
    for (const auto& statement : result.statements) {
        EXPECT_FALSE(statement.failed)
            << batch << "\n"
            << (statement.messages.empty() ? "" : u8(statement.messages[0].text));
    }
    return result;
}

void EngineTest::initialiseScore() {
    ok("create database score");
    ok("use score");
    ok(kInitialisationBatch);
}

std::vector<int> errorNumbers(const StatementResult& result) {
    std::vector<int> numbers;
    for (const auto& message : result.messages) {
        numbers.push_back(message.number);
    }
    return numbers;
}

std::vector<std::vector<std::string>> cells(const StatementResult& result) {
    std::vector<std::vector<std::string>> out;
    for (const auto& row : result.rows) {
        std::vector<std::string> line;
        for (const auto& value : row) {
            line.push_back(show(value));
        }
        out.push_back(std::move(line));
    }
    return out;
}

std::vector<std::string> columnNames(const StatementResult& result) {
    std::vector<std::string> names;
    for (const auto& column : result.columns) {
        names.push_back(u8(column.name));
    }
    return names;
}

} // namespace tdslite::testing
