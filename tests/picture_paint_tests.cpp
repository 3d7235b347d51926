// What the picture box and the label put on the screen, read back as pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support.h"
#include "ui/control_common.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"
#include "ui/text_label.h"

extern const unsigned char kOddWidthJpeg[];
extern const size_t kOddWidthJpeg_size;

namespace {

constexpr uint32_t kRed = 0xFF0000;

// Text is drawn anti-aliased: its edges blend red into the background.
bool IsReddish(uint32_t rgb) {
  return (rgb >> 16) >= 0xC0 && ((rgb >> 8) & 0xFF) <= 0x80 && (rgb & 0xFF) <= 0x80;
}

uint32_t PictureRgb(const DecodedPicture& p, int x, int y) {
  const uint8_t* px = p.pixels.get() + (static_cast<size_t>(p.height - 1 - y) * p.width + x) * 3;
  return px[2] << 16 | px[1] << 8 | px[0];
}

class MainWindowPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateMainWindow());
    hwnd_ = MainWindowHandle();
    SetForegroundWindow(hwnd_);
    UpdateWindow(hwnd_);
    PumpMessages(50);
    pixels_ = CaptureClient(hwnd_, &width_, &height_);
    picture_ = DecodePicture(kStoredPicture, kStoredPicture_size);
    ASSERT_NE(nullptr, picture_);
  }
  void TearDown() override {
    if (MainWindowExists()) DestroyWindow(hwnd_);
  }
  uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  HWND hwnd_ = nullptr;
  std::vector<uint32_t> pixels_;
  int width_ = 0, height_ = 0;
  std::unique_ptr<DecodedPicture> picture_;
};

TEST_F(MainWindowPixels, PictureBoxShowsTheTopLeftOfThePictureUnscaled) {
  // Client (0,24) to (168,136), clipped by the client area; it lies on top
  // of the label (y 24..39) and of the animation box (x 40..139, y 120..135).
  const int bottom = std::min(136, height_);
  int mismatches = 0;
  for (int y = 24; y < bottom; ++y) {
    for (int x = 0; x < 168; ++x) {
      if (At(x, y) != PictureRgb(*picture_, x, y - 24)) ++mismatches;
    }
  }
  EXPECT_EQ(0, mismatches);
  EXPECT_EQ(PictureRgb(*picture_, 0, 0), At(0, 24));
  EXPECT_EQ(PictureRgb(*picture_, 167, 111 - (136 - bottom)), At(167, bottom - 1));
}

TEST_F(MainWindowPixels, LabelShowsRedTextCentredOnClientRow16) {
  // The label's visible strip: client x 4..168, y 0..23 (its top 8 rows lie
  // above the client area, the picture box covers it from y 24).
  int top = -1, lowest = -1, redCount = 0, pureRed = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 4; x < 169; ++x) {
      if (At(x, y) == kRed) ++pureRed;
      if (!IsReddish(At(x, y))) continue;
      ++redCount;
      if (top < 0) top = y;
      lowest = y;
    }
  }
  ASSERT_GT(redCount, 50);
  EXPECT_GT(pureRed, 10);
  const double centre = (top + lowest) / 2.0;
  EXPECT_NEAR(16.0, centre, 1.5) << top << ".." << lowest;
  // Away from the text line the label is plain button face.
  const uint32_t face = Rgb(GetSysColor(COLOR_BTNFACE));
  for (int y = 0; y < top - 1; ++y) {
    for (int x = 0; x < 169; ++x) ASSERT_EQ(face, At(x, y)) << x << "," << y;
  }
  // Left of the label's edge (x 0..3) shows the main window's own background.
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 4; ++x) ASSERT_EQ(face, At(x, y)) << x << "," << y;
  }
}

TEST(LabelFormat, IsSingleLineLeftVerticallyCentredWithoutPrefixes) {
  // DT_NOPREFIX (0x800) | DT_LEFT (0) | DT_SINGLELINE (0x20) | DT_VCENTER (4)
  EXPECT_EQ(0x824u, LabelTextFormat(InstructionLabelSettings()));
  struct Case { int h, v; bool wrap; UINT format; };
  const Case cases[] = {
      {kAlignNear, kAlignNear, false, DT_NOPREFIX | DT_LEFT | DT_SINGLELINE | DT_TOP},
      {kAlignCentre, kAlignFar, false, DT_NOPREFIX | DT_CENTER | DT_SINGLELINE | DT_BOTTOM},
      {kAlignFar, kAlignNear, true, DT_NOPREFIX | DT_RIGHT | DT_WORDBREAK | DT_VCENTER},
  };
  for (const Case& c : cases) {
    TextLabelSettings s = InstructionLabelSettings();
    s.horizontalAlignment = c.h;
    s.verticalAlignment = c.v;
    s.wordWrap = c.wrap;
    EXPECT_EQ(c.format, LabelTextFormat(s));
  }
}

