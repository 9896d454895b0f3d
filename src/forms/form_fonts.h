// The fonts the windows were designed with, each followed by faces with the same metrics for
// systems that lack it.
#pragma once

#include <array>
#include <string_view>

#include "form_description.h"

namespace marovel::forms {

inline constexpr std::array<std::string_view, 2> kArialFaces = {"Arial", "Liberation Sans"};
inline constexpr std::array<std::string_view, 3> kSansSerifFaces = {"MS Sans Serif", "Microsoft Sans Serif",
                                                                     "Liberation Sans"};

inline constexpr Font kArial975{kArialFaces, 9.75};
inline constexpr Font kDialogFont{kSansSerifFaces, 8.25};
inline constexpr Font kNoticeFont{kArialFaces, 8.25};

}  // namespace marovel::forms
