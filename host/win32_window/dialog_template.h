// A dialog built in memory (DLGTEMPLATE and its items, as a resource compiler lays them out), so
// the program needs no resource file of its own. The window's dialogs begin with Header and add
// one Item per control, in dialog units.
#pragma once

#include <windows.h>

#include <vector>

namespace stamp::window {

// The predefined window classes a dialog item names by number.
inline constexpr WORD kButtonClass = 0x0080;
inline constexpr WORD kEditClass = 0x0081;
inline constexpr WORD kStaticClass = 0x0082;
inline constexpr WORD kListBoxClass = 0x0083;
inline constexpr WORD kNoControlId = 0xFFFF;  // a label nothing refers to

// A dialog template's words: each part aligned as the system reads it.
class TemplateWords {
 public:
  // The dialog itself: a modal frame with a caption, centred on its owner, in the system's
  // dialog font. Each Item after it is counted into it.
  void Header(const wchar_t* title, short cx, short cy) {
    Dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    Dword(0);
    itemCount_ = words_.size();
    Word(0);
    for (const short value : {short{0}, short{0}, cx, cy}) Word(static_cast<WORD>(value));
    Word(0);  // no menu
    Word(0);  // the dialog class
    Text(title);
    Word(kFontSize);
    Text(kFont);
  }
  void Item(WORD classAtom, const wchar_t* text, DWORD style, short x, short y, short cx, short cy,
            WORD id) {
    ++words_[itemCount_];
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
  static constexpr wchar_t kFont[] = L"MS Shell Dlg";
  static constexpr WORD kFontSize = 8;

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

  std::vector<WORD> words_;
  size_t itemCount_ = 0;  // where the header keeps the number of items
};

}  // namespace stamp::window
