// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "core/config/file_io.h"
#include "sim/wire_time.h"

namespace kr4100::sim {

namespace {

std::string SystemError(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

PtyServer::PtyServer(VirtualRadio& radio, PtyServerOptions options)
    : radio_(radio), options_(std::move(options)) {}

PtyServer::~PtyServer() {
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
}

bool PtyServer::open(std::string& error) {
  std::array<char, 256> name{};
  if (::openpty(&master_, &slave_, name.data(), nullptr, nullptr) != 0) {
    error = SystemError("openpty");
    return false;
  }
  slavePath_ = name.data();

  termios tio{};
  if (::tcgetattr(slave_, &tio) != 0) {
    error = SystemError("tcgetattr");
    return false;
  }
  ::cfmakeraw(&tio);
  ::cfsetispeed(&tio, B9600);
  ::cfsetospeed(&tio, B9600);
  tio.c_cflag |= CLOCAL | CREAD;
  if (::tcsetattr(slave_, TCSANOW, &tio) != 0) {
    error = SystemError("tcsetattr");
    return false;
  }

  const int flags = ::fcntl(master_, F_GETFL);
  if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
    error = SystemError("fcntl");
    return false;
  }
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
  return true;
}

bool PtyServer::save(std::string& error) const {
  if (options_.savePath.empty()) return true;
  if (!WriteFileAtomically(options_.savePath, radio_.memory())) {
    error = "cannot write " + options_.savePath;
    return false;
  }
  return true;
}

bool PtyServer::serve(int stopFd, std::string& error) {
  for (;;) {
    auto now = Clock::now();
    if (!deliverDue(now, error) || !writeDue(now, error)) return false;

    std::array<pollfd, 2> fds{};
    fds[0].fd = master_;
    fds[0].events = static_cast<short>(POLLIN | (outputBlocked_ ? POLLOUT : 0));
    fds[1].fd = stopFd;
    fds[1].events = POLLIN;
    const auto wait = pollTimeout(now);
    timespec ts{};
    if (wait) {
      ts.tv_sec = wait->count() / 1000000000;
      ts.tv_nsec = wait->count() % 1000000000;
    }
    const int ready = ::ppoll(fds.data(), fds.size(), wait ? &ts : nullptr, nullptr);
    if (ready < 0) {
      if (errno == EINTR) continue;
      error = SystemError("poll");
      return false;
    }
    if (fds[1].revents != 0) return true;
    if ((fds[0].revents & POLLOUT) != 0) outputBlocked_ = false;
    now = Clock::now();
    if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0 && !readInput(now, error))
      return false;

    // A frame left half received means its sender went away mid-frame; give it up so the next
    // session does not start misaligned.
    if (radio_.framePending() && inbound_.empty() && now - lastInput_ >= kFrameGiveUp)
      radio_.resetReceiver();
  }
}

bool PtyServer::readInput(Clock::time_point now, std::string& error) {
  std::array<std::uint8_t, 4096> buffer{};
  const ssize_t n = ::read(master_, buffer.data(), buffer.size());
  if (n < 0) {
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return true;
    error = SystemError("read");
    return false;
  }
  if (n == 0) return true;
  const std::span<const std::uint8_t> bytes(buffer.data(), static_cast<std::size_t>(n));
  // Each byte reaches the radio one byte time after the previous one, so a frame is complete
  // only when its own wire time has passed since its first byte. An echoing cable gives it back
  // as it crosses, whether the radio listens or not.
  std::vector<TimedByte> crossing;
  for (const std::uint8_t b : bytes) {
    if (options_.pace) inWireFree_ = std::max(inWireFree_, now) + kByteTime;
    crossing.push_back({b, options_.pace ? inWireFree_ : now});
  }
  if (options_.echo)
    for (const TimedByte& t : crossing) queueOut(t);
  if (!lineSetAsRadio()) return true;
  lastInput_ = now;
  if (!options_.pace) return feedRadio(bytes, now, error);
  inbound_.insert(inbound_.end(), crossing.begin(), crossing.end());
  return true;
}

bool PtyServer::lineSetAsRadio() const {
  if (!options_.stopBits && !options_.handshaking) return true;
  // Both ends of a pseudo-terminal share the settings the program made on its side.
  termios tio{};
  if (::tcgetattr(slave_, &tio) != 0) return false;
  if (options_.stopBits && ((tio.c_cflag & CSTOPB) != 0) != (*options_.stopBits == 2)) return false;
  if (options_.handshaking) {
    const int wanted = std::min(*options_.handshaking, 2);
    const int set = (tio.c_cflag & CRTSCTS) != 0 ? 2 : (tio.c_iflag & (IXON | IXOFF)) != 0 ? 1 : 0;
    if (set != wanted) return false;
  }
  return true;
}

bool PtyServer::deliverDue(Clock::time_point now, std::string& error) {
  while (!inbound_.empty() && inbound_.front().at <= now) {
    const TimedByte next = inbound_.front();
    inbound_.pop_front();
    if (!feedRadio(std::span(&next.byte, 1), next.at, error)) return false;
  }
  return true;
}

bool PtyServer::feedRadio(std::span<const std::uint8_t> bytes, Clock::time_point at,
                          std::string& error) {
  const std::vector<std::uint8_t> reply = radio_.receive(bytes);
  for (const std::uint8_t b : reply) {
    if (options_.pace) outWireFree_ = std::max(outWireFree_, at) + kByteTime;
    queueOut({b, options_.pace ? outWireFree_ : at});
  }

  const bool ended =
      std::any_of(radio_.events().begin(), radio_.events().end(),
                  [](const VirtualRadio::Event& e) { return e.kind == FrameKind::End; });
  radio_.clearEvents();  // a long-running server must not collect events without end
  const bool wanted = saveWanted_ && saveWanted_();
  if ((ended || wanted) && !save(error)) return false;
  return true;
}

void PtyServer::queueOut(TimedByte byte) {
  // Echo and reply share the program's receive line: in the order they cross it.
  const auto after =
      std::upper_bound(outbound_.begin(), outbound_.end(), byte.at,
                       [](Clock::time_point at, const TimedByte& t) { return at < t.at; });
  outbound_.insert(after, byte);
}

std::pair<PtyServer::Clock::time_point, std::size_t> PtyServer::packetAt(std::size_t from) const {
  const Clock::time_point first = outbound_[from].at;
  if (options_.adapterLatency.count() <= 0) return {first, 1};
  const Clock::time_point due = first + options_.adapterLatency;
  std::size_t count = 1;
  while (count < kAdapterPacket && from + count < outbound_.size() &&
         outbound_[from + count].at <= due)
    ++count;
  // A full packet goes at once; one that is not waits out the timer.
  return {count == kAdapterPacket ? outbound_[from + count - 1].at : due, count};
}

bool PtyServer::writeDue(Clock::time_point now, std::string& error) {
  if (outputBlocked_) return true;
  std::size_t ready = 0;
  while (ready < outbound_.size()) {
    const auto [at, count] = packetAt(ready);
    if (at > now) break;
    ready += count;
  }
  if (ready == 0) return true;
  std::vector<std::uint8_t> due;
  for (std::size_t i = 0; i < ready; ++i) due.push_back(outbound_[i].byte);
  const ssize_t n = ::write(master_, due.data(), due.size());
  if (n < 0) {
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      outputBlocked_ = true;
      return true;
    }
    if (errno == EINTR) return true;
    error = SystemError("write");
    return false;
  }
  outbound_.erase(outbound_.begin(), outbound_.begin() + n);
  if (static_cast<std::size_t>(n) < due.size()) outputBlocked_ = true;
  return true;
}

std::optional<std::chrono::nanoseconds> PtyServer::pollTimeout(Clock::time_point now) const {
  std::optional<Clock::time_point> next;
  auto consider = [&](Clock::time_point t) { next = next ? std::min(*next, t) : t; };
  if (!inbound_.empty()) consider(inbound_.front().at);
  if (!outbound_.empty() && !outputBlocked_) consider(packetAt(0).first);
  if (radio_.framePending() && inbound_.empty()) consider(lastInput_ + kFrameGiveUp);
  if (!next) return std::nullopt;
  if (*next <= now) return std::chrono::nanoseconds{0};
  return std::min<std::chrono::nanoseconds>(*next - now, std::chrono::seconds(60));
}

}  // namespace kr4100::sim
