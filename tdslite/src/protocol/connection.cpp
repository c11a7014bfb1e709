#include "connection.h"

#include "byte_reader.h"
#include "login7.h"
#include "packet_writer.h"
#include "prelogin.h"
#include "request_decoding.h"
#include "response_encoder.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tdslite::protocol {
namespace {

constexpr std::uint32_t kDefaultPacketSize = 4096;
constexpr std::uint32_t kMinPacketSize = 512;
constexpr std::uint32_t kMaxPacketSize = 32767;
// The login is acknowledged as TDS 7.4 whatever the client asked for, and clients then
// speak 7.4, whose requests always start with ALL_HEADERS.
constexpr bool kRequestsHaveAllHeaders = true;
constexpr std::size_t kMaxPacketsPerRequest = 65536;
constexpr int kLoginFailed = 18456;
constexpr int kInternalError = 50000;
constexpr int kProcedureNotFound = 2812;

std::uint32_t negotiatePacketSize(std::uint32_t requested) {
    if (requested == 0) {
        return kDefaultPacketSize;
    }
    return std::clamp(requested, kMinPacketSize, kMaxPacketSize);
}

std::u16string widen(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

} // namespace

Connection::Connection(Transport& transport, Engine& engine, const WireSettings& wire,
                       const ConnectionLimits& limits, std::uint16_t spid)
    : transport_(transport), engine_(engine), wire_(wire), limits_(limits), spid_(spid),
      acceptedAt_(Clock::now()), assembler_(kMaxLogin7Bytes), codePage_(wire.codePage) {}

void Connection::serve() {
    try {
        while (phase_ != Phase::Closing) {
            auto message = readMessage();
            if (message) {
                handle(*message);
            }
        }
    } catch (const ConnectionClosed&) {
        // The client left or stalled; nothing more can be said to it.
    } catch (const ProtocolError& fault) {
        std::fprintf(stderr, "tdslite: connection %u closed: %s\n", spid_, fault.what());
    } catch (const std::exception& fault) {
        std::fprintf(stderr, "tdslite: connection %u failed: %s\n", spid_, fault.what());
    }
}

std::optional<Clock::time_point> Connection::idleDeadline() const {
    if (phase_ == Phase::LoggedIn) {
        return std::nullopt; // a logged-in client may stay idle as long as it likes
    }
    return acceptedAt_ + limits_.loginTimeout;
}

PacketHeader Connection::readPacketHeader(std::optional<Clock::time_point> deadline) {
    std::array<std::uint8_t, kPacketHeaderSize> bytes{};
    transport_.read(std::span(bytes).first(1), deadline);
    auto packetDeadline = Clock::now() + limits_.packetTimeout;
    if (deadline) {
        packetDeadline = std::min(packetDeadline, *deadline);
    }
    transport_.read(std::span(bytes).subspan(1), packetDeadline);
    return parsePacketHeader(bytes);
}

// Nothing when the packets read so far were an attention, which is answered here.
std::optional<ClientMessage> Connection::readMessage() {
    ByteBuffer payload;
    for (;;) {
        auto deadline =
            assembler_.inProgress() ? Clock::now() + limits_.packetTimeout : idleDeadline();
        PacketHeader header = readPacketHeader(deadline);
        checkPacketAllowed(header);
        auto packetDeadline = Clock::now() + limits_.packetTimeout;
        payload.resize(header.payloadLength());
        transport_.read(payload, packetDeadline);
        if (static_cast<PacketType>(header.type) == PacketType::Attention) {
            assembler_.discard();
            sendAttentionAck();
            return std::nullopt;
        }
        if (assembler_.add(header, payload)) {
            return assembler_.take();
        }
    }
}

// Refused on the header alone, so that nonsense is dropped before its body is awaited.
void Connection::checkPacketAllowed(const PacketHeader& header) const {
    if (header.length > kMaxPacketSize) {
        throw ProtocolError("packet of " + std::to_string(header.length) +
                            " bytes, more than TDS allows");
    }
    auto type = static_cast<PacketType>(header.type);
    bool allowed = phase_ == Phase::LoggedIn
                       ? type == PacketType::SqlBatch || type == PacketType::Rpc ||
                             type == PacketType::Attention || type == PacketType::TransactionManager
                       : type == PacketType::Prelogin || type == PacketType::Login7;
    if (!allowed) {
        throw ProtocolError("packet type " + std::to_string(header.type) +
                            (phase_ == Phase::LoggedIn ? " after login" : " before login"));
    }
}

void Connection::handle(ClientMessage& message) {
    switch (message.type) {
    case PacketType::Prelogin:
        handlePrelogin(message);
        return;
    case PacketType::Login7:
        handleLogin(message);
        return;
    case PacketType::SqlBatch:
        handleSqlBatch(message);
        return;
    case PacketType::Rpc:
        handleRpc(message);
        return;
    case PacketType::TransactionManager:
        handleUnsupportedRequest();
        return;
    default:
        throw ProtocolError("unexpected packet type " +
                            std::to_string(static_cast<int>(message.type)));
    }
}

template <typename Encode> void Connection::respond(Encode encode) {
    PacketWriter writer([this](std::span<const std::uint8_t> packet) { transport_.write(packet); },
                        packetSize_, spid_);
    encode(writer);
    writer.finish();
}

void Connection::handlePrelogin(const ClientMessage& message) {
    if (phase_ != Phase::Prelogin) {
        throw ProtocolError("PRELOGIN after the connection was set up");
    }
    parsePrelogin(message.payload);
    phase_ = Phase::Login;
    ByteBuffer reply = buildPreloginResponse();
    respond([&](ByteSink& sink) { sink.put(reply); });
}

void Connection::handleLogin(const ClientMessage& message) {
    if (phase_ != Phase::Prelogin && phase_ != Phase::Login) {
        throw ProtocolError("LOGIN7 on a connection that is already logged in");
    }
    Login7Request login = parseLogin7(message.payload);
    LoginRequest request{login.userName, login.password, login.database};
    LoginOutcome outcome = engine_.login(request, &session_);
    if (!outcome.accepted || !session_) {
        if (outcome.messages.empty()) {
            outcome.messages.push_back(serverError(
                kLoginFailed, u"Login failed for user '" + login.userName + u"'.", 14, 1));
        }
        respond([&](ByteSink& sink) { encodeLoginRejected(sink, outcome.messages); });
        phase_ = Phase::Closing;
        return;
    }
    packetSize_ = negotiatePacketSize(login.packetSize);
    LoginReply reply{session_->currentDatabase(), packetSize_, wire_.collation};
    respond([&](ByteSink& sink) { encodeLoginAccepted(sink, reply); });
    phase_ = Phase::LoggedIn;
    // SQL Server takes batches of up to 65,536 packets: a photo written back as a 0x literal
    // may be large, and what SQL Server accepts must not be refused here.
    assembler_.setMaxMessageBytes(
        std::min<std::size_t>(limits_.maxRequestBytes, kMaxPacketsPerRequest * packetSize_));
}

void Connection::handleSqlBatch(const ClientMessage& message) {
    if (phase_ != Phase::LoggedIn) {
        throw ProtocolError("SQL batch before login");
    }
    std::u16string text = decodeSqlBatch(message.payload, kRequestsHaveAllHeaders);
    std::u16string oldDatabase = session_->currentDatabase();
    BatchResult result;
    try {
        result = session_->execute(text);
    } catch (const std::exception& fault) {
        StatementResult failed;
        failed.failed = true;
        failed.messages.push_back(
            serverError(kInternalError, u"tdslite internal error: " + widen(fault.what())));
        result = BatchResult{{failed}, std::nullopt};
    }
    ResultSetEncoder resultSets(codePage_, wire_.collation);
    respond([&](ByteSink& sink) { encodeBatchResult(sink, result, oldDatabase, resultSets); });
}

void Connection::handleRpc(const ClientMessage& message) {
    if (phase_ != Phase::LoggedIn) {
        throw ProtocolError("RPC request before login");
    }
    std::u16string name = decodeRpcProcedureName(message.payload, kRequestsHaveAllHeaders);
    Message error = serverError(kProcedureNotFound,
                                u"Could not find stored procedure '" + name + u"'.", 16, 62);
    respond([&](ByteSink& sink) { encodeRequestRefused(sink, error, kTokenDoneProc); });
}

void Connection::handleUnsupportedRequest() {
    if (phase_ != Phase::LoggedIn) {
        throw ProtocolError("transaction request before login");
    }
    Message error =
        serverError(kInternalError, u"tdslite does not support transaction manager requests.");
    respond([&](ByteSink& sink) { encodeRequestRefused(sink, error, kTokenDone); });
}

void Connection::sendAttentionAck() {
    respond([](ByteSink& sink) { encodeAttentionAck(sink); });
}

} // namespace tdslite::protocol
