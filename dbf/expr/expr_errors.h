// The platform's floating-point errors. Evaluating an expression raises them
// for a division by zero and for results that are no number; every other
// fault of an expression gives the error value instead.
#pragma once

#include <stdexcept>

namespace zarn {

class EMathError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EInvalidOp : public EMathError {
 public:
  EInvalidOp() : EMathError("Invalid floating point operation") {}
};

class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("Floating point overflow") {}
};

}  // namespace zarn
