// A window of this program as a C++ object: the class registered once under its name, the object
// handed to CreateWindowExW and kept in the window's user data, and every message handed to the
// object's Handle(message, wParam, lParam); what it does not handle goes to DefWindowProcW.
// T has: static constexpr wchar_t kClassName[]; static const wchar_t* Cursor(); HWND window_;
// LRESULT Handle(UINT, WPARAM, LPARAM).
#pragma once

#include <windows.h>

#include <stdexcept>

namespace stamp::window {

template <typename T>
LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* object = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    object->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  }
  auto* object = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (object == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    object->window_ = nullptr;
  }
  return object->Handle(message, wParam, lParam);
}

// Makes the window of object (registering its class on first use); throws when the system
// refuses it.
template <typename T>
HWND CreateObjectWindow(T* object, DWORD style, DWORD extendedStyle, HWND parent,
                        const wchar_t* title = L"") {
  static const ATOM registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = ObjectProcedure<T>;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, T::Cursor());
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = T::kClassName;
    return RegisterClassExW(&windowClass);
  }();
  if (registered == 0) throw std::runtime_error("cannot register a window class");
  HWND window = CreateWindowExW(extendedStyle, T::kClassName, title, style, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                                GetModuleHandleW(nullptr), object);
  if (window == nullptr) throw std::runtime_error("cannot create a window");
  return window;
}

}  // namespace stamp::window
