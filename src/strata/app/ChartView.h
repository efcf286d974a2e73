#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>
#include <optional>
#include <vector>

#include "strata/chart/ChannelScales.h"
#include "strata/chart/ChartInteraction.h"
#include "strata/chart/ChartTimeline.h"
#include "strata/chart/ChartViewport.h"
#include "strata/recording/ChartDocument.h"

namespace Strata {

// The Chart View: the channels of a recording stacked with their titles and units over a time
// axis in seconds, block boundaries marked, comments drawn where they are. Draws each channel
// from one min/max pair per pixel column. The mouse selects and places the Active Point, the
// wheel and Ctrl with +, - and 0 zoom, the arrow keys and the scroll bar pan, Ctrl with the arrow
// keys goes to the next or previous comment; typing starts a comment, a double click on a comment
// edits it and Delete removes it.
class ChartView : public QWidget {
  Q_OBJECT

 public:
  ChartView(Ref<ChartDocument> chart, QWidget* parent = nullptr);
  ~ChartView() override;

  ChartDocument& Chart() { return *chart_; }
  ChartViewport& Viewport() { return viewport_; }
  const ChartTimeline& Timeline() const { return timeline_; }
  // The recording changed length (sampling, an edit): the axis is laid out again.
  void RecordingChanged();
  // Zooms in (factor below 1) or out around the selected comment or the middle; 0 shows all.
  void ZoomBy(double factor);
  // Scrolls to a comment, selects it and flashes it.
  void ShowComment(std::int64_t id);
  // The comment editor, for the Edit menu: starts a new comment, or edits the selected one.
  void BeginComment(const QString& text = QString());
  void EditSelectedComment();
  void DeleteSelectedComment();
  std::optional<std::int64_t> SelectedComment() const { return selectedComment_; }

  // Vertical scales: the channels the scale commands act on are the selection's (all of them
  // for a selection across channels, the first when nothing is selected).
  ChannelScales& Scales() { return scales_; }
  ValueRange ShownRange(std::int32_t channel) const;
  void StretchScale(double factor);
  void AutomaticScale();
  // Asks for the top and bottom of the scale of the selection's channel.
  void ChooseScale(std::int32_t channel = -1);

  // The lane of a channel and the channel under a point (-2 on the time axis, -1 outside).
  QRect LaneRect(std::int32_t channel) const;
  std::int32_t ChannelAt(QPoint p) const;
  double TimeAtX(int x) const;
  int XOfTime(double seconds) const;

 signals:
  void ReadOut(const QString& text);
  void SelectionChanged();
  void ViewChanged();
  void CommentsChanged();

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void wheelEvent(QWheelEvent*) override;
  void contextMenuEvent(QContextMenuEvent*) override;
  void keyPressEvent(QKeyEvent*) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CommitComment();
  void CancelComment();
  void GoToComment(int direction);
  void DrawChannel(QPainter& p, std::int32_t channel);
  void DrawComments(QPainter& p);
  void DrawAxis(QPainter& p);
  std::vector<std::int32_t> ScaleChannels() const;
  int PlotLeft() const;
  int PlotWidth() const;

  Ref<ChartDocument> chart_;
  ChartTimeline timeline_;
  ChartViewport viewport_;
  ChartInteraction interaction_;
  ChannelScales scales_;
  QLineEdit* editor_;
  QCheckBox* allChannels_;
  std::optional<std::int64_t> editing_;  // the comment being edited; none for a new one
  std::optional<std::int64_t> selectedComment_;
  std::optional<std::int64_t> flashing_;
};

}  // namespace Strata
