// The menus' titles as shown: every menu gets a mnemonic, its own or its first free letter.
#include <gtest/gtest.h>

#include "framework/MenuKeysPrivate.h"

namespace {

TEST(MenuTitles, ACaptionWithoutAMnemonicTakesItsFirstLetterNoOtherMenuTakes) {
  struct Case {
    QStringList captions, titles;
  };
  const Case cases[] = {
      {{"&File", "&Edit", "Mode"}, {"&File", "&Edit", "&Mode"}},
      // A letter taken by a later menu's own mnemonic, or by an earlier menu, is passed over.
      {{"Mode", "&Move"}, {"M&ode", "&Move"}},
      {{"Edit", "Extra"}, {"&Edit", "E&xtra"}},
      // "&&" is an ampersand, not a mnemonic; digits and signs are passed over.
      {{"R&&D"}, {"&R&&D"}},
      {{"1 + 2"}, {"1 + 2"}},
      {{"&View", "Vi"}, {"&View", "V&i"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fw::MenuTitles(c.captions), c.titles) << c.captions.join(", ").toStdString();
}

}  // namespace
