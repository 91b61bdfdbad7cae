// Copying the current record of one dataset into the current record of
// another, of any kinds: the rule behind the memory table's
// AssignRecordValues and the shared KopirujZaznam.
#pragma once

namespace zarn {

class TDataSet;

// The target must be in edit, insert or set-key state, else "Dataset not in
// edit or insert mode" is raised before anything is written. By name: every
// source field whose name the target has (compared without regard to case)
// sets that target field to its value, passed as a Variant so that the types
// convert; other fields are left alone. By position: for i below the smaller
// of the two definition counts, the target field named by its i-th
// definition gets the value of the source field named by the source's i-th
// definition, when both fields exist. The target is neither posted nor moved.
void CopyRecordValues(TDataSet& source, TDataSet& target, bool by_name);

}  // namespace zarn
