#include "host/gui/app/quit_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>

namespace stamp::gui {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};
constexpr int kSignalExitBase = 128;
// Two socket pairs, one per process: the handler writes to [0] of each; the notifier reads the
// loop's [1], the watchdog the watch's [1].
int loop[2] = {-1, -1};
int watch[2] = {-1, -1};
std::array<struct sigaction, kSignals.size()> previous{};
std::atomic<int> arrived{0};
std::atomic<bool> taken{false};  // the event loop has read a signal

void OnSignal(int signal) {
  arrived.store(signal);
  const auto byte = static_cast<unsigned char>(signal);
  [[maybe_unused]] ssize_t written = write(loop[0], &byte, 1);
  written = write(watch[0], &byte, 1);
}

// Waits for a signal, then for the event loop to take it; ends the process when it has not
// within the grace time. Returns when the watch's write end is closed.
void Watch() {
  unsigned char signal = 0;
  while (read(watch[1], &signal, 1) == 1) {
    const Clock::time_point deadline = Clock::now() + QuitSignals::kGrace;
    while (!taken.load()) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) _exit(kSignalExitBase + signal);
      pollfd watched{watch[1], POLLIN, 0};
      unsigned char again = 0;  // a later signal, or the end of the watch
      if (poll(&watched, 1, static_cast<int>(left.count())) > 0 && read(watch[1], &again, 1) == 0) {
        return;
      }
    }
  }
}

void ClosePair(int (&pair)[2]) {
  for (int& end : pair) {
    if (end >= 0) close(end);
    end = -1;
  }
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, loop) != 0) return;
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, watch) != 0) {
    ClosePair(loop);
    return;
  }
  fcntl(watch[0], F_SETFL, O_NONBLOCK);  // the handler never waits on a full socket
  notifier_ = new QSocketNotifier(loop[1], QSocketNotifier::Read, this);
  notifier_->setEnabled(false);
  connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::Read);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &previous[i]);
  watchdog_ = std::thread(Watch);
}

QuitSignals::~QuitSignals() {
  if (notifier_ == nullptr) return;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous[i], nullptr);
  close(watch[0]);  // ends the watchdog
  watch[0] = -1;
  if (watchdog_.joinable()) watchdog_.join();
  ClosePair(watch);
  ClosePair(loop);
}

void QuitSignals::Listen() {
  if (notifier_ == nullptr) return;
  notifier_->setEnabled(true);
}

bool QuitSignals::Arrived() { return arrived.load() != 0; }

void QuitSignals::Read() {
  unsigned char byte = 0;
  while (read(loop[1], &byte, 1) == 1) {
    taken.store(true);
    emit Received(byte);
  }
}

}  // namespace stamp::gui
