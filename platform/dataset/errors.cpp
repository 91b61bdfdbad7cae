#include "platform/dataset/errors.h"

#include <cstdio>

namespace zarn {
namespace {

TExceptionHandler& InstalledHandler() {
  static TExceptionHandler handler;
  return handler;
}

}  // namespace

std::string FormatMessage(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  auto arg = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && arg != args.end()) {
      out += *arg++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

void DatabaseError(std::string_view message) { throw EDatabaseError(std::string(message)); }

void DatabaseErrorFmt(std::string_view pattern, std::initializer_list<std::string_view> args) {
  throw EDatabaseError(FormatMessage(pattern, args));
}

void SetApplicationExceptionHandler(TExceptionHandler handler) { InstalledHandler() = std::move(handler); }

void HandleApplicationException(const std::exception& error) {
  if (dynamic_cast<const EAbort*>(&error)) return;
  if (InstalledHandler()) InstalledHandler()(error);
  else std::fprintf(stderr, "%s\n", error.what());
}

void HandleCurrentException() {
  try {
    throw;
  } catch (const std::exception& error) {
    HandleApplicationException(error);
  } catch (...) {
    HandleApplicationException(std::runtime_error("Unknown exception"));
  }
}

}  // namespace zarn
