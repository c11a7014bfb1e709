// A whole connection fed from the fuzzer's bytes: PRELOGIN, LOGIN7, batches, RPC and
// attention in any order, answered by a small engine that returns every column type
// built from the batch text, so that the reply encoders are exercised too.
#include "connection.h"
#include "packet.h"
#include "transport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

using namespace tdslite;
using namespace tdslite::protocol;

namespace {

class BufferTransport : public Transport {
public:
    explicit BufferTransport(std::span<const std::uint8_t> input) : input_(input) {}

    void read(std::span<std::uint8_t> buffer, std::optional<Clock::time_point>) override {
        if (buffer.size() > input_.size()) {
            throw ConnectionClosed("input used up");
        }
        std::copy(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(buffer.size()),
                  buffer.begin());
        input_ = input_.subspan(buffer.size());
    }

    // Every packet the connection sends must say its own length.
    void write(std::span<const std::uint8_t> bytes) override {
        if (bytes.size() < kPacketHeaderSize ||
            ((std::size_t{bytes[2]} << 8) | bytes[3]) != bytes.size()) {
            std::abort();
        }
    }

private:
    std::span<const std::uint8_t> input_;
};

StatementResult everyType(const std::u16string& text) {
    auto size = static_cast<std::int64_t>(text.size());
    StatementResult result;
    result.hasResultSet = true;
    result.columns = {{u"n", ColumnType::NVarChar, 10},
                      {u"c", ColumnType::Char, 3},
                      {u"t", ColumnType::Text},
                      {u"i", ColumnType::Image},
                      {u"d", ColumnType::Decimal, 0, 18, 2},
                      {u"dt", ColumnType::DateTime},
                      {u"int", ColumnType::Int},
                      {u"s", ColumnType::SmallInt},
                      {u"ti", ColumnType::TinyInt},
                      {u"b", ColumnType::Bit}};
    Bytes bytes(text.begin(), text.end());
    result.rows.push_back(
        {text, text, text, bytes, Decimal{size * 37 - 500, static_cast<int>(size % 4)},
         DateTime{static_cast<std::int32_t>(size), static_cast<std::uint32_t>(size * 3)}, size,
         size % 30000, size % 256, size % 2});
    result.rows.push_back(Row(result.columns.size()));
    result.rowCount = 2;
    return result;
}

class FuzzSession : public Session {
public:
    BatchResult execute(const std::u16string& batch) override {
        StatementResult failed;
        failed.failed = true;
        failed.messages.push_back(Message{MessageClass::Error, 208, 1, 16, batch, 1});
        BatchResult result{{everyType(batch), failed}, std::nullopt};
        if (batch.starts_with(u"use ")) {
            result.newDatabase = batch.substr(4);
        }
        return result;
    }
    std::u16string currentDatabase() const override { return u"master"; }
};

class FuzzEngine : public Engine {
public:
    LoginOutcome login(const LoginRequest& request, std::unique_ptr<Session>* session) override {
        LoginOutcome outcome;
        outcome.accepted = request.user == u"sa";
        if (outcome.accepted) {
            *session = std::make_unique<FuzzSession>();
        }
        return outcome;
    }
    std::string collationName() const override { return "Chinese_PRC_CI_AS"; }
    std::uint32_t collationLcid() const override { return 0x00D00804; }
    std::uint8_t collationSortId() const override { return 0; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzEngine engine;
    BufferTransport transport({data, size});
    ConnectionLimits limits;
    limits.maxRequestBytes = 1024 * 1024;
    Connection(transport, engine, WireSettings{{0x00D00804, 0}, "GBK"}, limits, 51).serve();
    return 0;
}
