#include "host/gui/quit_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <csignal>

namespace stamp::gui {
namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};
// The socket pair: the handler writes to [0], the notifier reads [1]. One pair per process.
int sockets[2] = {-1, -1};
std::array<struct sigaction, kSignals.size()> previous{};

void OnSignal(int signal) {
  const auto byte = static_cast<unsigned char>(signal);
  [[maybe_unused]] const ssize_t written = write(sockets[0], &byte, 1);
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets) != 0) return;
  notifier_ = new QSocketNotifier(sockets[1], QSocketNotifier::Read, this);
  notifier_->setEnabled(false);
  connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::Read);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &previous[i]);
}

QuitSignals::~QuitSignals() {
  if (notifier_ == nullptr) return;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous[i], nullptr);
  close(sockets[0]);
  close(sockets[1]);
  sockets[0] = sockets[1] = -1;
}

void QuitSignals::Listen() {
  if (notifier_ != nullptr) notifier_->setEnabled(true);
}

void QuitSignals::Read() {
  unsigned char byte = 0;
  while (read(sockets[1], &byte, 1) == 1) emit Received(byte);
}

}  // namespace stamp::gui
