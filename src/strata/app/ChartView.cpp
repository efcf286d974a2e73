#include "strata/app/ChartView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "strata/app/ScaleDialog.h"
#include "strata/chart/ColumnExtremes.h"

namespace Strata {
namespace {

constexpr int kGutter = 130;       // channel titles and units
constexpr int kAxisHeight = 28;    // the time axis under the channels
constexpr int kEditorHeight = 28;  // the comment editor over the channels, while it is open
constexpr double kWheelStep = 1.25;

// A step of 1, 2 or 5 times a power of ten giving about `ticks` divisions of span.
double NiceStep(double span, int ticks) {
  const double raw = span / std::max(ticks, 1);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * power >= raw) {
      return m * power;
    }
  }
  return 10.0 * power;
}

}  // namespace

ChartView::ChartView(Ref<ChartDocument> chart, QWidget* parent)
    : QWidget(parent),
      chart_(std::move(chart)),
      timeline_(chart_->Data()),
      viewport_(timeline_, 800),
      interaction_(*chart_, timeline_) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setMinimumSize(400, 200);
  setAccessibleName(QStringLiteral("Chart View"));
  editor_ = new QLineEdit(this);
  editor_->setAccessibleName(QStringLiteral("Comment"));
  editor_->setPlaceholderText(QStringLiteral("Comment text; Enter adds it, Escape cancels"));
  allChannels_ = new QCheckBox(QStringLiteral("All channels"), this);
  editor_->hide();
  allChannels_->hide();
  connect(editor_, &QLineEdit::returnPressed, this, &ChartView::CommitComment);
  editor_->installEventFilter(this);
  chart_->OnShowComment([this](const CommentInfo& c) { ShowComment(c.id); });
}

ChartView::~ChartView() {
  chart_->OnShowComment(nullptr);
}

int ChartView::PlotLeft() const {
  return kGutter;
}

int ChartView::PlotWidth() const {
  return std::max(width() - kGutter - 8, 1);
}

double ChartView::TimeAtX(int x) const {
  return viewport_.TimeAtX(x - PlotLeft());
}

int ChartView::XOfTime(double seconds) const {
  return PlotLeft() + static_cast<int>(std::lround(viewport_.XOfTime(seconds)));
}

QRect ChartView::LaneRect(std::int32_t channel) const {
  const int top = editor_->isVisible() ? kEditorHeight : 0;
  const int channels = std::max(chart_->Data().ChannelCount(), 1);
  const int lane = (height() - top - kAxisHeight) / channels;
  return QRect(PlotLeft(), top + channel * lane, PlotWidth(), lane - 4);
}

std::int32_t ChartView::ChannelAt(QPoint p) const {
  for (std::int32_t c = 0; c < chart_->Data().ChannelCount(); ++c) {
    const QRect lane = LaneRect(c);
    if (p.y() >= lane.top() && p.y() <= lane.bottom() + 4) {
      return c;
    }
  }
  return p.y() >= height() - kAxisHeight ? -2 : -1;
}

void ChartView::RecordingChanged() {
  const double from = viewport_.From();
  const double span = viewport_.Span();
  timeline_ = ChartTimeline(chart_->Data());
  viewport_ = ChartViewport(timeline_, PlotWidth());
  viewport_.Show(from, span);
  update();
  emit ViewChanged();
}

void ChartView::resizeEvent(QResizeEvent*) {
  viewport_.SetWidth(PlotWidth());
  editor_->setGeometry(PlotLeft(), 2, PlotWidth() - 130, kEditorHeight - 4);
  allChannels_->setGeometry(PlotLeft() + PlotWidth() - 124, 2, 124, kEditorHeight - 4);
  emit ViewChanged();
}

void ChartView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().base());
  for (std::int32_t c = 0; c < chart_->Data().ChannelCount(); ++c) {
    DrawChannel(p, c);
  }
  DrawComments(p);
  DrawAxis(p);
}

