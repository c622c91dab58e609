#pragma once
// The program's window classes, named once: its windows register them, and
// the tools that drive a running program find its windows by them.
namespace app::window_classes {

inline constexpr wchar_t kForm1[] = L"vesha.Form1";
inline constexpr wchar_t kFrmsplash[] = L"vesha.frmsplash";
inline constexpr wchar_t kFrmtt[] = L"vesha.frmtt";
inline constexpr wchar_t kFrmSaizi[] = L"vesha.frmSaizi";
inline constexpr wchar_t kFrmsuom[] = L"vesha.frmsuom";
inline constexpr wchar_t kFrmAbout[] = L"vesha.frmAbout";

}  // namespace app::window_classes
