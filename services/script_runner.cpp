#include "services/script_runner.h"

namespace zarn {
namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Index just past the quoted text that opens at `open`, or the end.
size_t SkipQuoted(std::string_view s, size_t open) {
  const char quote = s[open];
  for (size_t i = open + 1; i < s.size(); ++i) {
    if (s[i] == '\\' && quote != '`') {
      ++i;
    } else if (s[i] == quote) {
      return i + 1;
    }
  }
  return s.size();
}

// Index just past the comment that opens at `at`, or `at` itself when no
// comment opens there.
size_t SkipComment(std::string_view s, size_t at) {
  const auto next = [&](size_t i) { return i + 1 < s.size() ? s[i + 1] : '\0'; };
  const bool line_comment =
      s[at] == '#' || (s[at] == '-' && next(at) == '-' &&
                       (at + 2 == s.size() || s[at + 2] == ' ' || s[at + 2] == '\t' || s[at + 2] == '\n' ||
                        s[at + 2] == '\r'));
  if (line_comment) {
    const size_t end = s.find('\n', at);
    return end == std::string_view::npos ? s.size() : end + 1;
  }
  if (s[at] == '/' && next(at) == '*') {
    const size_t end = s.find("*/", at + 2);
    return end == std::string_view::npos ? s.size() : end + 2;
  }
  return at;
}

}  // namespace

std::vector<std::string> SplitSqlStatements(std::string_view script) {
  std::vector<std::string> statements;
  const auto add = [&](std::string_view piece) {
    piece = Trim(piece);
    if (!piece.empty()) statements.emplace_back(piece);
  };
  size_t start = 0;
  size_t i = 0;
  while (i < script.size()) {
    const char c = script[i];
    if (c == '\'' || c == '"' || c == '`') {
      i = SkipQuoted(script, i);
    } else if (const size_t past = SkipComment(script, i); past != i) {
      i = past;
    } else if (c == ';') {
      add(script.substr(start, i - start));
      start = ++i;
    } else {
      ++i;
    }
  }
  add(script.substr(start));
  return statements;
}

std::string TScriptRunner::Text() const {
  std::string text;
  for (const std::string& line : lines_) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

// A script that fails inside its BEGIN must not leave the transaction open on
// the session: the next BEGIN, or any later statement that commits, would
// make its delete final without the insert, and its row locks would hold
// other workstations until the session ends. With no transaction open the
// rollback changes nothing; on a session the server dropped there is nothing
// left to roll back.
void TScriptRunner::RollBackOpenTransaction() {
  if (!connection_.Connected()) return;
  try {
    connection_.Execute("ROLLBACK");
  } catch (const EServerError&) {
  }
}

void TScriptRunner::Execute() {
  const std::vector<std::string> statements = SplitSqlStatements(Text());
  for (size_t index = 0; index < statements.size(); ++index) {
    try {
      connection_.Execute(statements[index]);
    } catch (const EServerError& error) {
      RollBackOpenTransaction();
      if (OnError) OnError(*this, static_cast<int>(index), error);
      lines_.clear();
      throw;
    }
  }
  lines_.clear();
}

}  // namespace zarn
