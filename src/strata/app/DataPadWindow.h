#pragma once

#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

#include "strata/recording/Host.h"

namespace Strata {

// The Data Pad: the rows analyses add, kept up to date as they come, to copy into a spreadsheet,
// save as CSV, or clear. Copying and saving go through the host's clipboard and file chooser.
class DataPadWindow : public QWidget {
  Q_OBJECT

 public:
  DataPadWindow(Host& host, QWidget* parent);
  ~DataPadWindow() override;

  QTableWidget* Table() const { return table_; }
  void Copy();
  // Asks for a file and saves the rows there as CSV; false when cancelled or after a message.
  bool SaveAsCsv();
  // Clears the rows once the user agreed.
  void ClearRows();

 private:
  void Fill();
  void Tell(const std::string& text, const std::string& caption);

  Host& host_;
  QTableWidget* table_;
  QPushButton* copy_;
  QPushButton* save_;
  QPushButton* clear_;
};

}  // namespace Strata
