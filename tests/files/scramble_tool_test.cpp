#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "files/scrambling.h"
#include "tests/files/temp_folder.h"

namespace {

int RunTool(const std::string& arguments) {
  const int status = std::system((std::string(SCRAMBLE_TOOL) + " " + arguments + " 2>/dev/null").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Scrambled(std::string line) { return ScrambleText(line.data()); }

}  // namespace

TEST(ScrambleTool, EncodesLineByLineAsTheGameReadsDecodesBackAndRefusesBadInput) {
  TempFolder folder;
  const std::string plain = folder.File("map1.txt"), map = folder.File("map1.mn"), back = folder.File("back.txt");
  WriteWholeFile(plain, "<TYPE>BALL</TYPE>\t<NAME>b1</NAME>\r\n\n<TYPE>PLANE</TYPE>");
  ASSERT_EQ(RunTool("encode " + plain + " " + map), 0);
  EXPECT_EQ(ReadWholeFile(map),
            Scrambled("<TYPE>BALL</TYPE>\t<NAME>b1</NAME>") + "\n\n" + Scrambled("<TYPE>PLANE</TYPE>") + "\n");
  ASSERT_EQ(RunTool("decode " + map + " " + back), 0);
  EXPECT_EQ(ReadWholeFile(back), "<TYPE>BALL</TYPE>\t<NAME>b1</NAME>\n\n<TYPE>PLANE</TYPE>\n");

  const std::string bad = folder.File("bad.txt"), out = folder.File("bad.mn");
  WriteWholeFile(bad, "<TYPE>BALL</TYPE>\n<NAME>\xFF</NAME>\n");  // 0xFF would be stored as a newline
  EXPECT_EQ(RunTool("encode " + bad + " " + out), 1);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(RunTool("decode " + folder.File("missing.mn") + " " + out), 1);
  EXPECT_EQ(RunTool("shuffle " + bad + " " + out), 2);
  EXPECT_EQ(RunTool("encode " + bad), 2);
}
