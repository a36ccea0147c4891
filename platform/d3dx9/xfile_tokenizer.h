// Tokens of the text .x format: words (names and numbers), quoted strings,
// braces, the separators ',' and ';', and <GUID>s. Comments ('//' and '#'
// to the end of the line) and white space are dropped.
#pragma once
#include <cstddef>
#include <string_view>

enum class XTokenKind { End, Word, String, Open, Close, Comma, Semicolon, Guid, Bad };

struct XToken {
  XTokenKind kind;
  std::string_view text;  // a word, a string without its quotes, a GUID without <>
};

class XFileTokenizer {
 public:
  explicit XFileTokenizer(std::string_view text) : text_(text) {}
  XToken Next();
  XToken Peek();
  // Bytes not yet read: no count in the file can ask for more items than this.
  std::size_t Remaining() const { return text_.size() - position_; }

 private:
  void SkipSpaceAndComments();

  std::string_view text_;
  std::size_t position_ = 0;
};
