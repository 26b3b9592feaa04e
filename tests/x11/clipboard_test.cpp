// The real clipboard service against owners on an Xvfb display of the test's own.
#include "framework/Clipboard.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/BmpBytes.h"
#include "support/SelectionOwner.h"

namespace fw {
namespace {

using testing_bmp::ColourAt;
using testing_bmp::MakeBmp;
using testing_bmp::Poke;
using testing_x11::OwnerBehaviour;
using testing_x11::SelectionOwner;
using Clock = std::chrono::steady_clock;

// The limits of the tests of misbehaving owners: the program's own kind, with room for a loaded
// machine where a good owner is read after a bad one.
constexpr std::chrono::milliseconds kStall{300};
constexpr std::chrono::milliseconds kLongest{1000};

class ClipboardX11Test : public ::testing::Test {
 protected:
  void SetUp() override {
    server_.emplace();
    // The toolkit on the display, as in the program: its own clipboard must not stand in the way.
    qputenv("QT_QPA_PLATFORM", "xcb");
    static int argc = 1;
    static char name[] = "clipboard_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
    // A real service, connected to this display, with time enough for a loaded machine; the
    // tests of owners that stall use the service as the program does.
    SetClipboardService(std::make_unique<SystemClipboardService>(std::chrono::seconds(5),
                                                                 std::chrono::seconds(10)));
  }
  void TearDown() override {
    SetClipboardService(nullptr);
    app_.reset();
  }

  static Ref<Picture> Read() { return RuntimeNewObject<Clipboard>()->Picture(); }

  static void ExpectPattern(const Ref<Picture>& picture, int width, int height) {
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->Width(), width);
    ASSERT_EQ(picture->Height(), height);
    auto surface = picture->RGBSurface();
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        ASSERT_EQ(surface->Pixel(x, y), ColourAt(x, y)) << x << "," << y;
        ASSERT_EQ(surface->Alpha(x, y), 255) << x << "," << y;
      }
  }

  std::optional<testing_x11::XvfbServer> server_;
  std::unique_ptr<QGuiApplication> app_;
};

OwnerBehaviour Serving(std::vector<std::uint8_t> data, std::size_t piece = 0,
                       std::string type = "image/bmp") {
  OwnerBehaviour b;
  b.data = std::move(data);
  b.piece = piece;
  b.type = std::move(type);
  return b;
}

std::vector<std::uint8_t> Saved(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format));
  return {bytes.begin(), bytes.end()};
}

QImage Pattern(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, ColourAt(x, y));
  return image;
}

TEST_F(ClipboardX11Test, ReadsScreenPicturesInEveryLayoutWholeOrInPieces) {
  struct Case {
    int bits;
    bool topDown;
    std::size_t piece;  // 0: whole
  };
  const Case cases[] = {{24, true, 0},     {24, false, 0},    {32, true, 0},
                        {32, false, 0},    {24, true, 1021},  {24, false, 4096},
                        {32, true, 4096},  {32, false, 1021}, {24, false, 13}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits, " << (c.topDown ? "top-down" : "bottom-up")
                                    << ", pieces of " << c.piece);
    // 13-byte pieces split the header itself: a small picture, or the read takes too long.
    const int width = c.piece == 13 ? 9 : 61, height = c.piece == 13 ? 4 : 23;
    SelectionOwner owner(Serving(MakeBmp(width, height, c.bits, c.topDown), c.piece));
    ExpectPattern(Read(), width, height);
  }
}

TEST_F(ClipboardX11Test, ReadsAWholeScreenInTwoMegabytePieces) {
  SelectionOwner owner(Serving(MakeBmp(1920, 1080, 24, false), std::size_t(2) << 20));
  ExpectPattern(Read(), 1920, 1080);
}

// An owner that sleeps with our request for the next piece in its queue is woken: the picture
// comes whole, with the program's own limits.
TEST_F(ClipboardX11Test, AnOwnerThatSleepsOnOurRequestIsWoken) {
  SetClipboardService(std::make_unique<SystemClipboardService>(kStall, kLongest));
  OwnerBehaviour sleepy = Serving(MakeBmp(61, 23, 24, false), 1021);
  sleepy.sleepy = true;
  SelectionOwner owner(sleepy);
  ExpectPattern(Read(), 61, 23);
}

TEST_F(ClipboardX11Test, AHeldPictureKeepsItsPixelsWhenTheNextIsRead) {
  std::optional<SelectionOwner> owner(std::in_place, Serving(MakeBmp(61, 23, 24, true), 4096));
  Ref<Picture> first = Read();
  owner.reset();
  // The next picture, of the same size, in another colour.
  auto other = MakeBmp(61, 23, 24, true);
  std::fill(other.begin() + 54, other.end(), 0x40);
  owner.emplace(Serving(other, 4096));
  Ref<Picture> second = Read();
  ASSERT_TRUE(second);
  EXPECT_EQ(second->RGBSurface()->Pixel(5, 5), 0x404040u);
  ExpectPattern(first, 61, 23);
}

