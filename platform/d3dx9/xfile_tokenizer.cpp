#include "platform/d3dx9/xfile_tokenizer.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

bool EndsWord(char c) {
  return IsSpace(c) || c == '{' || c == '}' || c == ',' || c == ';' || c == '"' || c == '<' ||
         c == '#' || c == '/';
}

}  // namespace

void XFileTokenizer::SkipSpaceAndComments() {
  while (position_ < text_.size()) {
    char c = text_[position_];
    bool lineComment = c == '#' || (c == '/' && position_ + 1 < text_.size() && text_[position_ + 1] == '/');
    if (IsSpace(c)) {
      ++position_;
    } else if (lineComment) {
      while (position_ < text_.size() && text_[position_] != '\n') ++position_;
    } else {
      return;
    }
  }
}

XToken XFileTokenizer::Peek() {
  std::size_t saved = position_;
  XToken token = Next();
  position_ = saved;
  return token;
}

XToken XFileTokenizer::Next() {
  SkipSpaceAndComments();
  if (position_ >= text_.size()) return {XTokenKind::End, {}};
  std::size_t start = position_;
  char c = text_[position_++];
  switch (c) {
    case '{': return {XTokenKind::Open, text_.substr(start, 1)};
    case '}': return {XTokenKind::Close, text_.substr(start, 1)};
    case ',': return {XTokenKind::Comma, text_.substr(start, 1)};
    case ';': return {XTokenKind::Semicolon, text_.substr(start, 1)};
    case '"':
    case '<': {
      char close = c == '"' ? '"' : '>';
      std::size_t end = text_.find(close, position_);
      if (end == std::string_view::npos) {
        position_ = text_.size();
        return {XTokenKind::Bad, {}};
      }
      position_ = end + 1;
      return {c == '"' ? XTokenKind::String : XTokenKind::Guid, text_.substr(start + 1, end - start - 1)};
    }
    case '/':  // a lone slash: not part of any token of the format
      return {XTokenKind::Bad, text_.substr(start, 1)};
    default:
      while (position_ < text_.size() && !EndsWord(text_[position_])) ++position_;
      return {XTokenKind::Word, text_.substr(start, position_ - start)};
  }
}
