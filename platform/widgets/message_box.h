// The shared message box (`dotaz`): every question and notice of the programs
// goes through it, so that tests can answer it without a person.
#pragma once

#include <deque>
#include <string>
#include <vector>

class QWidget;

namespace zarn {

enum class TMsgIcon { Help, Information, Stop, Warning };

// The results a modal window gives back, with the platform's numbers.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrNo = 7 };

// One use of the box: the caller sets the text, one or two buttons with their
// captions and an icon, then calls Execute. All texts are Windows-1250.
class TDotaz {
 public:
  TDotaz();

  std::string Text;
  std::string Titulek;    // window caption, "Tarvol05" unless set
  int PocetTlacitek = 1;  // number of buttons, 1 or 2
  std::string Tlacitko1;  // "OK" unless set
  std::string Tlacitko2;  // "Zpět" unless set
  TMsgIcon Ikona = TMsgIcon::Information;

  // Shows the box modally with its caption, centred on `parent`'s
  // window (on the screen without one). The first button gives mrOk, the
  // second mrNo; Escape or the title bar's close button give mrCancel. While
  // a TScriptedDotaz exists no window opens: the box is recorded and answered
  // from the script.
  TModalResult Execute(QWidget* parent) const;
};

// The application's standard error display: `message` (Windows-1250) in the
// shared box with the stop icon and one button "OK".
void ShowApplicationError(QWidget* parent, const std::string& message);

// What one box would have shown, as a scripted answer records it.
struct TDotazShown {
  std::string text;
  TMsgIcon icon = TMsgIcon::Information;
  std::vector<std::string> buttons;  // captions, in order
};

// While an object of this class lives, every box of the process is answered
// from `answers` in order instead of being shown; once the answers run out a
// box is answered mrCancel, as if the person had closed it. Only one script
// may be active at a time.
class TScriptedDotaz {
 public:
  explicit TScriptedDotaz(std::deque<TModalResult> answers = {});
  ~TScriptedDotaz();
  TScriptedDotaz(const TScriptedDotaz&) = delete;
  TScriptedDotaz& operator=(const TScriptedDotaz&) = delete;

  const std::vector<TDotazShown>& Shown() const { return shown_; }
  size_t AnswersLeft() const { return answers_.size(); }

 private:
  friend class TDotaz;
  TModalResult Answer(const TDotaz& box);

  std::deque<TModalResult> answers_;
  std::vector<TDotazShown> shown_;
};

}  // namespace zarn
