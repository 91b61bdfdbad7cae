// The engine's error table: integer codes 0-61 with fixed English messages.
// The handle layer reports every outcome as one of these codes; only the
// dataset layer turns a non-zero code into an exception.
#pragma once

namespace zarn {

// The codes that the DBF implementation produces. The remaining codes of the
// table are reserved for other implementations of the table API.
enum DbfErrorCode : int {
  kDbfOk = 0,
  kDbfCannotOpen = 2,
  kDbfCannotSeek = 3,
  kDbfCannotRead = 4,
  kDbfCannotWrite = 6,
  kDbfRecordNotFound = 15,
  kDbfRecordDeleted = 19,
  kDbfReadOnly = 20,
  kDbfTableBusy = 24,
  kDbfBeginOfFile = 29,
  kDbfEndOfFile = 30,
  kDbfEndOfBlob = 32,
  kDbfCrypted = 40,
  kDbfInvalidHandle = 42,
  kDbfInvalidParameter = 45,
  kDbfInvalidFile = 48,
  kDbfInvalidFieldType = 54,
  kDbfInvalidExpression = 58,
};

constexpr int kDbfLastErrorCode = 61;

// The message of (code AND 0x7F); empty text for 0 and for codes past the
// table.
const char* DbfErrorMessage(int code);

}  // namespace zarn
