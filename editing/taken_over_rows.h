#pragma once

// Rows made from start-up entries that the program took over from the system: deleting one of
// them leaves its entry kept away from the system unless it is given back.
class TakenOverRows {
 public:
  virtual ~TakenOverRows() = default;
  virtual bool IsTakenOver(int row) = 0;
  // Puts the row's entry back where it was and removes the row, telling the user; the list
  // shows the outcome.
  virtual void GiveBackAndRemove(int row) = 0;
  // The row is about to be deleted while its entry stays kept, as the user chose; false when
  // that could not be noted, the error having been shown, and the row must stay.
  virtual bool KeepWithoutRow(int row) = 0;
};