void ChartView::DrawChannel(QPainter& p, std::int32_t channel) {
  const QRect lane = LaneRect(channel);
  const Recording& rec = chart_->Data();
  // Title and units in the gutter.
  p.setPen(palette().text().color());
  QString units;
  if (rec.BlockCount() > 0 && static_cast<size_t>(channel) < rec.BlockAt(0).units.size()) {
    units = QString::fromStdString(rec.BlockAt(0).units[static_cast<size_t>(channel)]);
  }
  p.drawText(QRect(4, lane.top(), kGutter - 8, lane.height()), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromStdString(rec.ChannelAt(channel).title) +
                 (units.isEmpty() ? QString() : QStringLiteral("\n(%1)").arg(units)));
  p.setPen(palette().mid().color());
  p.drawRect(lane);

  // The selection, shaded in its channel or across all of them.
  ChartSelection sel;
  if (chart_->GetSelection(&sel) == Tessel::kOk && (sel.channel == channel || sel.channel < 0)) {
    const int x0 = XOfTime(timeline_.TimeOf(sel.start));
    const int x1 = XOfTime(timeline_.TimeOf(sel.end));
    if (sel.activePoint) {
      p.setPen(QPen(QColor(200, 0, 0), 1));
      p.drawLine(x0, lane.top(), x0, lane.bottom());
    } else {
      p.fillRect(QRect(QPoint(std::max(x0, lane.left()), lane.top()),
                       QPoint(std::min(x1, lane.right()), lane.bottom())),
                 QColor(70, 130, 220, 60));
    }
  }

  const std::vector<ColumnRange> columns = ColumnExtremes(rec, timeline_, viewport_, channel);
  const ColumnRange all = Overall(columns);
  if (!all.any) {
    return;
  }
  const ValueRange range = scales_.Range(channel, all);
  const double low = range.low;
  const double high = range.high;
  auto y = [&](float v) { return lane.bottom() - (v - low) / (high - low) * lane.height(); };
  p.setPen(palette().mid().color());
  p.drawText(QRect(4, lane.top(), kGutter - 8, 14), Qt::AlignRight,
             QString::number(high, 'g', 4) +
                 (scales_.Automatic(channel) ? QString() : QStringLiteral(" M")));
  p.drawText(QRect(4, lane.bottom() - 14, kGutter - 8, 14), Qt::AlignRight,
             QString::number(low, 'g', 4));
  p.setPen(QPen(QColor(0, 70, 160), 1));
  QPainterPath path;
  bool started = false;
  for (size_t x = 0; x < columns.size(); ++x) {
    const ColumnRange& c = columns[x];
    if (!c.any) {
      started = false;
      continue;
    }
    const double px = lane.left() + static_cast<double>(x) + 0.5;
    if (!started) {
      path.moveTo(px, y(c.low));
      started = true;
    } else {
      path.lineTo(px, y(c.low));
    }
    path.lineTo(px, y(c.high));
  }
  p.drawPath(path);
}

