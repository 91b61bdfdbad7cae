// The tokenizer of the expression language: turns an expression text into
// the list of tokens that the compiler reads. Names are resolved here, once,
// against the field source and the function registry.
#pragma once

#include <string_view>
#include <vector>

#include "dbf/expr/expr_value.h"
#include "dbf/expr/field_source.h"
#include "dbf/expr/function_registry.h"

namespace zarn {

// Reads `text` left to right and returns its tokens followed by one end token
// (ekEnd). Punctuation and operators give their kind; "<=", "<>", ">=" and
// "!=" are one token; a lone '!' gives ekInvalid. A '-' that is the first
// character, follows '<', '=', '>' or ',', or follows the '(' of a function
// call is a sign: glued to the digits after it, it makes a negative number
// literal. Every other '-' gives the minus token, which has no meaning as an
// operand, so «-X» is the error value rather than X. Digits and points make an integer, or with a point a float
// (read with "." whatever the locale); a number that does not convert gives
// an end token. Quotes enclose a text, with no escape, cut to 255 bytes.
// A name is TRUE, FALSE, NULL, a keyword (AND OR XOR NOT), a field of
// `fields` or a function of `functions`, tried in this order ignoring case;
// a name that is none of them gives an end token. Every other character is
// skipped.
std::vector<TExprValue> TokenizeExpression(std::string_view text, const TExprFieldSource& fields,
                                           const TExprFunctionRegistry& functions);

}  // namespace zarn
