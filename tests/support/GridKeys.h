#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace Testing {

// The Table View's grid typed into as a person types: a click selects a cell, the first key
// opens its editor with that key, the rest go to the editor, Enter commits. Grid rows and
// columns count the column letters and the row numbers, as the table does.
class GridKeys {
 public:
  // The grid's fixed header rows and scrolling body, found by their names inside grid; window
  // is the window the grid is in.
  GridKeys(QWidget* grid, QWidget* window) : window_(window) {
    for (auto* v : grid->findChildren<QTableView*>()) {
      if (v->accessibleName() == "Table") {
        body_ = v;
      } else if (v->accessibleName() == "Table header rows") {
        header_ = v;
      }
    }
  }

  QTableView* ViewOf(int row) const { return row <= 3 ? header_ : body_; }
  QModelIndex Index(int row, int column) const {
    return body_->model()->index(row - 1, column - 1);
  }
  QPoint At(int row, int column) const {
    return ViewOf(row)->visualRect(Index(row, column)).center();
  }
  QString Text(int row, int column) const { return Index(row, column).data().toString(); }

  void Click(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    // A click gives the grid the keyboard; offscreen, after a closed pop-up, it may not.
    ViewOf(row)->setFocus();
    QTest::mouseClick(ViewOf(row)->viewport(), Qt::LeftButton, modifiers, At(row, column));
  }
  void Type(int row, int column, const QString& text) {
    Click(row, column);
    // An empty text: a key opens the editor, which is then emptied.
    QTest::keyClicks(ViewOf(row), text.isEmpty() ? QStringLiteral("x") : text.left(1));
    // The open editor has the keyboard; editors closed before may linger until deleted.
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr) << row << "," << column;
    if (text.isEmpty()) {
      editor->clear();
    }
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor commits once the key has been handled.
    QApplication::processEvents();
  }
  // A run's channel from its drop-down, by its place in the list of the recording's channels.
  void PickChannel(int column, int channel) {
    Click(3, column);
    QTest::keyClick(header_, Qt::Key_Space);
    const auto boxes = header_->viewport()->findChildren<QComboBox*>();
    ASSERT_FALSE(boxes.isEmpty());
    QComboBox* box = boxes.last();  // the newest; closed editors may linger until deleted
    box->hidePopup();
    box->setCurrentIndex(channel);
    QTest::keyClick(box, Qt::Key_Return);
    QApplication::processEvents();
    // The drop-down's list was a window of its own: the grid's window is the active one again.
    QApplication::setActiveWindow(window_);
  }

 private:
  QTableView* header_ = nullptr;
  QTableView* body_ = nullptr;
  QWidget* window_;
};

}  // namespace Testing