void ChartView::DrawComments(QPainter& p) {
  const QFontMetrics metrics(font());
  // Labels that would run into the one before them drop a row, so that neighbouring comments
  // stay readable when the view is zoomed out.
  constexpr int kRows = 4;
  std::map<std::int32_t, std::array<int, kRows>> rowEnds;
  for (const Comment& c : chart_->Data().Comments()) {
    const int x = XOfTime(timeline_.TimeOf(c.position));
    if (x < PlotLeft() || x > PlotLeft() + PlotWidth()) {
      continue;
    }
    const QRect first = LaneRect(c.channel < 0 ? 0 : c.channel);
    const QRect last =
        LaneRect(c.channel < 0 ? std::max(chart_->Data().ChannelCount() - 1, 0) : c.channel);
    const bool selected = selectedComment_ == c.id;
    const bool flash = flashing_ == c.id;
    const QColor colour =
        flash ? QColor(230, 120, 0) : (selected ? QColor(200, 0, 120) : QColor(0, 120, 60));
    p.setPen(QPen(colour, flash || selected ? 2 : 1, Qt::DashLine));
    p.drawLine(x, first.top(), x, last.bottom());
    const QString text = QString::fromStdString(c.text);
    const int width = metrics.horizontalAdvance(text) + 6;
    auto& ends = rowEnds.try_emplace(c.channel, std::array<int, kRows>{}).first->second;
    int row = 0;
    while (row + 1 < kRows && ends[static_cast<size_t>(row)] > x) {
      ++row;
    }
    ends[static_cast<size_t>(row)] = x + width + 4;
    const QRect box(x + 3, first.top() + 2 + row * metrics.height(), width, metrics.height());
    p.fillRect(box, QColor(255, 255, 255, 210));
    p.setPen(colour);
    p.drawText(box.adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
  }
}

void ChartView::DrawAxis(QPainter& p) {
  const int top = height() - kAxisHeight;
  p.setPen(palette().text().color());
  p.drawLine(PlotLeft(), top, PlotLeft() + PlotWidth(), top);
  p.drawText(QRect(4, top, kGutter - 8, kAxisHeight), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Time (s)"));
  const double step = NiceStep(viewport_.Span(), std::max(PlotWidth() / 110, 2));
  for (double t = std::ceil(viewport_.From() / step) * step; t <= viewport_.To(); t += step) {
    const int x = XOfTime(t);
    p.drawLine(x, top, x, top + 4);
    // The last label keeps inside the window.
    const int centre = std::min(x, width() - 50);
    p.drawText(QRect(centre - 50, top + 4, 100, kAxisHeight - 4), Qt::AlignHCenter | Qt::AlignTop,
               QString::number(t, 'g', 8));
  }
  // Where one block ends and the next begins.
  p.setPen(QPen(QColor(120, 120, 120), 1, Qt::DotLine));
  for (std::int32_t b = 1; b < timeline_.BlockCount(); ++b) {
    const int x = XOfTime(timeline_.BlockStart(b));
    if (x >= PlotLeft() && x <= PlotLeft() + PlotWidth()) {
      p.drawLine(x, 0, x, top);
    }
  }
}

void ChartView::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || e->position().x() < PlotLeft()) {
    return;
  }
  const std::int32_t channel = ChannelAt(e->position().toPoint());
  if (channel == -1) {
    return;
  }
  const double t = TimeAtX(e->position().toPoint().x());
  // A click on a comment's text selects the comment.
  const double tolerance = 4.0 * viewport_.Span() / PlotWidth();
  if (auto c = interaction_.CommentNear(channel, t, tolerance)) {
    selectedComment_ = c->id;
  } else {
    selectedComment_.reset();
  }
  interaction_.Press(channel, t);
  update();
  emit SelectionChanged();
}

void ChartView::mouseMoveEvent(QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  const double t = TimeAtX(at.x());
  if (interaction_.Dragging()) {
    interaction_.Drag(t);
    update();
    emit SelectionChanged();
  }
  const std::int32_t channel = ChannelAt(at);
  if (channel >= 0 && at.x() >= PlotLeft()) {
    const TickPosition pos = timeline_.PositionAt(t);
    const Block& block = chart_->Data().BlockAt(static_cast<std::int32_t>(pos.Block()));
    const float v = block.samples[static_cast<size_t>(channel)][pos.Tick()];
    const QString units = QString::fromStdString(block.units[static_cast<size_t>(channel)]);
    emit ReadOut(QStringLiteral("%1 s   %2: %3 %4")
                     .arg(timeline_.TimeOf(pos), 0, 'f', 3)
                     .arg(QString::fromStdString(chart_->Data().ChannelAt(channel).title))
                     .arg(static_cast<double>(v), 0, 'g', 6)
                     .arg(units));
  }
}

void ChartView::mouseReleaseEvent(QMouseEvent* e) {
  if (interaction_.Dragging()) {
    interaction_.Release(TimeAtX(e->position().toPoint().x()));
    update();
    emit SelectionChanged();
  }
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* e) {
  const std::int32_t channel = ChannelAt(e->position().toPoint());
  const double tolerance = 4.0 * viewport_.Span() / PlotWidth();
  if (auto c = interaction_.CommentNear(channel, TimeAtX(e->position().toPoint().x()), tolerance)) {
    selectedComment_ = c->id;
    EditSelectedComment();
  }
}

