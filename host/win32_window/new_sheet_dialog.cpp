#include "host/win32_window/new_sheet_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

#include "host/commands/command_line.h"
#include "host/output/sheet_preview.h"
#include "host/sheets/sheet_saving.h"
#include "host/win32_window/dialog_template.h"
#include "host/win32_window/wide_text.h"
#include "platform/portable/bmp/bmp_decoder.h"

namespace stamp::window {
namespace {

namespace fs = std::filesystem;

enum Control : WORD { kPictureList = 300, kAddButton, kRemoveButton, kPreview, kNameBox };
constexpr wchar_t kTitle[] = L"New sheet from pictures";
constexpr wchar_t kPictureFilter[] =
    L"Pictures (*.png, *.bmp, *.jpg, *.jpeg, *.gif, *.tif, *.tiff)\0"
    L"*.png;*.bmp;*.jpg;*.jpeg;*.gif;*.tif;*.tiff\0All files (*.*)\0*.*\0";
constexpr wchar_t kNoSheetFolder[] = L"No sheet folder of your own: APPDATA is unset.";
// Pixels beside a list line's text.
constexpr LONG kListPadding = 8;
// Room for the names of twelve pictures chosen at once, each a long path.
constexpr DWORD kChoiceUnits = 65536;

TemplateWords BuildTemplate() {
  TemplateWords words;
  words.Header(kTitle, 384, 226);
  words.Item(kListBoxClass, L"", LBS_NOTIFY | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP, 8,
             8, 160, 140, kPictureList);
  words.Item(kButtonClass, L"&Add pictures...", BS_PUSHBUTTON | WS_TABSTOP, 8, 152, 78, 14,
             kAddButton);
  words.Item(kButtonClass, L"&Remove", BS_PUSHBUTTON | WS_TABSTOP, 90, 152, 78, 14, kRemoveButton);
  // Made the preview's size in pixels when the dialog opens.
  words.Item(kStaticClass, L"", SS_OWNERDRAW, 176, 8, 200, 170, kPreview);
  words.Item(kStaticClass, L"&Name:", SS_LEFT, 8, 187, 30, 10, kNoControlId);
  words.Item(kEditClass, L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 40, 185, 336, 13, kNameBox);
  words.Item(kButtonClass, L"Save", BS_DEFPUSHBUTTON | WS_TABSTOP, 272, 204, 50, 14, IDOK);
  words.Item(kButtonClass, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 326, 204, 50, 14, IDCANCEL);
  return words;
}

struct NewSheet {
  std::vector<host::FittedPicture> pictures;
  std::vector<std::string> names;  // each picture's file name, in cell order
  std::vector<uint8_t> preview;    // DrawSheetPreview's pixels; empty when it cannot be drawn
  fs::path saved;
};

void Warn(HWND dialog, const std::wstring& text) {
  MessageBoxW(dialog, text.c_str(), kTitle, MB_OK | MB_ICONWARNING);
}

std::string BoxText(HWND dialog, int id) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(GetDlgItem(dialog, id))) + 1, L'\0');
  text.resize(static_cast<size_t>(GetDlgItemTextW(dialog, id, text.data(), text.size())));
  const size_t first = text.find_first_not_of(L' ');
  const size_t last = text.find_last_not_of(L' ');
  if (first == std::wstring::npos) return {};
  return platform::ToUtf8(std::u16string(text.begin() + first, text.begin() + last + 1));
}

// The pictures the user picked in the system's dialog, none when cancelled. With one picture the
// dialog hands back its path; with several, their folder and then each name.
std::vector<fs::path> ChoosePictures(HWND owner) {
  std::vector<wchar_t> chosen(kChoiceUnits, L'\0');
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = kPictureFilter;
  request.lpstrFile = chosen.data();
  request.nMaxFile = kChoiceUnits;
  request.lpstrTitle = L"Pictures for the sheet";
  request.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&request)) return {};
  std::vector<std::wstring> parts;
  for (const wchar_t* part = chosen.data(); *part != L'\0'; part += parts.back().size() + 1) {
    parts.emplace_back(part);
  }
  if (parts.size() == 1) return {fs::path(parts.front())};
  std::vector<fs::path> paths;
  for (size_t k = 1; k < parts.size(); ++k) paths.push_back(fs::path(parts[0]) / parts[k]);
  return paths;
}

