#include <gtest/gtest.h>

#include <set>
#include <string>

#include "files/scrambling.h"

namespace {

// Bytes that the game's line reading takes for a terminator, a line end or
// the end of the file.
bool IsSpecialStoredByte(u8 byte) {
  return byte == 0x00 || byte == 0x0A || byte == 0x0D || byte == 0x1A;
}

u8 ScrambleByte(u8 plain) {
  char text[2] = {static_cast<char>(plain), '\0'};
  ScrambleText(text);
  return static_cast<u8>(text[0]);
}

}  // namespace

TEST(Scrambling, NoCharacterOfAMapOrProfileLineIsStoredAsASpecialByte) {
  for (int plain = 0x20; plain <= 0x7E; ++plain) {
    EXPECT_FALSE(IsSpecialStoredByte(ScrambleByte(static_cast<u8>(plain)))) << plain;
    EXPECT_NE(ScrambleByte(static_cast<u8>(plain)), plain);
  }
  EXPECT_FALSE(IsSpecialStoredByte(ScrambleByte('\t')));
}

TEST(Scrambling, OnlyTwoControlCharactersAndTwoNonUtf8BytesAreUnstorable) {
  std::set<int> unstorable;
  for (int plain = 1; plain <= 0xFF; ++plain) {
    if (plain != '\n' && IsSpecialStoredByte(ScrambleByte(static_cast<u8>(plain)))) {
      unstorable.insert(plain);
    }
  }
  EXPECT_EQ(unstorable, (std::set<int>{0x02, 0x0F, 0xF5, 0xFF}));
}

TEST(Scrambling, RoundTripsEveryByteAndLeavesNewlinesAlone) {
  // Left out: 0xF5 is stored as the terminator, 0xFF as a newline.
  std::string text;
  for (int byte = 1; byte < 0xFF; ++byte) {
    if (byte != 0xF5) text += static_cast<char>(byte);
  }
  const std::string plain = text;

  ScrambleText(text.data());
  EXPECT_NE(text, plain);
  EXPECT_EQ(text[0x0A - 1], '\n');
  UnscrambleText(text.data());
  EXPECT_EQ(text, plain);
}

TEST(Scrambling, EmptyTextStaysEmpty) {
  char text[2] = {'\0', 'x'};
  EXPECT_EQ(ScrambleText(text), text);
  EXPECT_EQ(UnscrambleText(text), text);
  EXPECT_EQ(text[0], '\0');
  EXPECT_EQ(text[1], 'x');
}

TEST(Scrambling, AByteBecomingZeroDoesNotShortenTheRun) {
  char text[] = "a\xF5z";
  ScrambleText(text);
  EXPECT_EQ(static_cast<u8>(text[1]), 0);
  EXPECT_EQ(static_cast<u8>(text[2]), static_cast<u8>('z' - ScrambleKey));
  EXPECT_EQ(text[3], '\0');
}
