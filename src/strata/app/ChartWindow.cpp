#include "strata/app/ChartWindow.h"

#include <QFileInfo>
#include <QVBoxLayout>
#include <cmath>

namespace Strata {
namespace {

// The scroll bar counts in thousandths of the visible span, so that one step is fine at any zoom.
constexpr int kStepsPerSpan = 1000;

}  // namespace

ChartWindow::ChartWindow(Ref<ChartDocument> chart, Ref<Tessel::IChildDocument> extension,
                         QString path, QWidget* parent)
    : QWidget(parent),
      chart_(std::move(chart)),
      extension_(std::move(extension)),
      path_(std::move(path)) {
  view_ = new ChartView(chart_, this);
  scroll_ = new QScrollBar(Qt::Horizontal, this);
  scroll_->setAccessibleName(QStringLiteral("Time"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(view_, 1);
  layout->addWidget(scroll_);
  connect(view_, &ChartView::ViewChanged, this, &ChartWindow::SyncScrollBar);
  connect(view_, &ChartView::CommentsChanged, this, [this] {
    ++comments_;
    emit ModifiedChanged();
  });
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
    ChartViewport& v = view_->Viewport();
    v.Show(value * v.Span() / kStepsPerSpan, v.Span());
    view_->update();
  });
  savedChanges_ = chart_->ModifiedCount();
  SyncScrollBar();
}

ChartWindow::~ChartWindow() {
  StopSampling();
  chart_->Close();
}

bool ChartWindow::StartSampling() {
  if (Sampling()) {
    return true;
  }
  SimulatorSettings settings;
  if (chart_->Data().ChannelCount() != (settings.secondTissue ? 2 : 1)) {
    return false;
  }
  device_ = std::make_unique<SimulatedDevice>(*chart_, settings);
  if (!device_->Start()) {
    device_.reset();
    return false;
  }
  view_->RecordingChanged();
  connect(&clock_, &QTimer::timeout, this, [this] {
    SampleFor(std::chrono::duration<double>(SimulatedDevice::kUpdateInterval).count());
  });
  clock_.start(SimulatedDevice::kUpdateInterval);
  emit SamplingChanged();
  return true;
}

void ChartWindow::StopSampling() {
  if (!device_) {
    return;
  }
  clock_.stop();
  disconnect(&clock_, nullptr, this, nullptr);
  device_->Stop();
  device_.reset();
  view_->RecordingChanged();
  emit SamplingChanged();
  emit ModifiedChanged();
}

void ChartWindow::SampleFor(double seconds) {
  if (!Sampling()) {
    return;
  }
  device_->Record(seconds);
  // The chart follows the newest data, at the zoom the user chose.
  ChartViewport& v = view_->Viewport();
  const double span = v.Span();
  view_->RecordingChanged();
  v.Show(view_->Timeline().Duration() - span, span);
  view_->update();
}

void ChartWindow::SyncScrollBar() {
  const ChartViewport& v = view_->Viewport();
  const double duration = view_->Timeline().Duration();
  const QSignalBlocker block(scroll_);
  const double steps = duration > v.Span() ? (duration - v.Span()) / v.Span() * kStepsPerSpan : 0;
  scroll_->setRange(0, static_cast<int>(std::ceil(steps)));
  scroll_->setPageStep(kStepsPerSpan);
  scroll_->setSingleStep(kStepsPerSpan / 10);
  scroll_->setValue(static_cast<int>(std::lround(v.From() / v.Span() * kStepsPerSpan)));
}

bool ChartWindow::Modified() const {
  return comments_ != 0 || chart_->ModifiedCount() != savedChanges_;
}

void ChartWindow::MarkSaved() {
  comments_ = 0;
  savedChanges_ = chart_->ModifiedCount();
  emit ModifiedChanged();
}

QString ChartWindow::Title() const {
  const QString name = path_.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path_).fileName();
  return Modified() ? name + QStringLiteral(" *") : name;
}

}  // namespace Strata
