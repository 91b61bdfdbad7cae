// TFormStorage: keeps chosen control properties of a window in an INI file.
// The section is the window's class name, the key is the control's name, an
// underscore and the property's name ("EditIP_Text"), and the value is the
// property as text (check boxes "True" or "False"). Installed on a window, it
// puts the stored values back into the controls when the window is shown,
// before the window's own show handling runs, and writes them when the window
// is hidden (closed).
#pragma once

#include <QObject>
#include <string>
#include <vector>

class QWidget;

namespace zarn {

class TFormStorage : public QObject {
  Q_OBJECT

 public:
  // `form` owns the storage. The section is the class name of `form` without
  // its namespace ("TForm1"); `ini_file_name` is opened relative to the
  // working folder.
  explicit TFormStorage(QWidget* form, std::string ini_file_name = "zarn.ini");

  const std::string& IniFileName() const { return ini_file_name_; }
  const std::string& IniSection() const { return section_; }
  void SetIniSection(std::string section) { section_ = std::move(section); }

  // The stored properties, each "ControlName.Property". The properties are
  // "Text" (line edits, combo boxes, plain text boxes), "Checked" (check boxes
  // and other checkable buttons) and "Caption" (labels, buttons, group boxes).
  std::vector<std::string> StoredProps;
  // Also keep the window's position (keys "Left" and "Top") and, for a window
  // that can be resized, its size ("Width", "Height").
  bool StorePlacement = false;

  // Reads every stored property into its control; a key that is absent leaves
  // the control as it is. Texts are Windows-1250 in the file.
  void RestoreFormPlacement();
  // Writes every stored property. Returns false when the file cannot be written.
  bool SaveFormPlacement();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* form_;
  std::string ini_file_name_;
  std::string section_;
};

// The key under which a control's property is stored: "EditIP" and "Text"
// give "EditIP_Text".
std::string StorageKey(const std::string& control, const std::string& property);

}  // namespace zarn
