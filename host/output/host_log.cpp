#include "host/output/host_log.h"

#include "platform/portable/text_encoding.h"

namespace stamp::host {

void HostLog::Line(std::string_view text) {
  if (calls_ != nullptr) *calls_ << text << "\n" << std::flush;
}

void HostLog::Error(std::string_view text) { err_ << "stamp-host: " << text << "\n" << std::flush; }

void HostLog::NewMessages(const std::vector<std::u16string>& messages) {
  for (; messagesPrinted_ < messages.size(); ++messagesPrinted_) {
    out_ << "message: " << platform::ToUtf8(messages[messagesPrinted_]) << "\n" << std::flush;
  }
}

}  // namespace stamp::host
