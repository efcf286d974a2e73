#include "tessel/views/qt/DialogTemplateWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace Tessel {
namespace {

QString Text(const char* text) {
  return QString::fromUtf8(text);
}

// The up-down control beside an edit box: two arrow buttons, one above the other.
QWidget* MakeUpDown(QDialog& dialog) {
  auto* box = new QWidget(&dialog);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const auto& [arrow, name] :
       {std::pair{Qt::UpArrow, "up"}, std::pair{Qt::DownArrow, "down"}}) {
    auto* button = new QToolButton(box);
    button->setArrowType(arrow);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    layout->addWidget(button);
  }
  return box;
}

QWidget* MakeControl(QDialog& dialog, const ControlTemplate& c, QSize size) {
  switch (c.kind) {
    case ControlKind::kGroupBox:
      return new QGroupBox(Text(c.text), &dialog);
    case ControlKind::kLabel:
      return new QLabel(Text(c.text), &dialog);
    case ControlKind::kDropDownList:
      return new QComboBox(&dialog);
    case ControlKind::kEditBox:
      return new QLineEdit(&dialog);
    case ControlKind::kReadOnlyText: {
      auto* field = new QLineEdit(&dialog);
      field->setReadOnly(true);
      field->setFocusPolicy(Qt::NoFocus);
      return field;
    }
    case ControlKind::kListBox: {
      auto* list = new QListWidget(&dialog);
      list->setSelectionMode(QAbstractItemView::ExtendedSelection);
      return list;
    }
    case ControlKind::kUpDown:
      return MakeUpDown(dialog);
    case ControlKind::kErrorMarker: {
      auto* marker = new QLabel(&dialog);
      marker->setPixmap(ErrorMarkerPixmap(size));
      marker->hide();
      return marker;
    }
    case ControlKind::kCheckBox:
      return new QCheckBox(Text(c.text), &dialog);
    case ControlKind::kRadioButton:
      return new QRadioButton(Text(c.text), &dialog);
    case ControlKind::kHelpButton: {
      auto* help = new QPushButton(QStringLiteral("?"), &dialog);
      help->setAutoDefault(false);
      QFont bold = help->font();
      bold.setBold(true);
      help->setFont(bold);
      return help;
    }
    case ControlKind::kDefaultButton: {
      auto* button = new QPushButton(Text(c.text), &dialog);
      button->setDefault(true);
      return button;
    }
    case ControlKind::kPushButton: {
      auto* button = new QPushButton(Text(c.text), &dialog);
      button->setAutoDefault(false);
      return button;
    }
    case ControlKind::kWarningIcon: {
      auto* icon = new QLabel(&dialog);
      icon->setPixmap(
          dialog.style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size.height()));
      return icon;
    }
  }
  return new QWidget(&dialog);
}

}  // namespace

QFont DialogFont(const DialogTemplate& dialog) {
  QFont font(Text(dialog.font));
  font.setPointSize(dialog.pointSize);
  return font;
}

Kor::DialogFontUnits DialogUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  // Half the width of the 52 letters, rounded up: the average of a letter.
  return Kor::DialogFontUnits{(letters / 26 + 1) / 2, metrics.height()};
}

QRect ToPixels(const Kor::DialogRect& rect, const Kor::DialogFontUnits& units) {
  const Kor::DialogRect px = Kor::DialogUnitsToPixels(rect, units);
  return QRect(px.x, px.y, px.width, px.height);
}

std::vector<QWidget*> BuildDialog(QDialog& dialog, const DialogTemplate& t) {
  dialog.setWindowTitle(Text(t.title));
  dialog.setFont(DialogFont(t));
  const Kor::DialogFontUnits units = DialogUnitsOf(dialog.font());
  dialog.setFixedSize(ToPixels({0, 0, t.width, t.height}, units).size());
  std::vector<QWidget*> widgets;
  for (const ControlTemplate& c : t.controls) {
    Kor::DialogRect rect = c.rect;
    // A drop-down list's height is that of its opened list; closed it is one edit line high.
    if (c.kind == ControlKind::kDropDownList) {
      rect.height = 12;
    }
    const QRect at = ToPixels(rect, units);
    QWidget* w = MakeControl(dialog, c, at.size());
    w->setGeometry(at);
    if (c.id != kNoControlId) {
      w->setObjectName(QString::number(c.id));
    }
    if (*c.tooltip != '\0') {
      w->setToolTip(Text(c.tooltip));
    }
    if (c.kind == ControlKind::kLabel || c.kind == ControlKind::kCheckBox ||
        c.kind == ControlKind::kRadioButton || c.kind == ControlKind::kGroupBox) {
      w->setAccessibleName(QString(Text(c.text)).remove(QLatin1Char('&')));
    }
    // A label's mnemonic moves the focus to the field that follows it.
    if (!widgets.empty()) {
      if (auto* label = qobject_cast<QLabel*>(widgets.back());
          label != nullptr && label->pixmap().isNull() &&
          (c.kind == ControlKind::kEditBox || c.kind == ControlKind::kDropDownList ||
           c.kind == ControlKind::kListBox)) {
        label->setBuddy(w);
      }
    }
    widgets.push_back(w);
  }
  return widgets;
}

QPixmap ErrorMarkerPixmap(QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xd0, 0x20, 0x20));
  const int side = std::min(size.width(), size.height());
  const QRectF disc((size.width() - side) / 2.0, (size.height() - side) / 2.0, side, side);
  p.drawEllipse(disc);
  p.setPen(QPen(Qt::white, std::max(1.0, side / 6.0)));
  const double x = disc.center().x();
  p.drawLine(QPointF(x, disc.top() + side * 0.2), QPointF(x, disc.top() + side * 0.58));
  p.drawPoint(QPointF(x, disc.top() + side * 0.78));
  return pixmap;
}

BalloonTip::BalloonTip(QWidget* owner) : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("balloon"));
  setForegroundRole(QPalette::ToolTipText);
  setBackgroundRole(QPalette::ToolTipBase);
  setAutoFillBackground(true);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setMargin(6);
  setTextFormat(Qt::RichText);
}

void BalloonTip::ShowFor(QWidget* anchor, const std::optional<Balloon>& balloon) {
  shown_ = balloon;
  if (!balloon || anchor == nullptr || !anchor->isVisible()) {
    hide();
    return;
  }
  QString text = QStringLiteral("<b>%1</b><br>%2")
                     .arg(QString::fromStdString(balloon->title).toHtmlEscaped(),
                          QString::fromStdString(balloon->text).toHtmlEscaped());
  setText(text.replace(QLatin1Char('\n'), QStringLiteral("<br>")));
  setFont(anchor->font());
  adjustSize();
  move(anchor->mapToGlobal(QPoint(anchor->width() / 2, anchor->height())));
  show();
  raise();
}

}  // namespace Tessel
