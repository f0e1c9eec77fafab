#include "link/tcp_open.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "link/socket_api.h"
#include "link/tcp_address.h"

namespace {

using Clock = std::chrono::steady_clock;

OpenError ResolveErrorOf(int status) {
  switch (status) {
    case EAI_NONAME:
    case EAI_AGAIN:
    case EAI_FAIL:
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY:
#endif
#if defined(EAI_NODATA) && EAI_NODATA != EAI_NONAME
    case EAI_NODATA:
#endif
      return OpenError::kNoHost;
    default:
      return OpenError::kOther;
  }
}

// One look-up, shared by the helper thread that runs it and the open that may
// stop waiting for it: whichever lets go last frees the addresses.
struct Lookup {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  int status = 0;
  addrinfo* list = nullptr;

  ~Lookup() {
    if (list) ::freeaddrinfo(list);
  }
};

// Starts the look-up on its own thread: getaddrinfo cannot be cancelled and
// waits for an unanswered name server far past the limit. Null: no thread.
std::shared_ptr<Lookup> StartLookup(const TcpResolver& resolver, const TcpAddress& address) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  auto lookup = std::make_shared<Lookup>();
  try {
    std::thread([lookup, resolver, host = address.host, service = std::to_string(address.port), hints] {
      addrinfo* found = nullptr;
      const int status = resolver(host, service, hints, &found);
      const std::lock_guard<std::mutex> lock(lookup->mutex);
      lookup->status = status;
      lookup->list = status == 0 ? found : nullptr;
      lookup->done = true;
      lookup->finished.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return nullptr;
  }
  return lookup;
}

// Waits for the look-up in idle slices; false when `giveUpAt` came first.
bool AwaitLookup(Lookup& lookup, Clock::time_point giveUpAt, const IdleCall& idle) {
  for (;;) {
    std::unique_lock<std::mutex> lock(lookup.mutex);
    const auto left = giveUpAt - Clock::now();
    if (lookup.finished.wait_for(lock, std::min<Clock::duration>(left, kIdleSlice), [&] { return lookup.done; }))
      return true;
    if (Clock::now() >= giveUpAt) return false;
    lock.unlock();
    if (idle) idle();
  }
}

}  // namespace

TcpResolver SystemResolver() {
  return [](const std::string& host, const std::string& service, const addrinfo& hints, addrinfo** found) {
    return ::getaddrinfo(host.c_str(), service.c_str(), &hints, found);
  };
}

OpenError OpenTcpConnection(const std::string& name, std::chrono::milliseconds limit,
                            const TcpResolver& resolver, const IdleCall& idle, const TcpConnect& connect) {
  const std::optional<TcpAddress> address = ParseTcpPortName(name);
  if (!address) return OpenError::kNoHost;
  // One time limit for the look-up and all the host's addresses together.
  const auto giveUpAt = Clock::now() + limit;
  const std::shared_ptr<Lookup> lookup = StartLookup(resolver ? resolver : SystemResolver(), *address);
  if (!lookup) return OpenError::kOther;
  if (!AwaitLookup(*lookup, giveUpAt, idle)) return OpenError::kTimedOut;
  if (lookup->status != 0) return ResolveErrorOf(lookup->status);

  OpenError error = OpenError::kNoHost;
  for (const addrinfo* a = lookup->list; a; a = a->ai_next) {
    error = connect(*a, giveUpAt);
    if (error == OpenError::kNone || error == OpenError::kTimedOut) break;
  }
  return error;
}

OpenError ConnectErrorOf(int error) {
  using namespace socket_error;
  if (error == kRefused || error == kReset) return OpenError::kRefused;
  if (error == kNetUnreachable || error == kHostUnreachable || error == kHostDown || error == kNetDown ||
      error == kAddressNotAvailable || error == kFamilyNotSupported)
    return OpenError::kNoHost;
  if (error == kTimedOut) return OpenError::kTimedOut;
  return OpenError::kOther;
}
