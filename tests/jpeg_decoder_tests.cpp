// Decoding the stored picture and streams that must leave no picture.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/test_support.h"
#include "ui/jpeg_decoder.h"
#include "ui/picture_box.h"

extern const unsigned char kGreyJpeg[];
extern const size_t kGreyJpeg_size;

namespace {

std::vector<unsigned char> Stored() {
  return std::vector<unsigned char>(kStoredPicture, kStoredPicture + kStoredPicture_size);
}

// Blue, green, red of pixel (x, y), y counted from the top of the picture.
std::vector<int> BgrAt(const DecodedPicture& p, int x, int y) {
  const uint8_t* px = p.pixels.get() + (static_cast<size_t>(p.height - 1 - y) * p.width + x) * 3;
  return {px[0], px[1], px[2]};
}

// The offset of the first marker segment `marker` before the scan, or npos.
size_t FindSegment(const std::vector<unsigned char>& jpeg, unsigned char marker) {
  size_t pos = 2;
  while (pos + 4 <= jpeg.size() && jpeg[pos] == 0xFF && jpeg[pos + 1] != 0xDA) {
    if (jpeg[pos + 1] == marker) return pos;
    pos += 2 + (jpeg[pos + 2] << 8 | jpeg[pos + 3]);
  }
  return std::string::npos;
}

TEST(StoredPicture, IsABaselineJpegWithoutAJfifIdentifier) {
  const std::vector<unsigned char> jpeg = Stored();
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(0xFF, jpeg[0]);
  EXPECT_EQ(0xD8, jpeg[1]);
  EXPECT_EQ(0xFF, jpeg[jpeg.size() - 2]);
  EXPECT_EQ(0xD9, jpeg[jpeg.size() - 1]);
  EXPECT_EQ(std::string::npos, std::string(jpeg.begin(), jpeg.end()).find("JFIF"));

  // APP0 first: length 16, 14 bytes of text; then Exif APP1 of length 198.
  ASSERT_EQ(2u, FindSegment(jpeg, 0xE0));
  EXPECT_EQ(16, jpeg[4] << 8 | jpeg[5]);
  EXPECT_EQ("CF window tool", std::string(jpeg.begin() + 6, jpeg.begin() + 20));
  ASSERT_EQ(20u, FindSegment(jpeg, 0xE1));
  EXPECT_EQ(198, jpeg[22] << 8 | jpeg[23]);
  EXPECT_EQ(0, std::memcmp(&jpeg[24], "Exif\0\0", 6));

  // SOF0: 8-bit, 200 x 200, three components sampled 1x1.
  const size_t sof = FindSegment(jpeg, 0xC0);
  ASSERT_NE(std::string::npos, sof);
  EXPECT_EQ(8, jpeg[sof + 4]);
  EXPECT_EQ(200, jpeg[sof + 5] << 8 | jpeg[sof + 6]);
  EXPECT_EQ(200, jpeg[sof + 7] << 8 | jpeg[sof + 8]);
  ASSERT_EQ(3, jpeg[sof + 9]);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(0x11, jpeg[sof + 11 + 3 * c]) << c;
}

TEST(StoredPicture, DecodesTo200By200BottomUpBgr) {
  auto picture = DecodePicture(kStoredPicture, kStoredPicture_size);
  ASSERT_NE(nullptr, picture);
  EXPECT_EQ(200, picture->width);
  EXPECT_EQ(200, picture->height);
  // Expected values as libjpeg-turbo decodes them (red, green, blue given
  // here in the file's order reversed: blue first).
  struct Case { int x, y; std::vector<int> bgr; };
  const Case cases[] = {
      {0, 0, {63, 33, 16}},        // the night sky, top-left
      {128, 52, {57, 60, 255}},    // the crosshair's red centre
      {20, 40, {63, 49, 60}},
      {167, 111, {68, 49, 44}},    // last visible pixel in the window
      {199, 199, {65, 49, 42}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.bgr, BgrAt(*picture, c.x, c.y)) << c.x << "," << c.y;
}

TEST(JpegDecoder, GreyscaleGivesThreeEqualBytesPerPixel) {
  auto picture = DecodePicture(kGreyJpeg, kGreyJpeg_size);
  ASSERT_NE(nullptr, picture);
  ASSERT_EQ(16, picture->width);
  ASSERT_EQ(8, picture->height);
  for (int i = 0; i < 16 * 8; ++i) {
    const uint8_t* px = picture->pixels.get() + 3 * i;
    ASSERT_EQ(px[0], px[1]) << i;
    ASSERT_EQ(px[0], px[2]) << i;
  }
  // A black-to-white gradient from the top: the first row in memory is the
  // bottom one.
  EXPECT_EQ(std::vector<int>({0, 0, 0}), BgrAt(*picture, 5, 0));
  EXPECT_EQ(std::vector<int>({255, 255, 255}), BgrAt(*picture, 5, 7));
  EXPECT_EQ(255, picture->pixels[0]);
}

TEST(JpegDecoder, StreamsThatLeaveNoPicture) {
  const std::vector<unsigned char> stored = Stored();
  std::vector<unsigned char> emptyImage = stored;  // SOF0 height 0: libjpeg's error
  const size_t sof = FindSegment(stored, 0xC0);
  emptyImage[sof + 5] = emptyImage[sof + 6] = 0;
  std::vector<unsigned char> badMarker = stored;  // an unknown marker where DQT was
  badMarker[FindSegment(stored, 0xDB) + 1] = 0x01;

  struct Case { const char* name; std::vector<unsigned char> bytes; };
  const Case cases[] = {
      {"empty", {}},
      {"five bytes", {0xFF, 0xD8, 0xFF, 0xE0, 0x00}},
      {"not a JPEG", {'G', 'I', 'F', '8', '9', 'a', 0, 0}},
      {"signature then end", {0xFF, 0xD8, 0xFF, 0xD9, 0x00, 0x00}},
      {"cut in the headers", std::vector<unsigned char>(stored.begin(), stored.begin() + 300)},
      {"zero height", emptyImage},
      {"unknown marker", badMarker},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nullptr, DecodePicture(c.bytes.data(), c.bytes.size())) << c.name;
  }
  EXPECT_EQ(nullptr, DecodePicture(nullptr, 100));
}

TEST(JpegDecoder, StreamCutInTheScanKeepsItsSizeAsLibjpegFillsTheRest) {
  // libjpeg takes a premature end of the entropy data for a warning, not an
  // error, and completes the picture; the box then shows what there is.
  const std::vector<unsigned char> stored = Stored();
  const std::vector<unsigned char> cut(stored.begin(), stored.end() - 2000);
  auto picture = DecodePicture(cut.data(), cut.size());
  ASSERT_NE(nullptr, picture);
  EXPECT_EQ(200, picture->width);
  EXPECT_EQ(200, picture->height);
  EXPECT_EQ(std::vector<int>({63, 33, 16}), BgrAt(*picture, 0, 0));
}

std::vector<unsigned char> ReadTestData(const std::string& name) {
  std::ifstream in(WindowsPath(std::string(CFW_TEST_DATA_DIR) + "/" + name), std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// 65500 x 21858 x 3 bytes is 4,295,097,000: past 2^32, so a 32-bit size_t
// wraps it to 129,704 and the rows would be written far past the buffer.
// On both builds the picture is over the limit and never allocated.
TEST(JpegDecoder, DeclaredSizeThatWrapsA32BitSizeGivesNoPicture) {
  const std::vector<unsigned char> jpeg = ReadTestData("wraps-32bit-65500x21858.jpg");
  ASSERT_EQ(301u, jpeg.size());
  uint32_t width = 0, height = 0;
  ASSERT_TRUE(ReadDeclaredSize(jpeg.data(), jpeg.size(), &width, &height));
  EXPECT_EQ(65500u, width);
  EXPECT_EQ(21858u, height);
  EXPECT_EQ(nullptr, DecodePicture(jpeg.data(), jpeg.size()));
  const unsigned char notJpeg[] = "GIF89a and more";
  EXPECT_FALSE(ReadDeclaredSize(notJpeg, sizeof(notJpeg), &width, &height));
}

// Inputs that once made trouble while fuzzing, replayed: each decodes to no
// picture (too large), promptly and without a crash.
TEST(JpegDecoder, FuzzingRegressionsGiveNoPicture) {
  const std::string dir = WindowsPath(std::string(CFW_TEST_DATA_DIR) + "/fuzz-regressions");
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "\\*.jpg").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, search) << dir;
  int replayed = 0;
  do {
    const std::vector<unsigned char> jpeg = ReadTestData(std::string("fuzz-regressions/") + found.cFileName);
    ASSERT_FALSE(jpeg.empty()) << found.cFileName;
    const DWORD start = GetTickCount();
    EXPECT_EQ(nullptr, DecodePicture(jpeg.data(), jpeg.size())) << found.cFileName;
    EXPECT_LT(GetTickCount() - start, 2000u) << found.cFileName;
    ++replayed;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  EXPECT_GE(replayed, 2);
}

TEST(JpegDecoder, PictureSizeLimit) {
  struct Case { uint64_t width, height; bool fits; };
  const Case cases[] = {
      {1, 1, true},
      {200, 200, true},
      {0, 200, false},
      {200, 0, false},
      {65500, 21858, false},          // wraps a 32-bit size_t
      {65500, 65500, false},
      {4, 178956970, true},           // 12-byte rows: 2,147,483,640 bytes
      {4, 178956971, false},          // 2,147,483,652 bytes
      {13, 53687091, true},           // 39-byte rows padded to 40: 2,147,483,640 bytes
      {13, 53687092, false},          // padded 2,147,483,680; unpadded it would fit
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.fits, FitsPictureLimit(c.width, c.height)) << c.width << " x " << c.height;
  }
}

TEST(JpegDecoder, RecognisesJpegBySizeAndSignature) {
  const unsigned char six[] = {0xFF, 0xD8, 0, 0, 0, 0};
  EXPECT_TRUE(LooksLikeJpeg(six, 6));
  EXPECT_FALSE(LooksLikeJpeg(six, 5));
  const unsigned char swapped[] = {0xD8, 0xFF, 0, 0, 0, 0};
  EXPECT_FALSE(LooksLikeJpeg(swapped, 6));
}

}  // namespace
