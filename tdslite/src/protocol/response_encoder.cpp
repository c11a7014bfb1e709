#include "response_encoder.h"

#include <string>

namespace tdslite::protocol {
namespace {

constexpr std::uint16_t kCommandSelect = 0xC1;
constexpr std::size_t kFlushBytes = 32 * 1024;
constexpr int kInternalErrorNumber = 50000;

Message info(int number, std::u16string text, int state) {
    Message message;
    message.kind = MessageClass::Info;
    message.number = number;
    message.severity = 0;
    message.state = state;
    message.text = std::move(text);
    return message;
}

std::u16string widen(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

void flushIfLarge(ByteSink& sink, ByteBuffer& buffer) {
    if (buffer.size() >= kFlushBytes) {
        sink.put(buffer);
        buffer.clear();
    }
}

// Returns false when the rows cannot be sent; the statement then fails instead.
bool encodeResultSet(ByteSink& sink, ByteBuffer& buffer, const StatementResult& statement,
                     ResultSetEncoder& resultSets, std::vector<Message>& extraErrors) {
    std::vector<WireColumn> columns;
    try {
        columns = resultSets.plan(statement.columns, statement.rows);
    } catch (const EncodingError& fault) {
        extraErrors.push_back(serverError(
            kInternalErrorNumber, u"tdslite cannot send this result: " + widen(fault.what())));
        return false;
    }
    resultSets.writeMetadata(buffer, columns);
    for (const Row& row : statement.rows) {
        resultSets.writeRow(buffer, columns, row, &sink);
        flushIfLarge(sink, buffer);
    }
    return true;
}

void encodeStatement(ByteSink& sink, ByteBuffer& buffer, const StatementResult& statement,
                     ResultSetEncoder& resultSets, std::uint16_t moreFlag) {
    std::vector<Message> extraErrors;
    bool failed = statement.failed;
    bool sentRows = false;
    if (statement.hasResultSet && !statement.columns.empty()) {
        sentRows = encodeResultSet(sink, buffer, statement, resultSets, extraErrors);
        failed = failed || !sentRows;
    }
    for (const Message& message : statement.messages) {
        writeMessage(buffer, message);
    }
    for (const Message& message : extraErrors) {
        writeMessage(buffer, message);
    }
    std::uint16_t status = moreFlag;
    if (failed) {
        status |= kDoneError;
    }
    bool counted = statement.rowCount.has_value() && (sentRows || !statement.hasResultSet);
    if (counted) {
        status |= kDoneCount;
    }
    auto count = counted ? static_cast<std::uint64_t>(*statement.rowCount) : 0;
    std::uint16_t command = statement.hasResultSet ? kCommandSelect : 0;
    writeDone(buffer, kTokenDone, status, command, count);
    flushIfLarge(sink, buffer);
}

} // namespace

Message serverError(int number, std::u16string text, int severity, int state) {
    Message message;
    message.kind = MessageClass::Error;
    message.number = number;
    message.severity = severity;
    message.state = state;
    message.text = std::move(text);
    return message;
}

void encodeLoginAccepted(ByteSink& sink, const LoginReply& reply) {
    ByteBuffer out;
    writeEnvChangeDatabase(out, reply.database, u"master");
    writeMessage(out, info(5701, u"Changed database context to '" + reply.database + u"'.", 2));
    writeEnvChangeCollation(out, reply.collation);
    writeEnvChangeLanguage(out, u"us_english");
    writeMessage(out, info(5703, u"Changed language setting to us_english.", 1));
    writeLoginAck(out);
    writeEnvChangePacketSize(out, reply.packetSize, reply.packetSize);
    writeDone(out, kTokenDone, kDoneFinal, 0, 0);
    sink.put(out);
}

void encodeLoginRejected(ByteSink& sink, const std::vector<Message>& messages) {
    ByteBuffer out;
    for (const Message& message : messages) {
        writeMessage(out, message);
    }
    writeDone(out, kTokenDone, kDoneError, 0, 0);
    sink.put(out);
}

void encodeBatchResult(ByteSink& sink, const BatchResult& result, std::u16string_view oldDatabase,
                       ResultSetEncoder& resultSets) {
    ByteBuffer buffer;
    const auto& statements = result.statements;
    for (std::size_t i = 0; i < statements.size(); ++i) {
        bool last = i + 1 == statements.size();
        if (last && result.newDatabase) {
            writeEnvChangeDatabase(buffer, *result.newDatabase, oldDatabase);
        }
        encodeStatement(sink, buffer, statements[i], resultSets, last ? kDoneFinal : kDoneMore);
    }
    if (statements.empty()) {
        if (result.newDatabase) {
            writeEnvChangeDatabase(buffer, *result.newDatabase, oldDatabase);
        }
        writeDone(buffer, kTokenDone, kDoneFinal, 0, 0);
    }
    sink.put(buffer);
}

void encodeRequestRefused(ByteSink& sink, const Message& error, std::uint8_t doneToken) {
    ByteBuffer out;
    writeMessage(out, error);
    writeDone(out, doneToken, kDoneError, 0, 0);
    sink.put(out);
}

void encodeAttentionAck(ByteSink& sink) {
    ByteBuffer out;
    writeDone(out, kTokenDone, kDoneAttention, 0, 0);
    sink.put(out);
}

} // namespace tdslite::protocol
