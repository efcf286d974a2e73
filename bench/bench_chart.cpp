// The Chart View drawing a frame offscreen at 1920 x 1080, beside a baseline that draws one line
// per sample of the visible span: on the demo recording and on a simulated 8-hour, 8-channel,
// 1 kHz recording, at full zoom-out, at ten zoom levels and over a pan across the recording.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>

#include "strata/app/ChartView.h"
#include "strata/import/RecordingImporter.h"

namespace {

using Strata::ChartDocument;
using Strata::ChartView;
using Strata::Recording;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

Recording Demo() {
  return Strata::ImportRecording(TESSEL_SOURCE_DIR "/data/organ-bath.edf").recording;
}

// Eight channels of a slow wave with noise, 1 kHz for eight hours: 230 million samples.
Recording Day() {
  Recording r;
  constexpr std::uint32_t kTicks = 8u * 3600u * 1000u;
  for (int c = 0; c < 8; ++c) {
    r.AddChannel("Channel " + std::to_string(c + 1));
  }
  const std::int32_t b = r.AddBlock(0.001, kTicks);
  std::mt19937 random(1);
  std::normal_distribution<float> noise(0.0f, 0.05f);
  for (int c = 0; c < 8; ++c) {
    auto& s = r.BlockAt(b).samples[static_cast<size_t>(c)];
    for (std::uint32_t t = 0; t < kTicks; ++t) {
      s[t] = static_cast<float>(std::sin(t * 1e-5 * (c + 1))) + noise(random);
    }
  }
  return r;
}

struct Scene {
  explicit Scene(Recording recording)
      : chart(Tessel::MakeRef<ChartDocument>(
            Tessel::MakeRef<Strata::Host>(Tessel::Ref<Tessel::IMessageBox>()),
            std::move(recording))),
        view(chart) {
    view.resize(kWidth, kHeight);
  }
  Tessel::Ref<ChartDocument> chart;
  ChartView view;
  QImage image{kWidth, kHeight, QImage::Format_ARGB32_Premultiplied};
};

Scene& DemoScene() {
  App();
  static Scene scene(Demo());
  return scene;
}

Scene& DayScene() {
  App();
  static Scene scene(Day());
  return scene;
}

// Spans of the zoom levels: the whole recording divided by 2^level.
void ShowLevel(Scene& s, int level) {
  Strata::ChartViewport& v = s.view.Viewport();
  v.ZoomAll();
  const double span = v.Span() / std::pow(2.0, level);
  v.Show(s.view.Timeline().Duration() / 3.0, span);
}

// One line per sample of the visible span, every channel in its lane.
void DrawEverySample(Scene& s) {
  QPainter p(&s.image);
  p.fillRect(s.image.rect(), Qt::white);
  const Recording& rec = s.chart->Data();
  const Strata::ChartViewport& v = s.view.Viewport();
  const Strata::Block& block = rec.BlockAt(0);
  const auto first = static_cast<std::uint32_t>(std::max(0.0, v.From() / block.interval));
  const auto last = static_cast<std::uint32_t>(
      std::min<double>(block.Ticks() - 1, std::ceil(v.To() / block.interval)));
  for (std::int32_t c = 0; c < rec.ChannelCount(); ++c) {
    const QRect lane = s.view.LaneRect(c);
    const auto& samples = block.samples[static_cast<size_t>(c)];
    QPointF previous;
    for (std::uint32_t t = first; t <= last; ++t) {
      const QPointF point(s.view.XOfTime(t * block.interval),
                          lane.center().y() - samples[t] * lane.height() / 4.0);
      if (t > first) {
        p.drawLine(previous, point);
      }
      previous = point;
    }
  }
}

void Frame(benchmark::State& state, Scene& s, bool baseline) {
  ShowLevel(s, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (baseline) {
      DrawEverySample(s);
    } else {
      s.view.render(&s.image);
    }
    benchmark::DoNotOptimize(s.image.bits());
  }
  state.counters["span_s"] = s.view.Viewport().Span();
}

void BM_DemoChartView(benchmark::State& state) {
  Frame(state, DemoScene(), false);
}
void BM_DemoEverySample(benchmark::State& state) {
  Frame(state, DemoScene(), true);
}
void BM_DayChartView(benchmark::State& state) {
  Frame(state, DayScene(), false);
}
// The baseline at the spans it can draw in reasonable time (it grows with the samples shown).
void BM_DayEverySample(benchmark::State& state) {
  Frame(state, DayScene(), true);
}

// A pan across the whole day at a one-minute span, one frame per step.
void BM_DayPan(benchmark::State& state) {
  Scene& s = DayScene();
  Strata::ChartViewport& v = s.view.Viewport();
  v.Show(0.0, 60.0);
  for (auto _ : state) {
    v.Pan(0.5);
    if (v.To() >= s.view.Timeline().Duration()) {
      v.Show(0.0, 60.0);
    }
    s.view.render(&s.image);
    benchmark::DoNotOptimize(s.image.bits());
  }
}

BENCHMARK(BM_DemoChartView)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DemoEverySample)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayChartView)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayEverySample)->DenseRange(6, 9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayPan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
