// TDsCustomIndex is the abstract table API's index: a descriptor with an
// entry count and a list of 6-byte entries. The API reserves it for table
// formats that keep indexes; no operation of the engine creates, reads or
// writes one, and records are always visited in physical order. It therefore
// declares no operations: a format that needs indexes adds them here first.
#pragma once

namespace zarn {

class TDsCustomIndex {
 public:
  virtual ~TDsCustomIndex() = default;

 protected:
  TDsCustomIndex() = default;
  TDsCustomIndex(const TDsCustomIndex&) = default;
  TDsCustomIndex& operator=(const TDsCustomIndex&) = default;
};

}  // namespace zarn
