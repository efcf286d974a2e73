#pragma once

#include <QLabel>
#include <QTextBrowser>
#include <QToolButton>
#include <QWidget>

namespace Strata {

// The help window: one topic at a time from the help folder, its links followed in place, with
// Back and Forward through the topics read.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow(const QString& folder, QWidget* parent);

  // Shows a topic ("tsl_tableview"); a missing one shows the program's topic and says so.
  void ShowTopic(const std::string& topic);
  void SetFolder(const QString& folder) { folder_ = folder; }
  QTextBrowser* Browser() const { return browser_; }
  QLabel* Note() const { return note_; }

 private:
  QString folder_;
  QLabel* note_;
  QTextBrowser* browser_;
  QToolButton* back_;
  QToolButton* forward_;
};

}  // namespace Strata
