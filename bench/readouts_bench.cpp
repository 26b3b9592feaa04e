// The live readouts' tick on a real X display, through the program's own window and services:
// the window is built by the real start-up road, and each tick is the real KeyTimer_Run with the
// real keyboard, pointer, fw::Shell (which runs the bundle's screencapture) and fw::Clipboard.
//
//   readouts_bench <bundle folder> bench [repetitions]
//     One Markdown table row for this screen (the columns are run_readouts_bench.sh's): the whole
//     tick without a held key (median, min, max); the floor in the same run, a warm XShmGetImage
//     of the root and the least work a tick is asked for (start a command, grab, put the whole
//     picture into the server, read one pixel); and the pipelines a user would otherwise script,
//     `scrot` + `xclip` and `maim -u | xclip`, each followed by the same fw::Clipboard picture,
//     pixel and colour text; with the ratios.
//   readouts_bench <bundle folder> soak [ticks]
//     Ticks at full speed (the event loop runs between ticks, as it does between timer events) and
//     prints "key value" lines: after tick 100 and after the last, the resident memory, the X
//     clients and the X resources (xrestop), our descriptors and children; and the most
//     screencapture processes on the display seen after any tick.
#include <QClipboard>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <fstream>
#include <string>
#include <vector>

#include "framework/Bundle.h"
#include "framework/Clipboard.h"
#include "framework/Picture.h"
#include "framework/Runtime.h"
#include "framework/Shell.h"
#include "framework/System.h"
#include "framework/Text.h"
#include "readouts_x11.h"
#include "shell/startup/Startup.h"
#include "window/MainWindow.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double MsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Stats {
  double median;
  double min;
  double max;
};

Stats StatsOf(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
  return {median, ms.front(), ms.back()};
}

// Lets the event loop run, as it does between the timer's ticks.
void Idle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

long RssKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

// This process's children: all of them, and those that have ended but were not reaped.
std::pair<int, int> Children() {
  const std::string me = std::to_string(getpid());
  int children = 0, zombies = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string text;
    if (!std::getline(stat, text)) continue;
    const size_t close = text.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    long ppid = 0;
    if (std::sscanf(text.c_str() + close + 1, " %c %ld", &state, &ppid) != 2) continue;
    if (std::to_string(ppid) != me) continue;
    ++children;
    if (state == 'Z') ++zombies;
  }
  return {children, zombies};
}

std::string ColourAt(const fw::Ref<fw::Picture>& picture, QPoint at) {
  if (!picture || at.x() >= picture->Width() || at.y() >= picture->Height()) return "none";
  const fw::Color c = picture->RGBSurface()->Pixel(at.x(), at.y());
  auto two = [](fw::Integer v) { return fw::Right("00" + fw::Hex(v), 2); };
  return two((c >> 16) & 0xFF) + two((c >> 8) & 0xFF) + two(c & 0xFF);
}

// A pipeline a user would otherwise script: it puts a PNG of the screen on the clipboard, then
// the same Clipboard.Picture, pixel and colour text as a tick.
struct Pipeline {
  explicit Pipeline(const char* line) : command(line) {}
  const char* command;
  std::vector<double> ms;
  std::string colour;
  int stale = 0;  // reads that found the previous owner's picture
};

void RunPipeline(Pipeline& pipeline, int period) {
  Idle(period);
  const auto start = Clock::now();
  auto sh = fw::RuntimeNewObject<fw::Shell>();
  sh->Execute(pipeline.command);
  sh->Close();
  fw::Ref<fw::Picture> picture = fw::RuntimeNewObject<fw::Clipboard>()->Picture();
  pipeline.colour = ColourAt(picture, QCursor::pos());
  pipeline.ms.push_back(MsBetween(start, Clock::now()));
  // xclip may end before its background copy owns the clipboard.
  if (!QGuiApplication::clipboard()->mimeData()->formats().contains("image/png")) ++pipeline.stale;
}

