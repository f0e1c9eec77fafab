#pragma once
// A TCP listener on 127.0.0.1 for the TCP back ends' tests, over BSD sockets or
// Winsock (the few calls that differ are the two lines under _WIN32).
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "link/socket_api.h"
#include "link/tcp_address.h"

#ifdef _WIN32
using TestSocket = SOCKET;
inline void CloseTestSocket(TestSocket s) { ::closesocket(s); }
#else
#include <netinet/in.h>
#include <unistd.h>
using TestSocket = int;
inline void CloseTestSocket(TestSocket s) { ::close(s); }
#endif

// One accepted connection, seen from the server's side.
class Peer {
 public:
  explicit Peer(TestSocket socket) : socket_(socket) {}
  ~Peer() { close(); }
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  // Waits for `count` bytes; fewer when the client closes first.
  std::vector<uint8_t> receive(size_t count) {
    std::vector<uint8_t> bytes(count);
    size_t got = 0;
    while (got < count) {
      const int n = ::recv(socket_, reinterpret_cast<char*>(bytes.data() + got), static_cast<int>(count - got), 0);
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    return bytes;
  }
  void send(const std::vector<uint8_t>& bytes) {
    ::send(socket_, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0);
  }
  void close() {
    if (open_) CloseTestSocket(socket_);
    open_ = false;
  }

 private:
  TestSocket socket_;
  bool open_ = true;
};

// Listens with `backlog` and accepts only when asked: a closed one is a port
// nothing serves, a backlog of 0 a queue that fills at the first client.
class LoopbackListener {
 public:
  explicit LoopbackListener(int backlog) {
#ifdef _WIN32
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
#endif
    socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    EXPECT_EQ(::bind(socket_, reinterpret_cast<sockaddr*>(&address), length), 0);
    EXPECT_EQ(::listen(socket_, backlog), 0);
    ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~LoopbackListener() {
    close();
#ifdef _WIN32
    WSACleanup();
#endif
  }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  void close() {
    if (open_) CloseTestSocket(socket_);
    open_ = false;
  }
  uint16_t port() const { return port_; }
  std::string name(const char* prefix = kTcpPrefix) const { return TcpPortName({"127.0.0.1", port_}, prefix); }
  // The next client's connection, waiting for it.
  TestSocket accept() { return ::accept(socket_, nullptr, nullptr); }

 private:
  TestSocket socket_;
  bool open_ = true;
  uint16_t port_ = 0;
};
