// TWaitCursor: the database-wait pointer around server and file work. The
// pointer shows while the object lives (or until Restore), so an error that
// abandons the work cannot leave the wait pointer behind.
#pragma once

namespace zarn {

class TWaitCursor {
 public:
  TWaitCursor();
  ~TWaitCursor();
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

  // Shows the normal pointer again before the end of the scope; later calls
  // do nothing.
  void Restore();

 private:
  bool active_ = true;
};

}  // namespace zarn