// The list says where each picture goes, and the preview shows the sheet as the tool will read
// it: encoded, decoded by the platform, drawn as the sheet command's preview.
void ShowSheet(HWND dialog, NewSheet& sheet) {
  HWND list = GetDlgItem(dialog, kPictureList);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  // A line wider than the list scrolls sideways.
  HDC context = GetDC(list);
  const HGDIOBJ font =
      SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
  LONG widest = 0;
  for (size_t k = 0; k < sheet.pictures.size(); ++k) {
    const std::wstring line =
        WideText(host::DescribeCell(static_cast<int32_t>(k), sheet.names[k], sheet.pictures[k]));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SIZE extent{};
    GetTextExtentPoint32W(context, line.c_str(), static_cast<int>(line.size()), &extent);
    widest = std::max(widest, extent.cx + kListPadding);
  }
  SelectObject(context, font);
  ReleaseDC(list, context);
  SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
  EnableWindow(GetDlgItem(dialog, IDOK), !sheet.pictures.empty());
  const platform::BmpDecodeResult decoded =
      platform::DecodeBmp(host::Sheet(sheet.pictures).EncodeBmp());
  host::Result<std::vector<uint8_t>> pixels =
      decoded.image ? host::DrawSheetPreview(*decoded.image) : host::Failure{decoded.error};
  sheet.preview = pixels.ok() ? std::move(*pixels) : std::vector<uint8_t>();
  InvalidateRect(GetDlgItem(dialog, kPreview), nullptr, FALSE);
}

void AddPictures(HWND dialog, NewSheet& sheet) {
  const std::vector<fs::path> paths = ChoosePictures(dialog);
  if (paths.empty()) return;
  const host::PicturesAdded added = host::AddSheetPictures(sheet.pictures, paths);
  sheet.names.insert(sheet.names.end(), added.names.begin(), added.names.end());
  ShowSheet(dialog, sheet);
  std::wstring problems;
  for (const std::string& problem : added.problems) problems += WideText(problem) + L"\n";
  if (!problems.empty()) Warn(dialog, problems);
}

// The cells after the removed one move up.
void RemovePicture(HWND dialog, NewSheet& sheet) {
  const LRESULT row = SendDlgItemMessageW(dialog, kPictureList, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR || static_cast<size_t>(row) >= sheet.pictures.size()) return;
  sheet.pictures.erase(sheet.pictures.begin() + row);
  sheet.names.erase(sheet.names.begin() + row);
  ShowSheet(dialog, sheet);
}

void DrawPreview(const DRAWITEMSTRUCT& item, const NewSheet& sheet) {
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  if (sheet.preview.empty()) {
    RECT area = item.rcItem;
    DrawTextW(item.hDC, L"No preview", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = host::kSheetPreviewWidth;
  info.bmiHeader.biHeight = host::kSheetPreviewHeight;  // bottom row first, as the pixels are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(item.hDC, item.rcItem.left, item.rcItem.top, host::kSheetPreviewWidth,
                    host::kSheetPreviewHeight, 0, 0, 0, host::kSheetPreviewHeight,
                    sheet.preview.data(), &info, DIB_RGB_COLORS);
}

bool MayReplace(HWND dialog, const fs::path& path) {
  std::error_code failed;
  if (!fs::exists(fs::symlink_status(path, failed))) return true;
  const std::wstring question =
      L"A sheet named " + path.filename().wstring() + L" exists. Replace it?";
  return MessageBoxW(dialog, question.c_str(), kTitle,
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

// The dialog closes only once the sheet is written; every refusal leaves it as it was.
void Save(HWND dialog, NewSheet& sheet) {
  const std::optional<fs::path> folder = host::UserSheetFolder();
  if (!folder) return Warn(dialog, kNoSheetFolder);
  const host::Result<fs::path> path = host::SheetPathIn(*folder, BoxText(dialog, kNameBox));
  if (!path.ok()) return Warn(dialog, WideText(path.error()));
  if (!MayReplace(dialog, *path)) return;
  if (const host::Status saved = host::SaveSheet(*path, sheet.pictures); !saved.ok()) {
    return Warn(dialog, WideText(saved.error()));
  }
  sheet.saved = *path;
  EndDialog(dialog, IDOK);
}

void Command(HWND dialog, NewSheet& sheet, WORD control) {
  switch (control) {
    case kAddButton: return AddPictures(dialog, sheet);
    case kRemoveButton: return RemovePicture(dialog, sheet);
    case IDOK: return Save(dialog, sheet);
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return;
    default: return;
  }
}

void Start(HWND dialog, NewSheet& sheet) {
  SetWindowPos(GetDlgItem(dialog, kPreview), nullptr, 0, 0, host::kSheetPreviewWidth,
               host::kSheetPreviewHeight, SWP_NOMOVE | SWP_NOZORDER);
  ShowSheet(dialog, sheet);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* sheet = reinterpret_cast<NewSheet*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      Start(dialog, *reinterpret_cast<NewSheet*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) Command(dialog, *sheet, LOWORD(wParam));
      return TRUE;
    case WM_DRAWITEM:
      if (wParam != kPreview) return FALSE;
      DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), *sheet);
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

std::optional<fs::path> AskNewSheet(HWND owner) {
  const TemplateWords words = BuildTemplate();
  NewSheet sheet;
  const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), words.data(), owner,
                                                 DialogProcedure, reinterpret_cast<LPARAM>(&sheet));
  if (answer != IDOK) return std::nullopt;
  return sheet.saved;
}

}  // namespace stamp::window
