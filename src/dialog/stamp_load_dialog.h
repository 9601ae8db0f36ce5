// The load dialog: lists the BMP files of the stamp folder beside the host program, takes a path
// typed into its path box, or one chosen with the general file picker. It only produces a path;
// the caller sets the starting path, runs the dialog and on IDOK reads path().
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "src/dialog/dialog_base.h"
#include "src/dialog/dialog_exchange.h"

namespace stamp {

// The stamp folder lists at most this many files; further files are passed over.
inline constexpr int32_t kLoadDialogMaxFiles = 50;

class StampLoadDialog : public DialogBase {
 public:
  StampLoadDialog();

  const std::u16string& path() const { return path_; }
  void setPath(std::u16string path) { path_ = std::move(path); }

 protected:
  int32_t OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int32_t controlId, int32_t notification) override;

 private:
  void ListStampFolder(const std::u16string& folder);
  void OnListSelectionChange();
  void OnFileButton();

  static const CommandEntry<StampLoadDialog> kMessageMap[2];

  std::array<std::u16string, kLoadDialogMaxFiles> fullPaths_;
  std::array<std::u16string, kLoadDialogMaxFiles> fileNames_;
  ListBox list_;
  std::u16string path_;      // the text of the path box; the dialog's result
  int32_t selection_ = -1;   // the list's selected index
  int32_t listedCount_ = 0;  // entries stored and listed
};

}  // namespace stamp
