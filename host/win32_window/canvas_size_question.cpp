#include "host/win32_window/canvas_size_question.h"

#include <cstdint>
#include <cwchar>

#include "host/record/canvas_size.h"
#include "host/win32_window/dialog_template.h"
#include "host/win32_window/wide_text.h"

namespace stamp::window {
namespace {

enum Control : WORD { kWidthBox = 200, kHeightBox, kReason };
constexpr wchar_t kTitle[] = L"New canvas";

TemplateWords BuildTemplate() {
  TemplateWords words;
  words.Header(kTitle, 200, 86);
  words.Item(kStaticClass, L"&Width (pixels):", SS_LEFT, 8, 10, 70, 10, kNoControlId);
  words.Item(kEditClass, L"", WS_BORDER | WS_TABSTOP | ES_NUMBER, 80, 8, 60, 13, kWidthBox);
  words.Item(kStaticClass, L"&Height (pixels):", SS_LEFT, 8, 28, 70, 10, kNoControlId);
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
