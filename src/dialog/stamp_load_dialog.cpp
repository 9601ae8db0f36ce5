#include "src/dialog/stamp_load_dialog.h"

#include <algorithm>

#include "src/dialog/pick_file.h"
#include "src/resources/load_dialog_template.h"

namespace stamp {
namespace {

constexpr char16_t kStampFolderName[] = u"" STAMP_SHEET_FOLDER "\\";
constexpr char16_t kStampPattern[] = u"*.bmp";
constexpr uint32_t kShowOnTop = PLAT_SWP_NOSIZE | PLAT_SWP_NOMOVE | PLAT_SWP_SHOWWINDOW;

// The picker's filter: pairs of description and pattern, each ending in a zero, the list ending
// in a second zero. Written with a backslash for every zero.
constexpr char16_t kFilterText[] = u"Bmp Files (*.bmp)\\*.bmp\\All Files (*.*)\\*.*\\\\";
constexpr size_t kFilterCapacity = 100;
// The picker's file buffer: a full path and its terminator.
constexpr size_t kPickerFileCapacity = PLAT_MAX_PATH + 1;
constexpr char16_t kDefaultExtension[] = u"BMP";

constexpr std::array<char16_t, kFilterCapacity> BuildFilter() {
  static_assert(std::size(kFilterText) <= kFilterCapacity);
  std::array<char16_t, kFilterCapacity> filter{};
  std::copy(std::begin(kFilterText), std::end(kFilterText), filter.begin());
  std::replace(filter.begin(), filter.end(), u'\\', u'\0');
  return filter;
}

constexpr std::array<char16_t, kFilterCapacity> kFilter = BuildFilter();

// A zero-terminated text in a buffer of known size, up to its terminator or the buffer's end.
template <size_t N>
std::u16string BoundedText(const char16_t (&text)[N]) {
  return std::u16string(text, std::find(text, text + N, u'\0'));
}

// The folder of the running program (up to and including its last backslash), then "stamp\".
std::u16string StampFolder() {
  char16_t program[PLAT_MAX_PATH] = {};
  plat_get_module_file_name(program, PLAT_MAX_PATH);
  std::u16string folder = BoundedText(program);
  const size_t lastBackslash = folder.rfind(u'\\');
  folder.erase(lastBackslash == std::u16string::npos ? 0 : lastBackslash + 1);
  return folder + kStampFolderName;
}

// The request for the open-file picker; every field not set here stays 0 or none.
PlatOpenFileName PickerRequest(char16_t* file) {
  PlatOpenFileName request{};
  request.lStructSize = sizeof(PlatOpenFileName);
  request.lpstrFilter = kFilter.data();
  request.nFilterIndex = 1;
  request.lpstrFile = file;
  request.nMaxFile = kPickerFileCapacity;
  request.lpstrInitialDir = u"";
  request.lpstrDefExt = kDefaultExtension;
  return request;
}

}  // namespace

#if UINTPTR_MAX == UINT32_MAX
static_assert(sizeof(PlatOpenFileName) == 76, "the picker library reads the 76-byte record");
#endif

const CommandEntry<StampLoadDialog> StampLoadDialog::kMessageMap[2] = {
    {kLoadDialogFileButton, PLAT_BN_CLICKED, &StampLoadDialog::OnFileButton},
    {kLoadDialogList, PLAT_LBN_SELCHANGE, &StampLoadDialog::OnListSelectionChange},
};

StampLoadDialog::StampLoadDialog() : DialogBase(kLoadDialogTemplate) {}

int32_t StampLoadDialog::OnInitDialog() {
  DialogBase::OnInitDialog();
  SetWindowPos(PLAT_HWND_TOP, 0, 0, 0, 0, kShowOnTop);
  ListStampFolder(StampFolder());
  return 1;
}

// Lists the folder's BMP files in the order the file system gives them; the first
// kLoadDialogMaxFiles are stored and listed, the rest are passed over.
void StampLoadDialog::ListStampFolder(const std::u16string& folder) {
  listedCount_ = 0;
  const std::u16string pattern = folder + kStampPattern;
  PlatFindData found{};
  const PlatHandle find = plat_find_first_file(pattern.c_str(), &found);
  if (find == 0) return;
  do {
    if (listedCount_ == kLoadDialogMaxFiles) continue;
    const std::u16string name = BoundedText(found.fileName);
    fileNames_[listedCount_] = name;
    fullPaths_[listedCount_] = folder + name;
    list_.AddString(name);
    ++listedCount_;
  } while (plat_find_next_file(find, &found) != 0);
  plat_find_close(find);
}

void StampLoadDialog::DoDataExchange(DataExchange& exchange) {
  DialogBase::DoDataExchange(exchange);
  ExchangeControl(exchange, kLoadDialogList, list_);
  ExchangeText(exchange, kLoadDialogPathBox, path_);
  ExchangeListIndex(exchange, kLoadDialogList, selection_);
}

bool StampLoadDialog::OnCommand(int32_t controlId, int32_t notification) {
  return DispatchCommand<StampLoadDialog>(*this, kMessageMap, controlId, notification) ||
         DialogBase::OnCommand(controlId, notification);
}

// The path box shows the full path of the selected file. A selection that names no stored
// file (nothing selected) leaves the path as it was.
void StampLoadDialog::OnListSelectionChange() {
  UpdateData(true);
  if (selection_ >= 0 && selection_ < listedCount_) path_ = fullPaths_[selection_];
  UpdateData(false);
}

// Opens the picker on the path as last set (the path box is not read first). A path longer than
// the file buffer is cut to fit it, terminator included.
void StampLoadDialog::OnFileButton() {
  char16_t file[kPickerFileCapacity] = {};
  path_.copy(file, kPickerFileCapacity - 1);
  PlatOpenFileName request = PickerRequest(file);
  if (PickFile(kPickOpen, &request) == 0) return;
  path_ = BoundedText(file);
  UpdateData(false);
}

}  // namespace stamp
