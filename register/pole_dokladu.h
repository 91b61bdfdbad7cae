// TPoleDokladu binds one control of the record form to one field of the edit
// buffer, as a data-aware edit does: the control shows the field of the
// current record, and what the person typed is written into the field when
// the control is left or the buffer posts. Line edits, editable combo boxes
// and date edits are supported.
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "platform/dataset/data_link.h"

class QWidget;

namespace zarn {

class TDataSet;
class TField;

class TPoleDokladu : public QObject, public TDataLink {
  Q_OBJECT

 public:
  // The control owns the binding.
  TPoleDokladu(QWidget* control, std::string field_name);

  QWidget* Control() const { return control_; }
  const std::string& FieldName() const { return field_name_; }
  // The bound field of the attached dataset, or null.
  TField* Field() const;

  // Shows the field's value in the control (empty without a record).
  void Nacti();
  // Writes the control's text into the field when it differs, putting a
  // browsing buffer into edit mode first. A text the field cannot take is reported in the
  // shared box, stays in the control, which takes the focus back, and false
  // comes back.
  bool Zapis();

  // Called when the control was left and its value written: the form's
  // Exit handlers.
  std::function<void()> OnExit;

  void DataEvent(TDataEvent event, TField* field) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::string ControlText() const;
  // Zapis without the report: raises what the field raises.
  void Uloz();
  void RefuseUnfinishedNumber(const std::string& text) const;
  void Opustena();

  QWidget* control_;
  std::string field_name_;
  bool writing_ = false;
};

}  // namespace zarn
