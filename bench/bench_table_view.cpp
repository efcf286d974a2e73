// The Table View's window over 2,000 runs of 100 doses, drawn offscreen at 1920 x 1080: a model
// reset, a scroll from the top to the bottom and across, and a cell edit, each followed by a
// frame. Beside it the same texts in a plain QTableView over a QStandardItemModel.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <chrono>

#include "support/TableBuilder.h"
#include "support/TestRecording.h"
#include "tessel/views/qt/TesselTableView.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr std::uint32_t kRuns = 2000;
constexpr std::uint32_t kDoses = 100;

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// A plain model whose reset can be asked for, as the grid's can.
class PlainModel : public QStandardItemModel {
 public:
  using QStandardItemModel::QStandardItemModel;
  void Reset() {
    beginResetModel();
    endResetModel();
  }
};

struct Scene {
  Scene() {
    std::vector<std::string> labels;
    std::vector<std::string> doses;
    for (std::uint32_t r = 0; r < kRuns; ++r) {
      labels.push_back("Run " + std::to_string(r + 1));
    }
    for (std::uint32_t d = 0; d < kDoses; ++d) {
      doses.push_back(std::to_string(d + 1) + "e-3");
    }
    Testing::Table table(labels, doses, &chart.Doc().Matrix());
    for (std::uint32_t r = 0; r < kRuns; ++r) {
      for (std::uint32_t d = 0; d < kDoses; ++d) {
        table.Response(d, Tessel::kFirstRunColumn + r, std::to_string(d * 0.37 + r * 0.01));
      }
    }
    view = Tessel::MakeRef<Tessel::TesselTableView>(chart.Doc());
    window = view->Widget();
    window->resize(kWidth, kHeight);
    window->show();

    // The same texts, laid out as the grid lays them out.
    const Tessel::TableViewMatrix& m = chart.Doc().Matrix();
    plain.setRowCount(static_cast<int>(m.RowCount()) - 1);
    plain.setColumnCount(static_cast<int>(m.ColumnCount()) - 1);
    for (std::uint32_t c = 1; c < m.ColumnCount(); ++c) {
      for (std::uint32_t r = 1; r < m.RowCount(); ++r) {
        plain.setItem(static_cast<int>(r) - 1, static_cast<int>(c) - 1,
                      new QStandardItem(QString::fromStdString(m.Cell(r, c).text)));
      }
    }
    plainView.setModel(&plain);
    plainView.horizontalHeader()->setDefaultSectionSize(96);
    plainView.resize(kWidth, kHeight);
    plainView.show();
  }

  QApplication& app = App();  // before any widget
  Testing::TestChart chart{Testing::Bath(100, {})};
  Tessel::Ref<Tessel::TesselTableView> view;
  QWidget* window = nullptr;
  PlainModel plain;
  QTableView plainView;
  QImage image{kWidth, kHeight, QImage::Format_ARGB32_Premultiplied};
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

void Draw(Scene& s, bool baseline) {
  if (baseline) {
    s.plainView.render(&s.image);
  } else {
    s.window->render(&s.image);
  }
  benchmark::DoNotOptimize(s.image.bits());
}

// Times each iteration by hand as well, for the slowest frame.
template <class Step>
void Frames(benchmark::State& state, bool baseline, Step step) {
  Scene& s = TheScene();
  double slowest = 0.0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    step(s);
    Draw(s, baseline);
    slowest = std::max(
        slowest, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  state.counters["slowest_ms"] = slowest;
}

void Reset(benchmark::State& state) {
  const bool baseline = state.range(0) != 0;
  Frames(state, baseline,
         [baseline](Scene& s) { baseline ? s.plain.Reset() : s.view->Grid()->Model().Reset(); });
}

// One step of a scroll: down a screenful at a time, or sideways, back to the start at the end.
void Scroll(benchmark::State& state, bool vertical) {
  const bool baseline = state.range(0) != 0;
  Frames(state, baseline, [baseline, vertical](Scene& s) {
    QTableView& table = baseline ? s.plainView : s.view->Grid()->Body();
    QScrollBar* bar = vertical ? table.verticalScrollBar() : table.horizontalScrollBar();
    const int next = bar->value() + bar->pageStep();
    bar->setValue(next > bar->maximum() ? 0 : next);
  });
}
void ScrollDown(benchmark::State& state) {
  Scroll(state, true);
}
void ScrollAcross(benchmark::State& state) {
  Scroll(state, false);
}

// A response typed into a cell, alternating between two values so that each edit changes it.
void Edit(benchmark::State& state) {
  const bool baseline = state.range(0) != 0;
  int n = 0;
  Frames(state, baseline, [baseline, &n](Scene& s) {
    const QString text = (++n % 2) != 0 ? QStringLiteral("1.5") : QStringLiteral("2.5");
    QAbstractItemModel& model =
        baseline ? static_cast<QAbstractItemModel&>(s.plain) : s.view->Grid()->Model();
    model.setData(model.index(10, 10), text, Qt::EditRole);
  });
}

// Argument 0: the Table View; 1: the plain QTableView beside it.
BENCHMARK(Reset)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollDown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollAcross)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Edit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
