// The live readouts' tick on a real X display, through the program's own window and services:
// the window is built by the real start-up road, and each tick is the real KeyTimer_Run with the
// real keyboard, pointer, fw::Shell (which runs the bundle's screencapture) and fw::Clipboard.
//
//   readouts_bench <bundle folder> bench [repetitions]
//     One Markdown table row per measurement (milliseconds, median and 90th percentile):
//     (a) the tick without a held key, from Shell.Execute to the colour text, and the whole tick
//         with its scan of the 128 key codes; (b) a one-pixel XGetImage at the pointer on a
//         connection opened beforehand; (c) `maim | xclip -selection clipboard -t image/png` run
//         by the same fw::Shell, then the same fw::Clipboard picture, pixel and colour text.
//   readouts_bench <bundle folder> soak [ticks]
//     Ticks at full speed (the event loop runs between ticks, as it does between timer events) and
//     prints "key value" lines: the resident memory after tick 100 and after the last, the X
//     clients and this process's children at those points.
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

// The real shell, noting when each command started and how long it took.
class TimedShell : public fw::ShellService {
 public:
  Outcome Execute(const std::string& commandLine) override {
    started = Clock::now();
    Outcome outcome = real_.Execute(commandLine);
    ms = MsBetween(started, Clock::now());
    return outcome;
  }
  Clock::time_point started;
  double ms = 0;

 private:
  fw::ProcessShellService real_;
};

// The real clipboard, noting how long each picture took.
class TimedClipboard : public fw::ClipboardService {
 public:
  fw::Ref<fw::Picture> Picture() override {
    const auto start = Clock::now();
    fw::Ref<fw::Picture> picture = real_.Picture();
    ms = MsBetween(start, Clock::now());
    return picture;
  }
  double ms = 0;

 private:
  fw::SystemClipboardService real_;
};

struct Stats {
  double median;
  double p90;
};

Stats StatsOf(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
  return {median, ms[size_t(std::ceil(0.9 * double(n))) - 1]};
}

void Row(const std::string& screen, const char* what, const std::vector<double>& ms,
         const std::string& colour) {
  const Stats s = StatsOf(ms);
  std::printf("| %s | %s | %.1f | %.1f | %s |\n", screen.c_str(), what, s.median, s.p90,
              colour.c_str());
  std::fflush(stdout);
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

int Bench(MainWindow& window, TimedShell& shell, TimedClipboard& clipboard, int repetitions) {
  const QSize size = QGuiApplication::primaryScreen()->geometry().size();
  const std::string screen = std::to_string(size.width()) + "x" + std::to_string(size.height());

  std::vector<double> tick, fromExecute, command, read, direct, pipe, pipeRead;
  std::string tickColour, directColour, pipeColour;
  // Ticks as far apart as the timer's period: the X server is still busy for some 20 ms after a
  // tick (the replaced clipboard owner leaving), which closer ticks would measure too.
  const int period = int(window.KeyTimer()->Period());
  for (int i = 0; i < repetitions; ++i) {
    Idle(period);
    const auto start = Clock::now();
    window.KeyTimer()->Fire();
    const auto end = Clock::now();
    tick.push_back(MsBetween(start, end));
    fromExecute.push_back(MsBetween(shell.started, end));
    command.push_back(shell.ms);
    read.push_back(clipboard.ms);
    tickColour = window.St(14)->Text();
  }

  if (!readouts_bench::OpenDirect()) {
    std::fprintf(stderr, "readouts_bench: cannot open display\n");
    return 1;
  }
  for (int i = 0; i < repetitions; ++i) {
    Idle(5);
    const auto start = Clock::now();
    const QPoint at = QCursor::pos();
    directColour = readouts_bench::DirectPixel(at.x(), at.y());
    direct.push_back(MsBetween(start, Clock::now()));
  }
  readouts_bench::CloseDirect();

  int stale = 0;
  for (int i = 0; i < repetitions; ++i) {
    Idle(period);
    const auto start = Clock::now();
    auto sh = fw::RuntimeNewObject<fw::Shell>();
    sh->Execute("maim | xclip -selection clipboard -t image/png");
    sh->Close();
    fw::Ref<fw::Picture> picture = fw::RuntimeNewObject<fw::Clipboard>()->Picture();
    pipeColour = ColourAt(picture, QCursor::pos());
    pipe.push_back(MsBetween(start, Clock::now()));
    pipeRead.push_back(clipboard.ms);
    // xclip may end before its background copy owns the clipboard; such a read found the
    // previous owner's picture and is counted apart.
    if (!QGuiApplication::clipboard()->mimeData()->formats().contains("image/png")) ++stale;
  }

  Row(screen, "(a) tick, Shell.Execute to the colour text", fromExecute, tickColour);
  Row(screen, "    of which Shell.Execute(\"screencapture -c -x\")", command, tickColour);
  Row(screen, "    of which Clipboard.Picture", read, tickColour);
  Row(screen, "(a') whole KeyTimer_Run, with the scan of 128 key codes", tick, tickColour);
  Row(screen, "(b) direct: XGetImage of one pixel", direct, directColour);
  Row(screen, "(c) pipeline: maim | xclip (PNG), Clipboard.Picture, pixel, text", pipe, pipeColour);
  Row(screen, "    of which Clipboard.Picture", pipeRead, pipeColour);
  std::printf("| %s | (c) / (a), medians | %.1fx | | |\n", screen.c_str(),
              StatsOf(pipe).median / StatsOf(fromExecute).median);
  if (stale)
    std::printf("<!-- %s: %d of %d pipeline reads found a stale owner -->\n", screen.c_str(), stale,
                repetitions);
  return 0;
}

int Soak(MainWindow& window, int ticks) {
  const auto start = Clock::now();
  std::printf("x_clients_before %d\n", readouts_bench::XClients());
  std::fflush(stdout);
  for (int i = 1; i <= ticks; ++i) {
    window.KeyTimer()->Fire();
    QCoreApplication::processEvents();
    if (i == 100 || i == ticks) {
      const auto [children, zombies] = Children();
      const char* when = i == 100 ? "first" : "last";
      std::printf("rss_kib_after_%s %ld\n", when, RssKiB());
      std::printf("x_clients_after_%s %d\n", when, readouts_bench::XClients());
      std::printf("children_after_%s %d\nzombies_after_%s %d\n", when, children, when, zombies);
      std::fflush(stdout);
    }
  }
  std::printf("ticks %d\nseconds %.1f\ncolour %s\n", ticks,
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
  auto shellService = std::make_unique<TimedShell>();
  auto clipboardService = std::make_unique<TimedClipboard>();
  TimedShell& shell = *shellService;
  TimedClipboard& clipboard = *clipboardService;
  fw::SetShellService(std::move(shellService));
  fw::SetClipboardService(std::move(clipboardService));

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

  const int status = mode == "bench" ? Bench(*window, shell, clipboard, count) : Soak(*window, count);
  patch.reset();
  window = nullptr;
  fw::RuntimePerformFinalizers();
  fw::RuntimeExit();
  if (mode == "soak") std::printf("x_clients_at_exit %d\n", readouts_bench::XClients());
  return status;
}
