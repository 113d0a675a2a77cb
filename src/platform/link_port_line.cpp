// SPDX-License-Identifier: GPL-3.0-or-later
// The line over the core's SerialLink, for a build without Qt's serial module (Windows). One
// thread does all the line's work, writes and reads in turn: a Windows handle opened without
// overlapped I/O runs one call at a time, so a write from the event loop would wait for a read
// in progress anyway. The thread takes what is in without waiting and sleeps a millisecond when
// nothing was: a read that waits on the line is not ended by its time-out under wine, and would
// hold back the writes queued behind it.
#include <QMetaObject>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <variant>
#include <vector>

#include "core/serial/serial_link.h"
#include "platform/port_line.h"

namespace kr4100 {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kPollPause{1};

class LinkPortLine final : public PortLine {
 public:
  explicit LinkPortLine(std::unique_ptr<SerialLink> link) : link_(std::move(link)) {}
  ~LinkPortLine() override { close(); }

  bool open(const PortSettings& settings) override {
    close();
    if (!link_->open(settings)) return false;
    failed_ = false;
    stopping_ = false;
    inbox_.clear();
    worker_ = std::thread([this] { run(); });
    return true;
  }

  void close() override {
    if (!worker_.joinable()) return;
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    worker_.join();
    link_->close();
    std::lock_guard lock(mutex_);
    jobs_.clear();
    inbox_.clear();
  }

  bool isOpen() const override { return worker_.joinable(); }
  PortOpenError openError() const override { return link_->openError(); }

  void clear(bool output) override {
    if (!isOpen()) return;
    std::lock_guard lock(mutex_);
    // Bytes read before the purge are still on their way to readAll; the generation tells them.
    ++generation_;
    inbox_.clear();
    jobs_.push_back(Purge{output, generation_});
  }

  void write(std::span<const std::uint8_t> bytes) override {
    if (!isOpen()) return;
    std::lock_guard lock(mutex_);
    jobs_.push_back(Write{std::vector<std::uint8_t>(bytes.begin(), bytes.end())});
  }

  QByteArray readAll() override {
    std::lock_guard lock(mutex_);
    signalled_ = false;
    return std::exchange(inbox_, QByteArray());
  }

  void drain(milliseconds bound) override {
    if (!isOpen()) return;
    std::unique_lock lock(mutex_);
    const unsigned ticket = ++drainsAsked_;
    jobs_.push_back(Drain{bound, ticket});
    // The writes before it go first, and those may wait on the handshake: bounded twice over.
    drained_.wait_for(lock, bound * 2, [&] { return drainsDone_ >= ticket || !workerRunning_; });
  }

 private:
  struct Purge {
    bool output;
    unsigned generation;
  };
  struct Write {
    std::vector<std::uint8_t> bytes;
  };
  struct Drain {
    milliseconds bound;
    unsigned ticket;
  };
  using Job = std::variant<Purge, Write, Drain>;

  // The thread's loop: the jobs in the order they were given, then a short read.
  void run() {
    unsigned generation = 0;
    {
      std::lock_guard lock(mutex_);
      workerRunning_ = true;
      generation = generation_;
    }
    std::vector<std::uint8_t> got;
    bool ok = true;
    for (;;) {
      std::deque<Job> jobs;
      {
        std::lock_guard lock(mutex_);
        if (stopping_) break;
        jobs.swap(jobs_);
      }
      for (Job& job : jobs) {
        if (auto* purge = std::get_if<Purge>(&job)) {
          link_->purge(purge->output);
          generation = purge->generation;
        } else if (auto* write = std::get_if<Write>(&job)) {
          ok = ok && link_->write(write->bytes);
          if (ok) post([this, n = write->bytes.size()] { emit bytesWritten(static_cast<qint64>(n)); });
        } else if (auto* drain = std::get_if<Drain>(&job)) {
          if (ok) ok = link_->drain(drain->bound);
          std::lock_guard lock(mutex_);
          drainsDone_ = drain->ticket;
          drained_.notify_all();
        }
      }
      got.clear();
      if (ok) ok = link_->read(got, 1, milliseconds(0));
      if (!got.empty()) take(got, generation);
      if (!ok) lineFailed();  // then idle until closed: nothing more to read
      if (got.empty()) std::this_thread::sleep_for(kPollPause);
    }
    std::lock_guard lock(mutex_);
    workerRunning_ = false;
    drained_.notify_all();
  }

  void take(const std::vector<std::uint8_t>& got, unsigned generation) {
    std::lock_guard lock(mutex_);
    if (generation != generation_) return;  // read before a purge asked since
    inbox_.append(reinterpret_cast<const char*>(got.data()), static_cast<qsizetype>(got.size()));
    if (std::exchange(signalled_, true)) return;  // one signal until the bytes are read
    post([this] { emit readyRead(); });
  }

  void lineFailed() {
    if (std::exchange(failed_, true)) return;
    post([this] { emit failed(); });
  }

  // Runs on the event loop's thread; dropped once this line is gone.
  template <class F>
  void post(F event) {
    QMetaObject::invokeMethod(this, std::move(event), Qt::QueuedConnection);
  }

  std::unique_ptr<SerialLink> link_;
  std::thread worker_;
  std::mutex mutex_;
  std::condition_variable drained_;
  std::deque<Job> jobs_;
  QByteArray inbox_;
  unsigned generation_ = 0;      // the latest purge asked for
  unsigned drainsAsked_ = 0;
  unsigned drainsDone_ = 0;
  bool signalled_ = false;
  bool stopping_ = false;
  bool workerRunning_ = false;
  bool failed_ = false;  // the worker's own
};

}  // namespace

std::unique_ptr<PortLine> MakeLinkPortLine(std::unique_ptr<SerialLink> link) {
  return std::make_unique<LinkPortLine>(std::move(link));
}

}  // namespace kr4100