// A label of the instruction's kind on a parent of the test's own.
class LabelPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = new TestWindow("LabelParent", "labels", WS_POPUP | WS_VISIBLE, {0, 0, 300, 100});
  }
  void TearDown() override { delete parent_; }
  // Red columns' extent of a label showing `caption`.
  int RedWidth(const char* caption) {
    HWND label = CreateTextLabel(parent_->hwnd(), 1, 0, 0, 300, 40, caption,
                                 InstructionLabelSettings());
    ShowWindow(label, SW_SHOWNA);
    UpdateWindow(label);
    PumpMessages(20);
    int w = 0, h = 0;
    const std::vector<uint32_t> px = CaptureClient(label, &w, &h);
    int left = w, right = -1;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (px[static_cast<size_t>(y) * w + x] != Rgb(GetSysColor(COLOR_BTNFACE))) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
      }
    }
    DestroyWindow(label);
    return right < 0 ? 0 : right - left + 1;
  }
  TestWindow* parent_ = nullptr;
};

TEST_F(LabelPixels, AmpersandIsDrawnAsItIs) {
  HDC dc = GetDC(parent_->hwnd());
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE withAmpersand, without;
  GetTextExtentPoint32A(dc, "A&B", 3, &withAmpersand);
  GetTextExtentPoint32A(dc, "AB", 2, &without);
  SelectObject(dc, old);
  ReleaseDC(parent_->hwnd(), dc);
  ASSERT_GT(withAmpersand.cx, without.cx + 2);

  const int drawn = RedWidth("A&B");
  EXPECT_NEAR(withAmpersand.cx, drawn, 2);
  EXPECT_GT(drawn, RedWidth("AB") + 2);
  EXPECT_EQ(0, RedWidth(""));  // an empty caption: background only
}

TEST_F(LabelPixels, EmptyClipBoxDrawsNothing) {
  HWND label = CreateTextLabel(parent_->hwnd(), 1, 0, 0, 200, 40, "text",
                               InstructionLabelSettings());
  TextLabel* state = TextLabelFromWindow(label);
  ASSERT_NE(nullptr, state);
  struct Case { RECT clip; bool drawn; };
  for (const Case& c : {Case{{0, 0, 0, 0}, false}, Case{{0, 0, 200, 40}, true}}) {
    HDC screen = GetDC(label);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 40);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    const RECT all = {0, 0, 200, 40};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(memory, &all, green);
    DeleteObject(green);
    HRGN clip = CreateRectRgnIndirect(&c.clip);
    SelectClipRgn(memory, clip);
    DeleteObject(clip);

    PaintTextLabel(*state, memory);
    SelectClipRgn(memory, nullptr);
    EXPECT_EQ(c.drawn ? GetSysColor(COLOR_BTNFACE) : RGB(0, 255, 0), GetPixel(memory, 199, 0));

    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(label, screen);
  }
  DestroyWindow(label);
}

TEST(PictureDestination, ByDisplayMode) {
  const RECT client = {0, 0, 168, 112};
  struct Case { int mode, w, h; RECT expected; };
  const Case cases[] = {
      {kPictureNatural, 200, 200, {0, 0, 200, 200}},
      {kPictureStretched, 200, 200, {0, 0, 168, 112}},
      {kPictureCentred, 200, 200, {28, 0, 140, 112}},   // shrunk to 112 x 112
      {kPictureCentred, 40, 20, {64, 46, 104, 66}},     // small: centred as it is
      {kPictureCentred, 336, 56, {0, 42, 168, 70}},     // wide: shrunk to 168 x 28
  };
  for (const Case& c : cases) {
    const RECT r = PictureDestination(c.mode, c.w, c.h, client);
    EXPECT_EQ(c.expected.left, r.left) << c.mode << " " << c.w;
    EXPECT_EQ(c.expected.top, r.top) << c.mode << " " << c.w;
    EXPECT_EQ(c.expected.right, r.right) << c.mode << " " << c.w;
    EXPECT_EQ(c.expected.bottom, r.bottom) << c.mode << " " << c.w;
  }
}

