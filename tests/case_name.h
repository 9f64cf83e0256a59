#pragma once
// Names for the cases of a parameterised suite, so that a failing case names
// itself ("Comments/BonusClaimTest.ClaimsOnlyAnExactNvl/NVL_0") instead of
// printing its bytes. Characters a test name cannot hold become '_'; the
// case's index at the end keeps two similar cases apart.
#include <cctype>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vl::test_names {

inline std::string caseName(std::size_t index, std::initializer_list<std::string_view> parts) {
    std::string name;
    for (const std::string_view part : parts) {
        for (const char c : part) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        name += '_';
    }
    return name + std::to_string(index);
}

}  // namespace vl::test_names