void ChartView::wheelEvent(QWheelEvent* e) {
  const double steps = e->angleDelta().y() / 120.0;
  // Shift with the wheel stretches the scale of the channel under the mouse.
  if (e->modifiers().testFlag(Qt::ShiftModifier)) {
    const std::int32_t channel = ChannelAt(e->position().toPoint());
    if (channel >= 0) {
      scales_.Stretch(channel, ShownRange(channel), std::pow(kWheelStep, -steps));
      update();
    }
    return;
  }
  viewport_.Zoom(std::pow(kWheelStep, -steps), e->position().x() - PlotLeft());
  update();
  emit ViewChanged();
}

ValueRange ChartView::ShownRange(std::int32_t channel) const {
  return scales_.Range(channel,
                       Overall(ColumnExtremes(chart_->Data(), timeline_, viewport_, channel)));
}

std::vector<std::int32_t> ChartView::ScaleChannels() const {
  ChartSelection sel;
  const bool selected = chart_->GetSelection(&sel) == Tessel::kOk;
  if (selected && sel.channel >= 0) {
    return {sel.channel};
  }
  const std::int32_t count = chart_->Data().ChannelCount();
  std::vector<std::int32_t> channels;
  for (std::int32_t c = 0; c < (selected ? count : std::min(count, 1)); ++c) {
    channels.push_back(c);
  }
  return channels;
}

void ChartView::StretchScale(double factor) {
  for (std::int32_t c : ScaleChannels()) {
    scales_.Stretch(c, ShownRange(c), factor);
  }
  update();
}

void ChartView::AutomaticScale() {
  for (std::int32_t c : ScaleChannels()) {
    scales_.SetAutomatic(c);
  }
  update();
}

void ChartView::ChooseScale(std::int32_t channel) {
  if (channel < 0) {
    const std::vector<std::int32_t> channels = ScaleChannels();
    if (channels.empty()) {
      return;
    }
    channel = channels.front();
  }
  ScaleDialog dialog(QString::fromStdString(chart_->Data().ChannelAt(channel).title),
                     ShownRange(channel), this);
  dialog.SetCheck(
      [this, channel](double low, double high) { return scales_.SetManual(channel, low, high); });
  if (dialog.exec() == QDialog::Accepted && dialog.Automatic()) {
    scales_.SetAutomatic(channel);
  }
  update();
}

void ChartView::contextMenuEvent(QContextMenuEvent* e) {
  const std::int32_t channel = ChannelAt(e->pos());
  if (channel < 0) {
    return;
  }
  QMenu menu(this);
  QAction* automatic = menu.addAction(QStringLiteral("&Automatic Scale"));
  automatic->setCheckable(true);
  automatic->setChecked(scales_.Automatic(channel));
  QAction* choose = menu.addAction(QStringLiteral("&Set Scale..."));
  QAction* chosen = menu.exec(e->globalPos());
  if (chosen == automatic) {
    scales_.SetAutomatic(channel);
    update();
  } else if (chosen == choose) {
    ChooseScale(channel);
  }
}

void ChartView::keyPressEvent(QKeyEvent* e) {
  const bool ctrl = e->modifiers().testFlag(Qt::ControlModifier);
  const bool shift = e->modifiers().testFlag(Qt::ShiftModifier);
  const int key = e->key();
  if (ctrl && (key == Qt::Key_Plus || key == Qt::Key_Equal)) {
    ZoomBy(0.5);
  } else if (ctrl && key == Qt::Key_Minus) {
    ZoomBy(2.0);
  } else if (ctrl && key == Qt::Key_0) {
    ZoomBy(0.0);
  } else if (key == Qt::Key_Left || key == Qt::Key_Right) {
    const int direction = key == Qt::Key_Left ? -1 : 1;
    if (ctrl) {
      GoToComment(direction);
    } else {
      viewport_.Pan(0.1 * direction);
    }
  } else if (shift && (key == Qt::Key_Up || key == Qt::Key_Down)) {
    StretchScale(key == Qt::Key_Up ? 0.5 : 2.0);
  } else if (shift && key == Qt::Key_Home) {
    AutomaticScale();
  } else if (key == Qt::Key_Home) {
    viewport_.Show(0.0, viewport_.Span());
  } else if (key == Qt::Key_End) {
    viewport_.Show(timeline_.Duration(), viewport_.Span());
  } else if (key == Qt::Key_Delete && selectedComment_) {
    DeleteSelectedComment();
  } else if (!ctrl && !e->text().isEmpty() && e->text().at(0).isPrint()) {
    BeginComment(e->text());
  } else {
    QWidget::keyPressEvent(e);
    return;
  }
  update();
  emit ViewChanged();
}

