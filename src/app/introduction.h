#pragma once

#include <array>
#include <string_view>

namespace vortila {

inline constexpr int kIntroductionTextCount = 14;

// The title banner and the thirteen passages of the introduction, printed in this order by
// every start, each as one text.
extern const std::array<std::string_view, kIntroductionTextCount> kIntroductionTexts;

}  // namespace vortila
