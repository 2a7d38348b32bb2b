#include "language/core_message.h"

#include <gtest/gtest.h>

namespace {

TEST(CoreMessage, ThePartsTakeTheirPlacesOnceAndAnythingElseStaysAsWritten) {
  struct Case {
    TCoreMessage message;
    std::string filled;
  };
  const Case cases[] = {
      {{"ファイル %1 は開けません", {"/tmp/a.png"}}, "ファイル /tmp/a.png は開けません"},
      {{"%2 x %1", {"3", "4"}}, "4 x 3"},
      {{"100%", {}}, "100%"},
      {{"%1%2%1", {"a", "b"}}, "aba"},
      {{"%0 %3 %", {"a"}}, "%0 %3 %"},          // no such part: left alone
      {{"%1", {"50%2 off"}}, "50%2 off"},         // a part is not filled in again
      {{"", {"unused"}}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.message.Filled(), c.filled) << c.message.text;
}

}  // namespace
