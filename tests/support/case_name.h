#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace marovel::testing {

// Names a parameterised case after its `what`, in the letters a test name may hold.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    std::string name = info.param.what;
    for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
  }
};

}  // namespace marovel::testing
