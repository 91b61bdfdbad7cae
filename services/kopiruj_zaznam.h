// KopirujZaznam: copies the current record of one dataset into the current
// record of another, of any kinds (the register fills its edit buffer from a
// server row with it).
#pragma once

namespace zarn {

class TDataSet;

// The target must be in edit, insert or set-key state, else "Dataset not in
// edit or insert mode" is raised and nothing is written. By name (by_name
// true): every source field whose name the target has, compared without
// regard to case, sets that target field; other target fields stay as they
// are. By position: the i-th definitions of both sides are paired over the
// smaller count, and a pair is copied when both have a field. Values pass
// as Variants, so the types convert. The target is neither posted nor moved.
void KopirujZaznam(TDataSet& source, TDataSet& target, bool by_name);

}  // namespace zarn
