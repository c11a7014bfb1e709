// One client connection: PRELOGIN, LOGIN7, then requests until the client leaves.
#pragma once

#include "code_page.h"
#include "engine.h"
#include "packet.h"
#include "tokens.h"
#include "transport.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tdslite::protocol {

struct ConnectionLimits {
    // From accepting the socket until the login is answered.
    std::chrono::milliseconds loginTimeout{30'000};
    // From the first byte of a packet until its last.
    std::chrono::milliseconds packetTimeout{60'000};
    // Tests set a small cap; by default SQL Server's own (65,536 packets) is the one that bites.
    std::size_t maxRequestBytes = std::size_t{1} << 31;
};

struct WireSettings {
    CollationBytes collation;
    std::string codePage = "GBK";
};

class Connection {
public:
    Connection(Transport& transport, Engine& engine, const WireSettings& wire,
               const ConnectionLimits& limits, std::uint16_t spid);

    // Returns when the client leaves or breaks the protocol; never throws.
    void serve();

private:
    enum class Phase { Prelogin, Login, LoggedIn, Closing };

    std::optional<ClientMessage> readMessage();
    PacketHeader readPacketHeader(std::optional<Clock::time_point> idleDeadline);
    std::optional<Clock::time_point> idleDeadline() const;
    void checkPacketAllowed(const PacketHeader& header) const;
    void handle(ClientMessage& message);
    void handlePrelogin(const ClientMessage& message);
    void handleLogin(const ClientMessage& message);
    void handleSqlBatch(const ClientMessage& message);
    void handleRpc(const ClientMessage& message);
    void handleUnsupportedRequest();
    void sendAttentionAck();
    template <typename Encode> void respond(Encode encode);

    Transport& transport_;
    Engine& engine_;
    WireSettings wire_;
    ConnectionLimits limits_;
    std::uint16_t spid_;
    Clock::time_point acceptedAt_;
    Phase phase_ = Phase::Prelogin;
    MessageAssembler assembler_;
    std::uint32_t packetSize_ = 4096;
    std::unique_ptr<Session> session_;
    CodePageEncoder codePage_;
};

} // namespace tdslite::protocol
