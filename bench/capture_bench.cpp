// Times the colour readout's tick against two references, on the X display it is started on:
//   (a) tick    "screencapture -c -x" run with QProcess and waited for, QClipboard::image(), the
//               pixel at the pointer, the six-digit colour text;
//   (b) direct  a one-pixel XGetImage at the pointer, on a connection opened beforehand;
//   (c) pipe    `maim -u | xclip -selection clipboard -t image/png` (-u: without the pointer), then the same clipboard read.
// Then (a) once more in a reader that keeps freed memory for reuse (mallopt), which shows what
// the reader's own page faults cost.
// Usage: capture_bench <folder holding screencapture> [repetitions]
// Prints Markdown table rows: milliseconds, median and 90th percentile.

#include <QClipboard>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

namespace {

// The readout ticks every 100 ms: between two ticks of some 25 ms the event loop runs this long.
constexpr int kIdleMs = 75;
// Ticks run and not counted before the measured ones.
constexpr int kWarmUp = 10;

struct Stats {
    double median;
    double p90;
};

Stats stats(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const std::size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    return {median, ms[std::size_t(std::ceil(0.9 * double(n))) - 1]};
}

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The text the readout shows: two capital hexadecimal digits per component.
QString colourText(QRgb colour)
{
    auto two = [](int v) { return (QStringLiteral("00") + QString::number(v, 16).toUpper()).right(2); };
    return two(qRed(colour)) + two(qGreen(colour)) + two(qBlue(colour));
}

// Lets the event loop run between repetitions, as it does between the readout's ticks.
void idle()
{
    QEventLoop loop;
    QTimer::singleShot(kIdleMs, &loop, &QEventLoop::quit);
    loop.exec();
}

// The clipboard read that follows a capture: the colour text at the pointer, "none" without a
// picture there. Adds the time QClipboard::image() took to `readMs`.
QString clipboardColour(std::vector<double>& readMs)
{
    QElapsedTimer timer;
    timer.start();
    const QImage picture = QGuiApplication::clipboard()->image();
    readMs.push_back(msSince(timer));
    const QPoint at = QCursor::pos();
    if (picture.isNull() || !picture.rect().contains(at))
        return QStringLiteral("none");
    return colourText(picture.pixel(at));
}

struct Run {
    std::vector<double> total, command, read;
    QString colour;
    int stale = 0;  // reads that found no picture of the expected type on the clipboard
};

// Runs a command that puts a picture of the given type on the clipboard, waits for it, reads
// the clipboard's picture and the colour at the pointer; `repetitions` times.
Run commandTicks(int repetitions, const std::function<void(QProcess&)>& start, const QString& type)
{
    Run run;
    for (int i = 0; i < repetitions; ++i) {
        idle();
        QElapsedTimer timer;
        timer.start();
        QProcess shell;
        start(shell);
        shell.waitForFinished(-1);
        run.command.push_back(msSince(timer));
        run.colour = clipboardColour(run.read);
        run.total.push_back(msSince(timer));
        if (!QGuiApplication::clipboard()->mimeData()->formats().contains(type))
            ++run.stale;
    }
    return run;
}

// (a): the command line as the readout runs it, found on PATH.
Run ticks(int repetitions)
{
    return commandTicks(
        repetitions, [](QProcess& shell) { shell.startCommand(QStringLiteral("screencapture -c -x")); },
        QStringLiteral("image/bmp"));
}

// (c): xclip's parent may end before its background copy owns the clipboard, so some reads may
// find the previous owner's picture; they are counted.
Run pipeline(int repetitions)
{
    return commandTicks(
        repetitions,
        [](QProcess& shell) {
            shell.start(QStringLiteral("sh"),
                        {QStringLiteral("-c"), QStringLiteral("maim -u | xclip -selection clipboard -t image/png")});
        },
        QStringLiteral("image/png"));
}

// (b)
Run directReads(Display* display, int repetitions)
{
    Run run;
    const Window root = DefaultRootWindow(display);
    for (int i = 0; i < repetitions; ++i) {
        idle();
        QElapsedTimer timer;
        timer.start();
        const QPoint at = QCursor::pos();
        XImage* pixel = XGetImage(display, root, at.x(), at.y(), 1, 1, AllPlanes, ZPixmap);
        const unsigned long value = pixel ? XGetPixel(pixel, 0, 0) : 0;
        if (pixel)
            XDestroyImage(pixel);
        run.colour = colourText(QRgb(value));
        run.total.push_back(msSince(timer));
    }
    return run;
}

void row(const QByteArray& screen, const char* what, const std::vector<double>& ms, const QString& colour = {})
{
    const Stats s = stats(ms);
    std::printf("| %s | %s | %.1f | %.1f | %s |\n", screen.constData(), what, s.median, s.p90,
                qPrintable(colour));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: capture_bench <folder holding screencapture> [repetitions]\n");
        return 2;
    }
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
    qputenv("PATH", QByteArray(argv[1]) + ":" + qgetenv("PATH"));

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "capture_bench: cannot open display\n");
        return 1;
    }
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    const QByteArray screen = QByteArray::number(size.width()) + "x" + QByteArray::number(size.height());
    QCursor::setPos(size.width() * 2 / 5, size.height() * 3 / 5);
    idle();

    // A fresh server has yet to grow its buffers; a desktop's has long done so.
    ticks(kWarmUp);
    const Run a = ticks(repetitions);
    const Run b = directReads(display, repetitions);
    const Run c = pipeline(repetitions);
    // Freed blocks of any size stay in the heap for the next tick instead of going back to the
    // system, to come back as fresh pages that fault in one by one.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    const Run kept = ticks(repetitions);

    row(screen, "(a) tick: screencapture -c -x, clipboard image, pixel, text", a.total, a.colour);
    row(screen, "&nbsp;&nbsp;of which the command", a.command);
    row(screen, "&nbsp;&nbsp;of which QClipboard::image()", a.read);
    row(screen, "(b) direct: XGetImage of one pixel at the pointer", b.total, b.colour);
    row(screen, "(c) pipeline: maim -u \\| xclip (PNG), clipboard image, pixel, text", c.total, c.colour);
    row(screen, "&nbsp;&nbsp;of which the command", c.command);
    row(screen, "&nbsp;&nbsp;of which QClipboard::image()", c.read);
    std::printf("| %s | (c) / (a), medians | %.1fx | | |\n", screen.constData(),
                stats(c.total).median / stats(a.total).median);
    row(screen, "(a) in a reader that keeps freed memory (mallopt)", kept.total, kept.colour);
    for (const auto& [name, run] : {std::pair{"(a)", &a}, std::pair{"(c)", &c}, std::pair{"(a), mallopt", &kept}}) {
        if (run->stale)
            std::printf("| %s | %s reads that found the previous owner's picture | %d of %d | | |\n",
                        screen.constData(), name, run->stale, repetitions);
    }
    XCloseDisplay(display);
    return 0;
}
