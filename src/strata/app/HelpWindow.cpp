#include "strata/app/HelpWindow.h"

#include <QHBoxLayout>
#include <QUrl>
#include <QVBoxLayout>

#include "strata/recording/HelpTopics.h"

namespace Strata {

HelpWindow::HelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(folder) {
  setWindowTitle(QStringLiteral("Strata Help"));
  back_ = new QToolButton(this);
  back_->setText(QStringLiteral("Back"));
  back_->setEnabled(false);
  forward_ = new QToolButton(this);
  forward_->setText(QStringLiteral("Forward"));
  forward_->setEnabled(false);
  note_ = new QLabel(this);
  note_->setWordWrap(true);
  note_->hide();
  browser_ = new QTextBrowser(this);
  browser_->setAccessibleName(QStringLiteral("Help topic"));
  browser_->setOpenExternalLinks(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(note_);
  layout->addWidget(browser_, 1);
  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
  // The note belongs to the topic it was shown with, not to the topics reached from there.
  connect(browser_, &QTextBrowser::sourceChanged, note_, &QLabel::hide);
  resize(720, 560);
}

void HelpWindow::ShowTopic(const std::string& topic) {
  const HelpPage page = FindHelpTopic(folder_.toStdString(), topic);
  browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(page.path)));
  note_->setText(QString::fromStdString(page.note));
  note_->setVisible(!page.note.empty());
  show();
  raise();
  activateWindow();
}

}  // namespace Strata