bool ChartView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == editor_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    CancelComment();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void ChartView::ZoomBy(double factor) {
  if (factor <= 0.0) {
    viewport_.ZoomAll();
  } else {
    // Around the selected comment while it is in view, else around the middle.
    double anchor = viewport_.Width() / 2.0;
    const Comment* c = selectedComment_ ? chart_->Data().FindComment(*selectedComment_) : nullptr;
    if (c != nullptr) {
      const double x = viewport_.XOfTime(timeline_.TimeOf(c->position));
      if (x >= 0 && x <= viewport_.Width()) {
        anchor = x;
      }
    }
    viewport_.Zoom(factor, anchor);
  }
  update();
  emit ViewChanged();
}

void ChartView::GoToComment(int direction) {
  const auto& comments = chart_->Data().Comments();
  if (comments.empty()) {
    return;
  }
  // Steps from the selected comment, or from the left edge of what is shown.
  const Comment* selected =
      selectedComment_ ? chart_->Data().FindComment(*selectedComment_) : nullptr;
  const Comment* target = nullptr;
  if (selected != nullptr) {
    auto it = std::find(comments.begin(), comments.end(), *selected);
    if (direction > 0 && it + 1 < comments.end()) {
      target = &*(it + 1);
    } else if (direction < 0 && it != comments.begin() && it != comments.end()) {
      target = &*(it - 1);
    }
  } else {
    for (const Comment& c : comments) {
      const double t = timeline_.TimeOf(c.position);
      if (direction > 0 && t >= viewport_.From()) {
        target = &c;
        break;
      }
      if (direction < 0 && t < viewport_.From()) {
        target = &c;
      }
    }
  }
  if (target != nullptr) {
    selectedComment_ = target->id;
    viewport_.CentreOn(timeline_.TimeOf(target->position));
  }
}

void ChartView::ShowComment(std::int64_t id) {
  const Comment* c = chart_->Data().FindComment(id);
  if (c == nullptr) {
    return;
  }
  viewport_.CentreOn(timeline_.TimeOf(c->position));
  selectedComment_ = id;
  flashing_ = id;
  update();
  emit ViewChanged();
  QTimer::singleShot(600, this, [this] {
    flashing_.reset();
    update();
  });
}

void ChartView::BeginComment(const QString& text) {
  if (!interaction_.NewCommentPlace(false)) {
    emit ReadOut(QStringLiteral("Place the Active Point or select some data to add a comment."));
    return;
  }
  editing_.reset();
  ChartSelection sel;
  chart_->GetSelection(&sel);
  allChannels_->setChecked(sel.channel < 0);
  editor_->setText(text);
  editor_->show();
  allChannels_->show();
  editor_->setFocus();
  update();
}

void ChartView::EditSelectedComment() {
  const Comment* c = selectedComment_ ? chart_->Data().FindComment(*selectedComment_) : nullptr;
  if (c == nullptr) {
    return;
  }
  editing_ = c->id;
  allChannels_->hide();
  editor_->setText(QString::fromStdString(c->text));
  editor_->show();
  editor_->setFocus();
  editor_->selectAll();
  update();
}

void ChartView::DeleteSelectedComment() {
  if (selectedComment_ && chart_->UserDeleteComments({*selectedComment_})) {
    selectedComment_.reset();
    update();
    emit CommentsChanged();
  }
}

void ChartView::CommitComment() {
  const std::string text = editor_->text().trimmed().toStdString();
  if (!text.empty()) {
    if (editing_) {
      chart_->UserChangeComment(*editing_, text);
    } else if (auto place = interaction_.NewCommentPlace(allChannels_->isChecked())) {
      std::int64_t id = 0;
      chart_->AddComment(place->channel, place->position, text, &id);
      selectedComment_ = id;
    }
    emit CommentsChanged();
  }
  CancelComment();
}

void ChartView::CancelComment() {
  editing_.reset();
  editor_->hide();
  allChannels_->hide();
  setFocus();
  update();
}

}  // namespace Strata
