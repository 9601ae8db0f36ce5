// The dialog is built in memory (DLGTEMPLATE and its items, as a resource compiler lays them
// out), so the program needs no resource file of its own.
#include "host/win32_window/canvas_size_question.h"

#include <cstdint>
#include <cwchar>
#include <vector>

#include "host/record/canvas_size.h"
#include "host/win32_window/wide_text.h"

namespace stamp::window {
namespace {

enum Control : WORD { kWidthBox = 200, kHeightBox, kReason };
// The predefined window classes a dialog item names by number.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr wchar_t kTitle[] = L"New canvas";
constexpr wchar_t kFont[] = L"MS Shell Dlg";
constexpr WORD kFontSize = 8;

// A dialog template's words: each part aligned as the system reads it.
class TemplateWords {
 public:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Text(const wchar_t* text) {
    for (; *text != L'\0'; ++text) Word(static_cast<WORD>(*text));
    Word(0);
  }
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  void Item(WORD classAtom, const wchar_t* text, DWORD style, short x, short y, short cx, short cy,
            WORD id) {
    AlignToDword();
    Dword(WS_CHILD | WS_VISIBLE | style);
    Dword(0);
    for (const short value : {x, y, cx, cy}) Word(static_cast<WORD>(value));
    Word(id);
    Word(0xFFFF);
    Word(classAtom);
    Text(text);
    Word(0);  // no creation data
  }
  const DLGTEMPLATE* data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  std::vector<WORD> words_;
};

TemplateWords BuildTemplate() {
  constexpr WORD kItems = 7;
  TemplateWords words;
  words.Dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  words.Dword(0);
  words.Word(kItems);
  for (const short value : {0, 0, 200, 86}) words.Word(static_cast<WORD>(value));
  words.Word(0);  // no menu
  words.Word(0);  // the dialog class
  words.Text(kTitle);
  words.Word(kFontSize);
  words.Text(kFont);
  words.Item(kStaticClass, L"&Width (pixels):", SS_LEFT, 8, 10, 70, 10, 0xFFFF);
  words.Item(kEditClass, L"", WS_BORDER | WS_TABSTOP | ES_NUMBER, 80, 8, 60, 13, kWidthBox);
  words.Item(kStaticClass, L"&Height (pixels):", SS_LEFT, 8, 28, 70, 10, 0xFFFF);
  words.Item(kEditClass, L"", WS_BORDER | WS_TABSTOP | ES_NUMBER, 80, 26, 60, 13, kHeightBox);
  words.Item(kStaticClass, L"", SS_LEFT, 8, 44, 184, 20, kReason);
  words.Item(kButtonClass, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 88, 66, 50, 14, IDOK);
  words.Item(kButtonClass, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 142, 66, 50, 14, IDCANCEL);
  return words;
}

struct Question {
  document::Size size;
};

int64_t BoxNumber(HWND dialog, int id) {
  wchar_t text[32] = {};
  GetDlgItemTextW(dialog, id, text, static_cast<int>(std::size(text)));
  return text[0] == L'\0' ? 0 : std::wcstoll(text, nullptr, 10);
}

// OK takes the size only when the record can hold it; the reason is shown otherwise.
bool Accept(HWND dialog, Question& question) {
  const int64_t width = BoxNumber(dialog, kWidthBox);
  const int64_t height = BoxNumber(dialog, kHeightBox);
  if (const host::Status fits = host::CheckCanvasSize(width, height); !fits.ok()) {
    SetDlgItemTextW(dialog, kReason, WideText(fits.error()).c_str());
    return false;
  }
  question.size = {static_cast<int32_t>(width), static_cast<int32_t>(height)};
  return true;
}

INT_PTR CALLBACK QuestionProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* question = reinterpret_cast<Question*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      question = reinterpret_cast<Question*>(lParam);
      SetDlgItemInt(dialog, kWidthBox, static_cast<UINT>(question->size.width), FALSE);
      SetDlgItemInt(dialog, kHeightBox, static_cast<UINT>(question->size.height), FALSE);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && Accept(dialog, *question)) EndDialog(dialog, IDOK);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

std::optional<document::Size> AskCanvasSize(HWND owner, document::Size start) {
  const TemplateWords words = BuildTemplate();
  Question question{start};
  const INT_PTR answer =
      DialogBoxIndirectParamW(GetModuleHandleW(nullptr), words.data(), owner, QuestionProcedure,
                              reinterpret_cast<LPARAM>(&question));
  if (answer != IDOK) return std::nullopt;
  return question.size;
}

}  // namespace stamp::window
