// The window's side of the drawing's files: the question before unsaved changes are dropped, the
// system's file dialogs of Save, Open, Open picture and Export, the messages that say how each
// went, files handed from outside and the recent ones, and the recovery of an autosave a window
// left behind. What each does to the drawing is the document's (host/document/document.h).
// Paths cross into the host as UTF-8 (platform::PathToUtf8) where it takes text.
#include <windows.h>

#include <commdlg.h>

#include <optional>
#include <string>
#include <vector>

#include "host/document/autosave_folder.h"
#include "host/document/autosave_system.h"
#include "host/document/file_kind.h"
#include "host/ora/ora_file.h"
#include "host/picture/picture_reader.h"
#include "host/win32_window/stamp_frame.h"
#include "host/win32_window/wide_text.h"
#include "host/win32_window/window_menus.h"
#include "platform/portable/text_encoding.h"

namespace stamp::window {
namespace {

constexpr wchar_t kOraFilter[] = L"OpenRaster pictures (*.ora)\0*.ora\0";
constexpr wchar_t kOraExtension[] = L"ora";
constexpr wchar_t kOraSuffix[] = L".ora";
constexpr wchar_t kPictureFilter[] =
    L"Pictures (*.png, *.jpg, *.jpeg, *.bmp)\0*.png;*.jpg;*.jpeg;*.bmp\0";
constexpr wchar_t kPngFilter[] = L"PNG images (*.png)\0*.png\0";
constexpr wchar_t kPngExtension[] = L"png";
constexpr wchar_t kScriptFilter[] = L"Scripts (*.txt)\0*.txt\0";
constexpr wchar_t kScriptExtension[] = L"txt";
constexpr wchar_t kRecordTitle[] = L"Record steps";
constexpr wchar_t kRecoverTitle[] = L"Recover drawing";
// The longest path the file dialogs hand back (the system's long-path limit).
constexpr DWORD kPathUnits = 32768;

struct FileQuestion {
  const wchar_t* title;
  const wchar_t* filter;
  const wchar_t* extension;  // added to a name typed without one; nullptr: none
  std::filesystem::path start;
  bool save;
};

// The file the user chose in the system's dialog, or nullopt when cancelled. A save asks before
// an existing file is written over.
std::optional<std::filesystem::path> AskFile(HWND owner, const FileQuestion& question) {
  std::vector<wchar_t> file(kPathUnits, L'\0');
  question.start.wstring().copy(file.data(), kPathUnits - 1);
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = question.filter;
  request.lpstrFile = file.data();
  request.nMaxFile = kPathUnits;
  request.lpstrTitle = question.title;
  request.lpstrDefExt = question.extension;
  request.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                  (question.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL chosen = question.save ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
  if (!chosen) return std::nullopt;
  return std::filesystem::path(file.data());
}

// A picture's rows gathered whole, as the document takes it.
class WholePicture final : public host::PictureRows {
 public:
  void Size(int32_t width, int32_t height) override {
    picture_.width = width;
    picture_.height = height;
    picture_.pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  }
  void Row(const uint8_t* pixels) override {
    picture_.pixels.insert(picture_.pixels.end(), pixels,
                           pixels + static_cast<size_t>(picture_.width) * 3);
  }
  const host::Picture& picture() const { return picture_; }

 private:
  host::Picture picture_;
};

std::wstring Lines(const std::vector<std::string>& lines) {
  std::wstring text;
  for (const std::string& line : lines) text += L"\n" + WideText(line);
  return text;
}

std::wstring WrittenText(const std::filesystem::path& path) {
  std::error_code failed;
  const auto written = std::filesystem::last_write_time(path, failed);
  if (failed) return L"at an unknown time";
  const auto since = std::chrono::duration_cast<std::chrono::minutes>(
      std::filesystem::file_time_type::clock::now() - written);
  return std::to_wstring(since.count()) + L" minutes ago";
}

}  // namespace

// Yes saves first (and a save that fails or is cancelled keeps the drawing), No drops the
// changes, Cancel goes back to the drawing.
bool StampFrame::ConfirmDiscard(const wchar_t* action) {
  if (!document_->unsaved()) return true;
  constexpr wchar_t kQuestion[] =
      L"The drawing has changes that are not saved. Save them first?\n\n"
      L"Yes saves them, No discards them, Cancel goes back to the drawing.";
  switch (MessageBoxW(window_, kQuestion, action, MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: return SaveWork();
    case IDNO: return true;
    default: return false;
  }
}

bool StampFrame::SaveWork() {
  return document_->path().empty() ? SaveWorkAs() : SaveWorkTo(document_->path());
}

bool StampFrame::SaveWorkAs() {
  const std::filesystem::path start =
      document_->path().empty() ? std::filesystem::path(L"drawing.ora") : document_->path();
  const std::optional<std::filesystem::path> path =
      AskFile(window_, {L"Save the layers", kOraFilter, kOraExtension, start, true});
  if (!path) return false;
  // A drawing is always an .ora file, whatever other suffix the name was typed with.
  std::filesystem::path drawing = *path;
  if (document::KindOfFile(drawing) != document::FileKind::kDrawing) drawing += kOraSuffix;
  return SaveWorkTo(drawing);
}

bool StampFrame::SaveWorkTo(const std::filesystem::path& path) {
  if (const host::Status saved = document_->Save(path); !saved.ok()) {
    Warn(L"Save", L"The drawing was not saved: " + WideText(saved.error()) +
                      L"\nIt is still here, and any earlier file is unchanged.");
    return false;
  }
  AddRecentFile(path);
  Status(L"Saved " + path.wstring());
  return true;
}

void StampFrame::OpenWork() {
  if (!ConfirmDiscard(L"Open")) return;
  const std::optional<std::filesystem::path> path =
      AskFile(window_, {L"Open layers", kOraFilter, nullptr, {}, false});
  if (path) OpenWorkFrom(*path);
}

void StampFrame::OpenWorkFrom(const std::filesystem::path& path) {
  std::vector<std::string> notes;
  const host::Status opened =
      document_->Open(path, {}, &notes, [](int32_t, int32_t) { return true; });
  if (!opened.ok()) {
    return Warn(L"Open", path.wstring() + L" cannot be opened: " + WideText(opened.error()) +
                             L".\nThe drawing is unchanged.");
  }
  AddRecentFile(path);
  Status(L"Opened " + path.wstring());
  if (!notes.empty()) {
    Warn(L"Open", path.wstring() +
                      L" is open, and shows as in the program that wrote it; its layers have no "
                      L"visibility or opacity here:" +
                      Lines(notes));
  }
}

void StampFrame::OpenPicture() {
  const std::optional<std::filesystem::path> path =
      AskFile(window_, {L"Open picture into layer 0", kPictureFilter, nullptr, {}, false});
  if (path) OpenPictureFrom(*path);
}

void StampFrame::OpenPictureFrom(const std::filesystem::path& path) {
  WholePicture rows;
  host::Status read = host::ReadPictureRows(platform::PathToUtf8(path), rows);
  if (read.ok()) read = document_->ImportPicture(rows.picture());
  if (!read.ok()) {
    return Warn(L"Open picture", WideText(read.error()) + L"\nThe drawing is unchanged.");
  }
  AddRecentFile(path);
  Status(L"Opened " + path.wstring() + L" into layer 0");
}

void StampFrame::OpenFile(const std::filesystem::path& path) {
  switch (document::KindOfFile(path)) {
    case document::FileKind::kDrawing:
      if (ConfirmDiscard(L"Open")) OpenWorkFrom(path);
      return;
    case document::FileKind::kPicture: return OpenPictureFrom(path);
    case document::FileKind::kOther:
      return Warn(L"Open", path.wstring() +
                               L" is neither a drawing (.ora) nor a picture (PNG, JPEG or BMP)."
                               L"\nThe drawing is unchanged.");
  }
}

void StampFrame::OpenRecent(size_t index) {
  const document::RecentList files = settings_.RecentFiles();
  if (index >= files.size()) return;
  const std::filesystem::path path = files[index];
  std::error_code failed;
  if (!std::filesystem::exists(path, failed)) {
    settings_.KeepRecentFiles(document::WithoutRecentFile(files, path));
    return Warn(L"Open recent",
                path.wstring() + L" is no longer there, and is taken off the recent files.");
  }
  OpenFile(path);
}

// Items 1 to 9 take their number as the access key, the tenth 0; a '&' in a path is shown.
void StampFrame::FillRecentMenu() {
  while (GetMenuItemCount(recentMenu_) > 0) DeleteMenu(recentMenu_, 0, MF_BYPOSITION);
  const document::RecentList files = settings_.RecentFiles();
  if (files.empty()) AppendMenuW(recentMenu_, MF_STRING | MF_GRAYED, 0, L"No recent files");
  for (size_t i = 0; i < files.size(); ++i) {
    std::wstring label = L"&" + std::to_wstring((i + 1) % 10) + L"  ";
    for (const wchar_t unit : files[i].wstring())
      label += unit == L'&' ? L"&&" : std::wstring(1, unit);
    AppendMenuW(recentMenu_, MF_STRING, kRecentFile + i, label.c_str());
  }
}

void StampFrame::AddRecentFile(const std::filesystem::path& path) {
  std::error_code failed;
  const std::filesystem::path absolute = std::filesystem::absolute(path, failed);
  settings_.KeepRecentFiles(
      document::WithRecentFile(settings_.RecentFiles(), failed ? path : absolute));
}

void StampFrame::ExportPicture() {
  const std::optional<std::filesystem::path> path =
      AskFile(window_, {L"Export picture as PNG", kPngFilter, kPngExtension, L"canvas.png", true});
  if (!path) return;
  if (const host::Status exported = document_->Export(*path); !exported.ok()) {
    return Warn(L"Export picture", WideText(exported.error()));
  }
  Status(L"Exported " + path->wstring());
}

// The script's file comes first, so that Cancel there leaves everything as it was.
void StampFrame::RecordSteps() {
  if (!document_->recording().empty()) {
    document_->StopRecording();
    ShowRecording();
    return Status(L"Recording stopped");
  }
  const std::optional<std::filesystem::path> path = AskFile(
      window_, {L"Record steps as script", kScriptFilter, kScriptExtension, L"steps.txt", true});
  if (path) StartRecording(*path);
}

// A recording starts the drawing again white, so unsaved changes (a recovered drawing among
// them) are asked about first.
void StampFrame::StartRecording(const std::filesystem::path& path) {
  if (!ConfirmDiscard(kRecordTitle)) return;
  if (const host::Status started = document_->StartRecording(path); !started.ok()) {
    return Warn(kRecordTitle, WideText(started.error()));
  }
  ShowRecording();
  Status(L"Recording the steps into " + path.wstring());
}

void StampFrame::OnRecordingEnded(const std::string& why) {
  ShowRecording();
  Status(L"The recording ended: " + WideText(why));
}

void StampFrame::ShowRecording() {
  const wchar_t* label = document_->recording().empty() ? kRecordLabel : kStopRecordingLabel;
  ModifyMenuW(GetMenu(window_), kRecordSteps, MF_BYCOMMAND | MF_STRING, kRecordSteps, label);
}

// Each drawing left is read, then offered: Yes recovers it, No discards it, Cancel keeps it for
// a later window. A recovered drawing counts as unsaved and is autosaved under this window at
// once; only then does the file it came from go, so that a crash at any moment leaves the drawing
// on disk.
void StampFrame::OfferRecovery() {
  const document::FolderScan scan = document::ScanAutosaveFolders(document::AutosaveFolders());
  if (!scan.notes.empty()) {
    Warn(kRecoverTitle,
         L"Some files in the autosave folder were not as expected:" + Lines(scan.notes));
  }
  for (const document::LeftDrawing& left : scan.drawings) {
    ora::LayeredPicture drawing;
    if (const host::Status read = ora::ReadOra(left.path, drawing, {}); !read.ok()) {
      if (left.temporary) {
        document::RemoveLeftDrawing(left);  // a write killed before it was complete
      } else {
        Warn(kRecoverTitle, L"The autosave " + left.path.wstring() + L" cannot be read: " +
                                WideText(read.error()) + L"\nIt stays where it is.");
      }
      continue;
    }
    const std::wstring question =
        L"A Stamp window ended without closing (autosaved " + WrittenText(left.path) + L" in " +
        left.path.wstring() +
        L"). Recover its drawing?\n\nYes recovers it, No discards it, Cancel keeps the file for "
        L"the next window to offer.";
    const int answer =
        MessageBoxW(window_, question.c_str(), kRecoverTitle, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDNO) document::RemoveLeftDrawing(left);
    if (answer != IDYES) continue;
    if (const host::Status recovered = document_->Recover(drawing); !recovered.ok()) {
      return Warn(kRecoverTitle, L"The drawing cannot be recovered: " +
                                     WideText(recovered.error()) + L".\nIt stays in " +
                                     left.path.wstring() + L".");
    }
    document::Autosave& autosave = document_->autosave();
    if (const std::string error = autosave.SaveNow(); !error.empty()) {
      return Warn(kRecoverTitle, L"The drawing is recovered, but this window cannot autosave it: " +
                                     WideText(error) + L"\n" + left.path.wstring() +
                                     L" stays where it is; save the drawing to keep it.");
    }
    document::RemoveLeftDrawing(left);
    std::error_code failed;
    if (std::filesystem::exists(left.path, failed)) {
      return Warn(kRecoverTitle, L"The drawing is recovered and autosaved as " +
                                     autosave.path().wstring() + L".\n" + left.path.wstring() +
                                     L" cannot be removed and stays where it is.");
    }
    return Status(L"Recovered the drawing autosaved in " + left.path.wstring() +
                  L"; it is autosaved as " + autosave.path().wstring());
  }
}

}  // namespace stamp::window
