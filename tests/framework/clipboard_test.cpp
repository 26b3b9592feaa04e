#include "framework/Clipboard.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

// The real service reads the X clipboard: its tests are in x11/, on a display of their own.

TEST(ManualClipboard, GivesWhatWasSetAndCountsReads) {
  auto service = std::make_unique<ManualClipboardService>();
  ManualClipboardService& manual = *service;
  SetClipboardService(std::move(service));
  auto clipboard = RuntimeNewObject<Clipboard>();
  EXPECT_FALSE(clipboard->Picture());
  auto picture = RuntimeNewObject<Picture>(2, 2);
  manual.SetPicture(picture);
  EXPECT_TRUE(clipboard->Picture() == picture);
  EXPECT_EQ(manual.Reads(), 2);
  SetClipboardService(nullptr);
}

}  // namespace
}  // namespace fw
