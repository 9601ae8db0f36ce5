// What the host prints: one line per export call and host action to the call log (the output
// stream, a file of its own, or nowhere with --quiet), one "message: TEXT" line per message box
// the plug-in showed on the output stream, and errors on the error stream.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace stamp::host {

class HostLog {
 public:
  // The call log on out, or nowhere when quiet.
  HostLog(std::ostream& out, std::ostream& err, bool quiet)
      : HostLog(out, err, quiet ? nullptr : &out) {}
  // The call log on calls (nullptr: nowhere), kept alive longer than the log.
  HostLog(std::ostream& out, std::ostream& err, std::ostream* calls)
      : out_(out), err_(err), calls_(calls) {}

  void Line(std::string_view text);
  void Error(std::string_view text);
  // Prints the message boxes of messages not printed yet (messages only grows).
  void NewMessages(const std::vector<std::u16string>& messages);

 private:
  std::ostream& out_;
  std::ostream& err_;
  std::ostream* calls_;
  size_t messagesPrinted_ = 0;
};

}  // namespace stamp::host
