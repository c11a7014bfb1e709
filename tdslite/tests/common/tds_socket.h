// A raw TDS connection for tests that send what no driver would: broken packets, RPC
// calls, requests cut in the middle.
#pragma once

#include "tds_messages.h"

#include <chrono>
#include <span>
#include <string>
#include <vector>

namespace tdslite::testtds {

class TdsSocket {
public:
    explicit TdsSocket(int fd) : fd_(fd) {}
    static TdsSocket connectTo(int port); // 127.0.0.1
    ~TdsSocket();
    TdsSocket(TdsSocket&& other) noexcept;
    TdsSocket(const TdsSocket&) = delete;
    TdsSocket& operator=(const TdsSocket&) = delete;

    void send(std::span<const std::uint8_t> bytes);
    // The payload of one whole reply (every packet up to end-of-message); throws
    // std::runtime_error when the server closes or stays silent past the timeout.
    Bytes readReply(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Reads and drops whatever comes until the server closes: true, or the timeout: false.
    bool closedByServer(std::chrono::milliseconds timeout = std::chrono::seconds(10));

    // PRELOGIN and LOGIN7; returns the login reply's tokens.
    std::vector<Token> login(const LoginFields& fields = {});
    std::vector<Token> query(std::u16string_view sql);

private:
    void readExact(std::uint8_t* into, std::size_t count,
                   std::chrono::steady_clock::time_point deadline);

    int fd_ = -1;
};

} // namespace tdslite::testtds
