#pragma once
// The declarations of the socket API: Winsock on Windows, BSD sockets
// elsewhere. The portable TCP code (link/tcp_open.cpp) uses only what both
// share under one name (getaddrinfo, addrinfo, EAI_*), and the error codes
// below, which the two spell differently.
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <sys/socket.h>

#include <cerrno>
#endif

namespace socket_error {
#ifdef _WIN32
inline constexpr int kRefused = WSAECONNREFUSED;
inline constexpr int kReset = WSAECONNRESET;
inline constexpr int kNetUnreachable = WSAENETUNREACH;
inline constexpr int kHostUnreachable = WSAEHOSTUNREACH;
inline constexpr int kHostDown = WSAEHOSTDOWN;
inline constexpr int kNetDown = WSAENETDOWN;
inline constexpr int kAddressNotAvailable = WSAEADDRNOTAVAIL;
inline constexpr int kFamilyNotSupported = WSAEAFNOSUPPORT;
inline constexpr int kTimedOut = WSAETIMEDOUT;
#else
inline constexpr int kRefused = ECONNREFUSED;
inline constexpr int kReset = ECONNRESET;
inline constexpr int kNetUnreachable = ENETUNREACH;
inline constexpr int kHostUnreachable = EHOSTUNREACH;
inline constexpr int kHostDown = EHOSTDOWN;
inline constexpr int kNetDown = ENETDOWN;
inline constexpr int kAddressNotAvailable = EADDRNOTAVAIL;
inline constexpr int kFamilyNotSupported = EAFNOSUPPORT;
inline constexpr int kTimedOut = ETIMEDOUT;
#endif
}  // namespace socket_error