// One table row for this screen (see run_readouts_bench.sh for the columns).
int Bench(MainWindow& window, int repetitions) {
  const QSize size = QGuiApplication::primaryScreen()->geometry().size();
  const std::string screen = std::to_string(size.width()) + "x" + std::to_string(size.height());
  if (!readouts_bench::OpenDirect()) {
    std::fprintf(stderr, "readouts_bench: cannot open the display with shared memory\n");
    return 1;
  }
  const int period = int(window.KeyTimer()->Period());
  const QPoint at = QCursor::pos();
  std::vector<double> tick, grab, work;
  std::string tickColour, workColour;
  Pipeline scrot("scrot -o -z /tmp/readouts_bench.$PPID.png && "
                 "xclip -selection clipboard -t image/png -i /tmp/readouts_bench.$PPID.png");
  Pipeline maim("maim -u | xclip -selection clipboard -t image/png");
  // A few ticks first: the first starts the clipboard's owner.
  for (int i = 0; i < 3; ++i) window.KeyTimer()->Fire();
  // Ticks as far apart as the timer's period, each followed by the floor, so that both see the
  // same load of the shared machine.
  for (int i = 0; i < repetitions; ++i) {
    Idle(period);
    auto start = Clock::now();
    window.KeyTimer()->Fire();
    tick.push_back(MsBetween(start, Clock::now()));
    tickColour = window.St(14)->Text();
    Idle(period);
    start = Clock::now();
    readouts_bench::WarmGrab();
    grab.push_back(MsBetween(start, Clock::now()));
    Idle(period);
    start = Clock::now();
    workColour = readouts_bench::SpecifiedWork("/bin/true", at.x(), at.y());
    work.push_back(MsBetween(start, Clock::now()));
  }
  // The pipelines take up to seconds a run: a third as many runs.
  for (int i = 0; i < std::max(5, repetitions / 3); ++i) {
    RunPipeline(scrot, period);
    RunPipeline(maim, period);
  }
  readouts_bench::CloseDirect();
  std::remove(("/tmp/readouts_bench." + std::to_string(getpid()) + ".png").c_str());

  const Stats t = StatsOf(tick), g = StatsOf(grab), w = StatsOf(work), s = StatsOf(scrot.ms), m = StatsOf(maim.ms);
  std::printf("| %s | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.2fx | %.0f | %.0f | %.1fx | %.1fx | %s %s %s %s |\n",
              screen.c_str(), t.median, t.min, t.max, std::min(1000.0 / period, 1000.0 / t.median), g.median,
              w.median, t.median / w.median, s.median, m.median, s.median / t.median, m.median / t.median,
              tickColour.c_str(), workColour.c_str(), scrot.colour.c_str(), maim.colour.c_str());
  for (const Pipeline* p : {&scrot, &maim})
    if (p->stale)
      std::printf("<!-- %s: %d of %zu pipeline reads found a stale owner (%s) -->\n", screen.c_str(), p->stale,
                  p->ms.size(), p->command);
  std::fflush(stdout);
  return 0;
}

int Descriptors() {
  int n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

// The screencapture processes on this display: the clipboard's owners, once a tick has ended.
int Owners() {
  const std::string display = std::string("DISPLAY=") + std::getenv("DISPLAY");
  int owners = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream comm(entry.path() / "comm");
    std::string name;
    if (!std::getline(comm, name) || name != "screencapture") continue;
    std::ifstream environment(entry.path() / "environ");
    std::string variable;
    while (std::getline(environment, variable, '\0'))
      if (variable == display) ++owners;
  }
  return owners;
}

