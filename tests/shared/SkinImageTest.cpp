// Decoding skin images with the platform's decoder, and the cache that keeps
// them between paints.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "platform/PortablePath.h"
#include "shared/PlatformUnderTest.h"
#include "shared/TestFolder.h"
#include "skin/SkinImageCache.h"

namespace zr::test {
namespace {

std::string TinyJpeg() { return ReadBytes(SourceTreePath(u"\\tests\\data\\tiny.jpg")); }

TEST(SkinImageDecoding, AJpegBecomesItsPixels) {
  auto decoder = MakeImageDecoderUnderTest();
  const auto image = decoder->Decode(SourceTreePath(u"\\tests\\data\\tiny.jpg"));
  ASSERT_TRUE(image);
  ASSERT_EQ(image->Width(), 3);
  ASSERT_EQ(image->Height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      // Decoders round differently; the file holds one flat red.
      const Rgb p = image->At(x, y);
      EXPECT_NEAR(p.red, 192, 12);
      EXPECT_NEAR(p.green, 48, 12);
      EXPECT_NEAR(p.blue, 48, 12);
    }
}

TEST(SkinImageDecoding, WhatIsNotADecodableImageGivesNothing) {
  TestFolder folder;
  const std::string jpeg = TinyJpeg();
  ASSERT_GT(jpeg.size(), 100u);
  std::string huge = jpeg;  // the frame header claims 65000 x 65000 pixels
  const std::size_t frame = huge.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  huge.replace(frame + 5, 4, "\xFD\xE8\xFD\xE8");
  struct Row {
    const char* what;
    std::string bytes;
  };
  const Row rows[] = {
      {"empty file", ""},
      {"text", "[BUTTONPOS]\r\n0=a,1,2,3,4,b,\r\n"},
      {"cut inside the header", jpeg.substr(0, 20)},
      {"far too many pixels", huge},
  };
  auto decoder = MakeImageDecoderUnderTest();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    WriteBytes(folder.Path(u"image.jpg"), row.bytes);
    EXPECT_FALSE(decoder->Decode(folder.Path(u"image.jpg")));
  }
  EXPECT_FALSE(decoder->Decode(folder.Path(u"absent.jpg")));
  EXPECT_TRUE(decoder->Decode(SourceTreePath(u"\\tests\\data\\tiny.jpg")));  // still works afterwards
}

TEST(SkinImageDecoding, TheFrameHeaderSizeIsReadWithoutDecoding) {
  const std::string jpeg = TinyJpeg();
  const std::size_t frame = jpeg.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  std::string progressive = jpeg;
  progressive[frame + 1] = '\xC2';
  std::string padded = jpeg;  // fill bytes may stand before any marker
  padded.insert(2, "\xFF\xFF");
  std::string stray = jpeg;  // as may bytes that belong to no segment
  stray.insert(frame, "\x32\x00");
  std::string stuffed = jpeg;  // FF 00 is data, however it got there
  stuffed.insert(frame, std::string("\xFF\x00", 2));
  std::string broken = jpeg;  // a segment length below two covers nothing
  broken.insert(frame, std::string("\xFF\xE1\x00\x00", 4));
  struct Row {
    const char* what;
    std::string bytes;
    std::optional<FrameSize> size;
  };
  const Row rows[] = {
      {"baseline", jpeg, FrameSize{3, 2}},
      {"progressive", progressive, FrameSize{3, 2}},
      {"fill bytes", padded, FrameSize{3, 2}},
      {"stray bytes before the frame header", stray, FrameSize{3, 2}},
      {"a stuffed zero before the frame header", stuffed, FrameSize{3, 2}},
      {"a segment with a broken length", broken, FrameSize{3, 2}},
      {"cut before the frame header", jpeg.substr(0, frame), std::nullopt},
      {"cut inside the frame header", jpeg.substr(0, frame + 6), std::nullopt},
      {"not a JPEG", "GIF89a.................", std::nullopt},
      {"only the start marker", "\xFF\xD8", std::nullopt},
      {"a segment length past the end", std::string("\xFF\xD8\xFF\xE0\xFF\xFF", 6), std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(JpegFrameSize(row.bytes), row.size) << row.what;
}

// Makes an image as wide as the file has bytes, so a test sees which
// contents were decoded, and counts the decodes.
class CountingDecoder final : public ImageDecoder {
 public:
  std::optional<RgbImage> Decode(std::u16string_view path) override {
    ++decodes;
    const std::string bytes = ReadBytes(path);
    if (bytes.empty() || bytes[0] == '!') return std::nullopt;
    return RgbImage(static_cast<std::int32_t>(bytes.size()), 1);
  }
  int decodes = 0;
};

class SkinImageCacheTest : public ::testing::Test {
 protected:
  void Write(std::string_view bytes, int secondsAgo) {
    WriteBytes(path, bytes);
    std::filesystem::last_write_time(FilePath(path),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::seconds(secondsAgo));
  }
  TestFolder folder;
  std::u16string path = folder.Path(u"main_normal.jpg");
  CountingDecoder decoder;
  SkinImageCache cache{decoder};
};

TEST_F(SkinImageCacheTest, AnUnchangedFileIsDecodedOnce) {
  Write("abc", 100);
  const auto first = cache.Get(path);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Width(), 3);
  EXPECT_EQ(cache.Get(path), first);
  EXPECT_EQ(cache.Get(path), first);
  EXPECT_EQ(decoder.decodes, 1);
}

TEST_F(SkinImageCacheTest, AReplacedFileIsDecodedAgain) {
  Write("abc", 100);
  const auto first = cache.Get(path);
  Write("xyz", 50);  // same size, newer
  const auto second = cache.Get(path);
  EXPECT_EQ(decoder.decodes, 2);
  ASSERT_TRUE(second);
  EXPECT_NE(second, first);
  EXPECT_EQ(first->Width(), 3);  // a paint still holding the old image keeps it whole

  Write("abcdef", 50);  // same time, other size
  ASSERT_TRUE(cache.Get(path));
  EXPECT_EQ(cache.Get(path)->Width(), 6);
  EXPECT_EQ(decoder.decodes, 3);
}

TEST_F(SkinImageCacheTest, MissingAndUndecodableFilesGiveNothingUntilTheyChange) {
  EXPECT_FALSE(cache.Get(path));
  EXPECT_EQ(decoder.decodes, 0);

  Write("!broken", 100);
  EXPECT_FALSE(cache.Get(path));
  EXPECT_FALSE(cache.Get(path));
  EXPECT_EQ(decoder.decodes, 1);  // not decoded again while unchanged

  Write("fixed!!", 10);
  ASSERT_TRUE(cache.Get(path));
  EXPECT_EQ(decoder.decodes, 2);

  std::filesystem::remove(FilePath(path));
  EXPECT_FALSE(cache.Get(path));
  Write("fixed!!", 10);  // back with the stamp it had before it went
  ASSERT_TRUE(cache.Get(path));
  EXPECT_EQ(decoder.decodes, 3);
}

}  // namespace
}  // namespace zr::test
