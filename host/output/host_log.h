// What the host prints: one line per export call and host action (left out with --quiet), one
// "message: TEXT" line per message box the plug-in showed, and errors on the error stream.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace stamp::host {

class HostLog {
 public:
  HostLog(std::ostream& out, std::ostream& err, bool quiet) : out_(out), err_(err), quiet_(quiet) {}

  void Line(std::string_view text);
  void Error(std::string_view text);
  // Prints the message boxes of messages not printed yet (messages only grows).
  void NewMessages(const std::vector<std::u16string>& messages);

 private:
  std::ostream& out_;
  std::ostream& err_;
  bool quiet_;
  size_t messagesPrinted_ = 0;
};

}  // namespace stamp::host
