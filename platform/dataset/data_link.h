// TDataLink: how a control or a model follows a dataset. The dataset sends
// each link its data events (record moved, field changed, state changed …)
// unless its controls are disabled; a link writes pending edits back when the
// dataset asks for deUpdateRecord.
#pragma once

namespace zarn {

class TDataSet;
class TField;

enum TDataEvent {
  deFieldChange,      // field: the field whose value changed
  deRecordChange,     // the current record's values changed (edit, cancel)
  deDataSetChange,    // the rows may all have changed (open, post, delete, sort)
  deDataSetScroll,    // another record became current
  deLayoutChange,     // fields appeared, disappeared or changed visibility
  deUpdateRecord,     // write pending edits into the fields now
  deUpdateState,      // the dataset's state changed (also open and close)
  deCheckBrowseMode,  // the dataset is about to leave the record
};

class TDataLink {
 public:
  TDataLink() = default;
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;
  virtual ~TDataLink();

  // Attaches the link to a dataset (nullptr detaches it).
  void SetDataSet(TDataSet* dataset);
  TDataSet* DataSet() const { return dataset_; }

  // field is set for deFieldChange only.
  virtual void DataEvent(TDataEvent event, TField* field) = 0;

 private:
  friend class TDataSet;
  TDataSet* dataset_ = nullptr;
};

}  // namespace zarn