// The X resources that all clients of the server hold, as xrestop counts them, and the bytes of
// their pixmaps.
std::pair<long, long> XResources() {
  FILE* out = popen("xrestop -b -m 1 2>/dev/null", "r");
  if (!out) return {-1, -1};
  long resources = 0, pixmapBytes = 0;
  char line[256];
  bool own = false;  // xrestop's own client, which comes and goes with each look
  while (std::fgets(line, sizeof line, out)) {
    const std::string text = line;
    if (text[0] != '\t') {
      own = text.find(" xrestop ") != std::string::npos;
      continue;
    }
    const size_t colon = text.find(':');
    if (own || colon == std::string::npos) continue;
    const std::string key = text.substr(1, text.find_last_not_of(' ', colon - 1));
    const long value = std::atol(text.c_str() + colon + 1);
    if (key == "pixmap bytes")
      pixmapBytes += value;
    else if (key != "res_base" && key != "res_mask" && key.find("bytes") == std::string::npos)
      resources += value;
  }
  pclose(out);
  return {resources, pixmapBytes};
}

int Soak(MainWindow& window, int ticks) {
  const auto start = Clock::now();
  std::printf("x_clients_before %d\n", readouts_bench::XClients());
  std::fflush(stdout);
  int mostOwners = 0;
  for (int i = 1; i <= ticks; ++i) {
    window.KeyTimer()->Fire();
    QCoreApplication::processEvents();
    if (i % 10 == 0) mostOwners = std::max(mostOwners, Owners());
    if (i == 100 || i == ticks) {
      const auto [children, zombies] = Children();
      const auto [resources, pixmapBytes] = XResources();
      const char* when = i == 100 ? "first" : "last";
      std::printf("rss_kib_after_%s %ld\n", when, RssKiB());
      std::printf("x_clients_after_%s %d\n", when, readouts_bench::XClients());
      std::printf("x_resources_after_%s %ld\nx_pixmap_bytes_after_%s %ld\n", when, resources, when, pixmapBytes);
      std::printf("descriptors_after_%s %d\n", when, Descriptors());
      std::printf("children_after_%s %d\nzombies_after_%s %d\n", when, children, when, zombies);
      std::fflush(stdout);
    }
  }
  std::printf("most_owners %d\nticks %d\nseconds %.1f\ncolour %s\n", mostOwners, ticks,
              MsBetween(start, Clock::now()) / 1000, window.St(14)->Text().c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (std::string(argv[2]) != "bench" && std::string(argv[2]) != "soak")) {
    std::fprintf(stderr, "usage: readouts_bench <bundle folder> bench|soak [count]\n");
    return 2;
  }
  const std::string mode = argv[2];
  const int count = argc > 3 ? std::max(1, std::atoi(argv[3])) : (mode == "bench" ? 50 : 3000);

  fw::SetBundleService(std::make_unique<fw::FixedBundleService>(std::string(argv[1]) + "/bin"));

  static char name[] = "brindlex";
  static char* args[] = {name, nullptr};
  if (!fw::RuntimeInit(1, args, environ, nullptr)) return 1;
  PerformInitializers();
  StartUp();
  fw::Ref<MainWindow> window =
      fw::RuntimeCheckCast<MainWindow>(fw::GetImplicitWindow("MainWindow.MainWindow"));
  if (!window) {
    std::fprintf(stderr, "readouts_bench: no main window\n");
    return 1;
  }
  // A patch of a known colour right of the program's window, and the pointer on it, so that every
  // read has a known answer. (A picture on the root window would not do: the root is cleared to
  // black once the program's window shows.)
  const QSize size = QGuiApplication::primaryScreen()->geometry().size();
  auto patch = std::make_unique<QWidget>();
  patch->setWindowFlags(Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint);
  patch->setAutoFillBackground(true);
  QPalette palette;
  palette.setColor(QPalette::Window, QColor(0x0A, 0x00, 0xFF));
  patch->setPalette(palette);
  patch->setGeometry(size.width() - 200, 100, 150, 300);
  patch->show();
  QCursor::setPos(size.width() - 120, 250);
  Idle(300);

  const int status = mode == "bench" ? Bench(*window, count) : Soak(*window, count);
  patch.reset();
  window = nullptr;
  fw::RuntimePerformFinalizers();
  fw::RuntimeExit();
  if (mode == "soak") std::printf("x_clients_at_exit %d\n", readouts_bench::XClients());
  return status;
}
