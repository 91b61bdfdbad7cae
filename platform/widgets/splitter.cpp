#include "platform/widgets/splitter.h"

#include <algorithm>

namespace zarn {

TSplitter::TSplitter(QWidget* parent) : QSplitter(Qt::Vertical, parent) {
  setHandleWidth(4);
  setChildrenCollapsible(false);
  setOpaqueResize(true);
}

void TSplitter::SetPanes(QWidget* upper, QWidget* lower) {
  addWidget(upper);
  addWidget(lower);
  setStretchFactor(0, 1);
  setStretchFactor(1, 0);
}

int TSplitter::Position() const {
  if (count() < 2 || widget(1)->isHidden()) return height();
  return sizes().at(0);
}

void TSplitter::SetPosition(int pixels) {
  if (count() < 2) return;
  if (pixels >= height()) {
    widget(1)->hide();
    return;
  }
  // Showing the lower pane brings its bar back; the splitter must count the
  // bar before the sizes are handed out, or they come out scaled.
  widget(1)->show();
  refresh();
  const int upper = std::max(pixels, 0);
  setSizes({upper, std::max(height() - upper - handleWidth(), 0)});
}

}  // namespace zarn
