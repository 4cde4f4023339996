// The window titles by which the shell, the renderer, a second start of the
// shell and the setup program find one another.
#pragma once

namespace tessarine {

inline constexpr wchar_t kRendererTitle[] = L"Tessarine_VC";  // the renderer's window
inline constexpr wchar_t kSaverTitle[] = L"Tessarine_Main";   // the hidden window of a saver run
inline constexpr wchar_t kSettingsTitle[] = L"<Tessarine>";   // the settings dialog

}  // namespace tessarine
