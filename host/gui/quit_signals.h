// SIGTERM, SIGINT and SIGHUP (a desktop session or a terminal ending the program) turned into a
// Qt signal, so the window closes as it does from its menu: the handler only writes a byte to a
// socket pair, which a QSocketNotifier reads in the event loop.
#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace stamp::gui {

class QuitSignals : public QObject {
  Q_OBJECT

 public:
  // Installs the handlers; the previous ones come back when this goes. Signals that arrive
  // before Listen wait for it.
  explicit QuitSignals(QObject* parent = nullptr);
  ~QuitSignals() override;
  void Listen();

 signals:
  void Received(int signal);

 private:
  void Read();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace stamp::gui