TEST_F(ClipboardX11Test, PicturesOfOtherProgramsInOtherFormsReadRight) {
  struct Case {
    const char* what;
    OwnerBehaviour owner;
  };
  const QImage image = Pattern(21, 9);
  const Case cases[] = {
      {"PNG only, as a browser offers it", Serving(Saved(image, "PNG"), 0, "image/png")},
      {"PNG in pieces", Serving(Saved(image, "PNG"), 100, "image/png")},
      // Eight bits a pixel, with a palette: no more colours than the picture has, so all exact.
      {"a BMP of another kind", Serving(Saved(image.convertToFormat(QImage::Format_Indexed8), "BMP"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SelectionOwner owner(c.owner);
    ExpectPattern(Read(), 21, 9);
  }
}

TEST_F(ClipboardX11Test, NoPictureWhenTheClipboardHoldsNone) {
  EXPECT_FALSE(Read());  // nobody owns it
  SelectionOwner text(Serving({'h', 'i'}, 0, "UTF8_STRING"));
  EXPECT_FALSE(Read());
}

// The toolkit remembered the forms of the clipboard's last owner until its event loop ran again:
// right after another program's text, the picture that replaced it was not found.
TEST_F(ClipboardX11Test, FindsThePictureThatReplacedAnotherProgramsText) {
  {
    SelectionOwner text(Serving({'h', 'i'}, 0, "UTF8_STRING"));
    EXPECT_FALSE(Read());
  }
  SelectionOwner picture(Serving(MakeBmp(61, 23, 24, false), 4096));
  ExpectPattern(Read(), 61, 23);
}

OwnerBehaviour Silent() {
  OwnerBehaviour b = Serving(MakeBmp(61, 23, 24, false));
  b.silent = true;
  return b;
}

// A picture in small pieces, each after a pause: far longer than a read may last.
OwnerBehaviour Dripping() {
  OwnerBehaviour b = Serving(MakeBmp(640, 480, 24, false), 4096);
  b.delay = std::chrono::milliseconds(15);
  return b;
}

TEST_F(ClipboardX11Test, AnOwnerThatStallsCannotHoldTheReader) {
  struct Case {
    const char* what;
    OwnerBehaviour owner;
  };
  OwnerBehaviour slow = Serving(MakeBmp(61, 23, 24, false));
  slow.delay = std::chrono::milliseconds(1500);
  const Case cases[] = {
      {"never answers", Silent()}, {"answers late", slow}, {"drips its pieces", Dripping()}};
  SetClipboardService(std::make_unique<SystemClipboardService>(kStall, kLongest));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      SelectionOwner owner(c.owner);
      testing::internal::CaptureStderr();
      const auto start = Clock::now();
      EXPECT_FALSE(Read());
      EXPECT_LT(Clock::now() - start, kLongest + std::chrono::milliseconds(500));
      EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
    // Late answers to the abandoned read are not taken for the next one's.
    SelectionOwner good(Serving(MakeBmp(61, 23, 32, true), 1021));
    ExpectPattern(Read(), 61, 23);
  }
}

// An owner that ran out of time costs the next reads little: a moment when it said nothing, one
// stall when it sent too slowly. It is heard again as soon as it hands a picture over.
TEST_F(ClipboardX11Test, AnOwnerThatRanOutOfTimeIsGivenLittleAfterwards) {
  struct Case {
    const char* what;
    OwnerBehaviour owner;
    std::chrono::milliseconds fourReads;  // four full reads would take 4 s, four stalls 1.2 s
  };
  const Case cases[] = {{"never answers", Silent(), std::chrono::milliseconds(600)},
                        {"drips its pieces", Dripping(), std::chrono::milliseconds(2000)}};
  SetClipboardService(std::make_unique<SystemClipboardService>(kStall, kLongest));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      SelectionOwner owner(c.owner);
      EXPECT_FALSE(Read());
      const auto start = Clock::now();
      for (int i = 0; i < 4; ++i) EXPECT_FALSE(Read());
      EXPECT_LT(Clock::now() - start, c.fourReads);
    }
    SelectionOwner good(Serving(MakeBmp(61, 23, 24, false)));
    ExpectPattern(Read(), 61, 23);
  }
}

TEST_F(ClipboardX11Test, BrokenPicturesAreNoPictureAndSayNothing) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> data;
    std::size_t piece = 0;
    std::size_t endAfter = SIZE_MAX;
  };
  auto lyingOffset = MakeBmp(61, 23, 24, false);
  Poke(lyingOffset, 10, 0x7FFFFFF0);
  auto lyingRows = MakeBmp(61, 23, 24, false);
  Poke(lyingRows, 22, 3000);
  auto lyingOther = MakeBmp(61, 23, 16, false);  // left to the general reader
  Poke(lyingOther, 10, 0x7FFFFFF0);
  auto cut = MakeBmp(61, 23, 32, true);
  cut.resize(cut.size() - 10);
  const Case cases[] = {
      {"pixels at 0x7ffffff0", lyingOffset},
      {"pixels at 0x7ffffff0, in pieces", lyingOffset, 1021},
      {"more rows than it holds", lyingRows},
      {"another kind of BMP, pixels at 0x7ffffff0", lyingOther},
      {"its last bytes missing", cut},
      {"a transfer that ends early", MakeBmp(61, 23, 24, false), 1021, 3000},
      {"a header cut short", {'B', 'M', 0x36, 0, 0, 0}},
      {"no bytes at all", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OwnerBehaviour b = Serving(c.data, c.piece);
    b.endAfter = c.endAfter;
    SelectionOwner owner(b);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Read());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  }
}

TEST_F(ClipboardX11Test, ALostServerIsNoPictureNotACrash) {
  SetClipboardService(nullptr);
  {
    SelectionOwner owner(Serving(MakeBmp(9, 4, 24, true)));
    ExpectPattern(Read(), 9, 4);
  }
  app_.reset();  // the toolkit's own connection would end the process
  server_->Kill();
  const auto start = Clock::now();
  EXPECT_FALSE(Read());
  EXPECT_FALSE(Read());
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
}

}  // namespace
}  // namespace fw
