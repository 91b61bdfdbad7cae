// TStartDialogTar: the splash of a program. A component owned by a window; on
// Zobraz it shows a borderless stay-on-top window centred on the screen with
// a picture and up to three lines of text drawn onto it, and on Zmiz it closes
// the window again (and, with FreeOnClose, deletes itself).
#pragma once

#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <functional>
#include <string>

class QFrame;

namespace zarn {

// The bevel around the picture; any frame makes the window 4 pixels wider and
// 4 pixels higher than the picture.
enum class TRamecek { None, Lowered, Raised };

class TStartDialogTar : public QObject {
  Q_OBJECT

 public:
  explicit TStartDialogTar(QObject* owner = nullptr);
  ~TStartDialogTar() override;

  QPixmap Bitmap;  // background; the window takes its size
  TRamecek Ramecek = TRamecek::None;
  std::string Text1;  // Windows-1250; Tahoma 25 point bold
  std::string Text2;  // Windows-1250; Tahoma 15 point regular
  // Positions of the two lines (top left corner of the text). An x of 0
  // right-aligns the line 20 pixels from the picture's right edge.
  int Text1x = 0, Text1y = 0;
  int Text2x = 0, Text2y = 0;
  QColor Text1Color = Qt::blue;
  QColor Text2Color = Qt::blue;
  // Also draw "Verze" and the program version at (12, 10), Tahoma 7 point,
  // in Text1Color.
  bool Vypisverze = false;
  // The version text of the running program; the build's version unless set.
  std::string Verze;
  bool FreeOnClose = true;  // delete the component when the splash closes
  bool AutoZmiz = false;    // close by itself once the application is idle
  std::function<void()> OnClose;  // called just before the window closes

  // Builds and shows the window at once (painted before returning). With
  // AutoZmiz the window closes by itself as soon as the event loop has no
  // input waiting.
  void Zobraz();
  // Closes the window (nothing happens with AutoZmiz set): calls OnClose when
  // set, deletes the window, and with FreeOnClose deletes the component later
  // in the event loop after taking it from its owner.
  void Zmiz();

  // The picture with the texts drawn onto it, as the window shows it.
  QPixmap SlozenyObraz() const;
  // The splash window while it is shown, else null.
  QWidget* Okno() const;

 private:
  void ZavriOkno();

  QPointer<QFrame> window_;
};

}  // namespace zarn
