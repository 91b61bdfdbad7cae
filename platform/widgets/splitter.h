// TSplitter: a horizontal splitter bar between an upper and a lower pane,
// steered by its position: the distance of the bar from the top. A position
// equal to (or beyond) the splitter's height puts the bar off the bottom edge,
// so that only the upper pane shows. When the splitter grows or shrinks the
// lower pane keeps its height and the upper pane takes the difference.
#pragma once

#include <QSplitter>

namespace zarn {

class TSplitter : public QSplitter {
  Q_OBJECT

 public:
  // Call SetPanes before setting a position.
  explicit TSplitter(QWidget* parent = nullptr);
  void SetPanes(QWidget* upper, QWidget* lower);

  int Position() const;
  void SetPosition(int pixels);
};

}  // namespace zarn
