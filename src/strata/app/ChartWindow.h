#pragma once

#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "strata/app/ChartView.h"
#include "strata/device/SimulatedDevice.h"
#include "strata/recording/ChartDocument.h"
#include "tessel/host/IChildDocument.h"

namespace Strata {

// One open recording in the main window: its Chart View over a scroll bar, the file it came
// from, and the extension document kept with it.
class ChartWindow : public QWidget {
  Q_OBJECT

 public:
  ChartWindow(Ref<ChartDocument> chart, Ref<Tessel::IChildDocument> extension, QString path,
              QWidget* parent = nullptr);
  ~ChartWindow() override;

  ChartView& View() { return *view_; }
  ChartDocument& Chart() { return *chart_; }
  Tessel::IChildDocument* Extension() { return extension_.get(); }
  const QString& Path() const { return path_; }
  void SetPath(const QString& path) { path_ = path; }
  // Whether anything was changed since the file was opened or saved.
  bool Modified() const;
  void MarkSaved();
  QString Title() const;

  // Live sampling from the simulated organ bath into a new block; the chart follows the newest
  // data. The recording must have the simulator's channels (a new recording from File > New).
  bool StartSampling();
  void StopSampling();
  bool Sampling() const { return device_ && device_->Sampling(); }
  // One update of the device: what the timer does every 100 ms, at the pace of the clock.
  void SampleFor(double seconds);

 signals:
  void ModifiedChanged();
  void SamplingChanged();

 private:
  void SyncScrollBar();

  Ref<ChartDocument> chart_;
  Ref<Tessel::IChildDocument> extension_;
  QString path_;
  ChartView* view_;
  QScrollBar* scroll_;
  std::unique_ptr<SimulatedDevice> device_;
  QTimer clock_;
  int savedChanges_ = 0;
  int comments_ = 0;  // comment edits since the last save
};

}  // namespace Strata
