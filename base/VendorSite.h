// The vendor's web site, opened by the main window's logo and the help page's web rows.
#pragma once

namespace yk {

inline constexpr wchar_t kVendorSiteUrl[] = L"https://www.yarrowkeep.com/";

} // namespace yk
