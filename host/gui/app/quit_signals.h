// SIGTERM, SIGINT and SIGHUP (a desktop session or a terminal ending the program) turned into a
// Qt signal, so the window closes as it does from its menu: the handler only writes a byte to a
// socket pair, which a QSocketNotifier reads in the event loop. The ending does not depend on
// that loop: long reads ask Arrived() and stop, and a watchdog thread ends the process
// (_exit(128 + signal)) when the loop has not taken the signal within kGrace, as when it is held
// by something that never returns. The last autosave then stays for the next window.
#pragma once

#include <chrono>
#include <thread>

#include <QObject>
#include <QSocketNotifier>

namespace stamp::gui {

class QuitSignals : public QObject {
  Q_OBJECT

 public:
  static constexpr std::chrono::seconds kGrace{5};

  // Installs the handlers and starts the watchdog; the previous handlers come back when this
  // goes. Signals that arrive before Listen wait for it, within the grace time.
  explicit QuitSignals(QObject* parent = nullptr);
  ~QuitSignals() override;
  void Listen();

  // Whether one of the signals has arrived: work in progress stops and the window ends.
  static bool Arrived();

 signals:
  void Received(int signal);

 private:
  void Read();

  QSocketNotifier* notifier_ = nullptr;
  std::thread watchdog_;
};

}  // namespace stamp::gui
