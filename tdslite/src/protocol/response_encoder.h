// Turns the engine's answers into the token streams a client reads.
#pragma once

#include "engine.h"
#include "packet_writer.h"
#include "result_set.h"
#include "tokens.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace tdslite::protocol {

struct LoginReply {
    std::u16string database;
    std::uint32_t packetSize = 4096;
    CollationBytes collation;
};

void encodeLoginAccepted(ByteSink& sink, const LoginReply& reply);
void encodeLoginRejected(ByteSink& sink, const std::vector<Message>& messages);

// One DONE per statement, DONE_MORE on all but the last, then the database change of a
// USE just before the final DONE.
void encodeBatchResult(ByteSink& sink, const BatchResult& result, std::u16string_view oldDatabase,
                       ResultSetEncoder& resultSets);

// A request this server does not carry out (RPC, transactions): one error, and the
// connection stays usable.
void encodeRequestRefused(ByteSink& sink, const Message& error, std::uint8_t doneToken);

void encodeAttentionAck(ByteSink& sink);

Message serverError(int number, std::u16string text, int severity = 16, int state = 1);

} // namespace tdslite::protocol
