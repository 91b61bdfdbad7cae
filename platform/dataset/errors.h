// The exceptions of the dataset framework and the hook through which errors
// met during internal dataset work reach the application's error display.
#pragma once

#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zarn {

// A database error: the message is the engine's or the framework's text,
// shown to the user as it stands.
class EDatabaseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The cursor of a dataset could not be created ("Error creating cursor handle").
class ENoResultSet : public EDatabaseError {
 public:
  using EDatabaseError::EDatabaseError;
};

// A text or value that cannot be converted to the type asked for.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A variant that cannot be converted to the type asked for.
class EVariantError : public EConvertError {
 public:
  using EConvertError::EConvertError;
};

// The silent exception: abandons the running action without a message.
class EAbort : public std::exception {
 public:
  const char* what() const noexcept override { return "Operation aborted"; }
};

// Replaces each "%s" of the pattern, left to right, with the next argument.
std::string FormatMessage(std::string_view pattern, std::initializer_list<std::string_view> args);

[[noreturn]] void DatabaseError(std::string_view message);
[[noreturn]] void DatabaseErrorFmt(std::string_view pattern, std::initializer_list<std::string_view> args);

// The application's exception handler: the windows install one that shows the
// message; until then errors are written to standard error. EAbort is never
// shown.
using TExceptionHandler = std::function<void(const std::exception&)>;
void SetApplicationExceptionHandler(TExceptionHandler handler);
void HandleApplicationException(const std::exception& error);
// Passes the exception being handled (inside a catch block) to the handler.
void HandleCurrentException();

}  // namespace zarn