TEST(PictureBox, UndecodableStreamShowsTheBackgroundOnly) {
  TestWindow parent("PictureParent", "pictures", WS_POPUP | WS_VISIBLE, {0, 0, 300, 200});
  const unsigned char notJpeg[] = "not a picture at all";
  PictureBoxSettings settings = {RGB(10, 20, 30), kPictureNatural, notJpeg, sizeof(notJpeg)};
  HWND box = CreatePictureBox(parent.hwnd(), 1, 0, 0, 50, 40, settings);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(nullptr, PictureBoxFromWindow(box)->picture);
  ShowWindow(box, SW_SHOWNA);
  UpdateWindow(box);
  int w = 0, h = 0;
  for (uint32_t p : CaptureClient(box, &w, &h)) ASSERT_EQ(0x0A141Eu, p);
  EXPECT_EQ(50 * 40, w * h);
}

// 13 pixels make 39-byte rows: the bitmap's rows are padded to 40 bytes, and
// any slip in the padding shears the picture row by row.
TEST(PictureBox, RowsNotAMultipleOfFourBytesAreDrawnExactly) {
  TestWindow parent("PictureParent", "pictures", WS_POPUP | WS_VISIBLE, {0, 0, 300, 200});
  auto picture = DecodePicture(kOddWidthJpeg, kOddWidthJpeg_size);
  ASSERT_NE(nullptr, picture);
  ASSERT_EQ(13, picture->width);
  ASSERT_EQ(7, picture->height);
  PictureBoxSettings settings = {RGB(10, 20, 30), kPictureNatural, kOddWidthJpeg, kOddWidthJpeg_size};
  HWND box = CreatePictureBox(parent.hwnd(), 1, 0, 0, 20, 10, settings);
  ASSERT_NE(nullptr, box);
  ShowWindow(box, SW_SHOWNA);
  UpdateWindow(box);
  int w = 0, h = 0;
  const std::vector<uint32_t> px = CaptureClient(box, &w, &h);
  ASSERT_EQ(20, w);
  ASSERT_EQ(10, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t expected = x < 13 && y < 7 ? PictureRgb(*picture, x, y) : 0x0A141Eu;
      ASSERT_EQ(expected, px[static_cast<size_t>(y) * w + x]) << x << "," << y;
    }
  }
}

TEST(GdiObjects, ThousandPaintsOfEachControlLeakNone) {
  ASSERT_TRUE(CreateMainWindow());
  HWND main = MainWindowHandle();
  UpdateWindow(main);
  PumpMessages(20);
  const int before = CountGdiObjects();
  for (int id : {kPictureBox1Id, kLabel1Id, kAnimationBox1Id}) {
    HWND control = MainWindowControl(id);
    for (int i = 0; i < 1000; ++i) {
      InvalidateRect(control, nullptr, FALSE);
      UpdateWindow(control);
    }
  }
  for (int i = 0; i < 1000; ++i) {
    InvalidateRect(main, nullptr, TRUE);
    UpdateWindow(main);
  }
  EXPECT_EQ(before, CountGdiObjects());
  EXPECT_GT(before, 10);
  DestroyWindow(main);
}

}  // namespace

namespace {

// The label turns the default colour into a brush at every paint, the
// picture box once, at creation.
TEST(DefaultColour, LabelFollowsAButtonFaceChangePictureBoxKeepsItsBrush) {
  TestWindow parent("ColourParent", "colours", WS_POPUP | WS_VISIBLE, {0, 0, 300, 100});
  const unsigned char none[] = "no picture";
  HWND box = CreatePictureBox(parent.hwnd(), 1, 0, 0, 50, 40,
                              {kDefaultColor, kPictureNatural, none, sizeof(none)});
  HWND label = CreateTextLabel(parent.hwnd(), 2, 100, 0, 50, 40, "", InstructionLabelSettings());
  ShowWindow(box, SW_SHOWNA);
  ShowWindow(label, SW_SHOWNA);
  const COLORREF before = GetSysColor(COLOR_BTNFACE);
  const int element = COLOR_BTNFACE;
  const COLORREF changed = RGB(1, 2, 3);
  ASSERT_TRUE(SetSysColors(1, &element, &changed));
  RedrawWindow(parent.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const uint32_t labelPixel = Rgb(ClientPixel(label, 10, 10));
  const uint32_t boxPixel = Rgb(ClientPixel(box, 10, 10));
  SetSysColors(1, &element, &before);
  EXPECT_EQ(0x010203u, labelPixel);
  EXPECT_EQ(Rgb(before), boxPixel);
}

}  // namespace
