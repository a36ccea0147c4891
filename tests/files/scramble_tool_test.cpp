#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "files/scrambling.h"
#include "tests/files/temp_folder.h"

namespace {

int RunTool(const std::string& arguments) {
  const std::string command = std::string(SCRAMBLE_TOOL) + " " + arguments + " 2>/dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Scrambled(std::string line) {
  ScrambleText(line.data());
  return line;
}

}  // namespace

TEST(ScrambleTool, EncodesLineByLineAsTheGameReadsAndDecodesBack) {
  TempFolder folder;
  const std::string plain = folder.File("map1.txt");
  const std::string map = folder.File("map1.mn");
  const std::string back = folder.File("back.txt");
  WriteWholeFile(plain, "<TYPE>BALL</TYPE>\t<NAME>b1</NAME>\r\n\n<TYPE>PLANE</TYPE>");

  ASSERT_EQ(RunTool("encode " + plain + " " + map), 0);
  EXPECT_EQ(ReadWholeFile(map),
            Scrambled("<TYPE>BALL</TYPE>\t<NAME>b1</NAME>") + "\n\n" + Scrambled("<TYPE>PLANE</TYPE>") + "\n");
  ASSERT_EQ(RunTool("decode " + map + " " + back), 0);
  EXPECT_EQ(ReadWholeFile(back), "<TYPE>BALL</TYPE>\t<NAME>b1</NAME>\n\n<TYPE>PLANE</TYPE>\n");
}

TEST(ScrambleTool, RefusesWhatCannotBeStoredAndBadArguments) {
  TempFolder folder;
  const std::string plain = folder.File("bad.txt");
  const std::string out = folder.File("bad.mn");
  WriteWholeFile(plain, "<TYPE>BALL</TYPE>\n<NAME>\xFF</NAME>\n");
  EXPECT_EQ(RunTool("encode " + plain + " " + out), 1);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(RunTool("decode " + folder.File("missing.mn") + " " + out), 1);
  EXPECT_EQ(RunTool("shuffle " + plain + " " + out), 2);
  EXPECT_EQ(RunTool("encode " + plain), 2);
}
