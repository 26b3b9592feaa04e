// Times the colour readout's tick against two references, on the X display it is started on:
//   tick    running "screencapture -c -x" with QProcess and waiting for it, QClipboard::image(),
//           the pixel at the pointer, the six-digit colour text;
//   direct  a one-pixel XGetImage at the pointer, on a connection opened beforehand;
//   pipe    `maim | xclip -selection clipboard -t image/png`, then the same clipboard read.
// Usage: capture_bench <folder holding screencapture> [repetitions]
// Prints one Markdown table row per measurement (milliseconds, median and 90th percentile).

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

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Stats {
    double median;
    double p90;
};

Stats stats(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const std::size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    const std::size_t p90 = std::size_t(std::ceil(0.9 * double(n))) - 1;
    return {median, ms[p90]};
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
void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool runCommand(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// The clipboard read that follows a capture; records its time and the colour text.
QString clipboardColour(double* readMs)
{
    QElapsedTimer timer;
    timer.start();
    const QImage picture = QGuiApplication::clipboard()->image();
    if (readMs)
        *readMs = msSince(timer);
    const QPoint at = QCursor::pos();
    if (picture.isNull() || !picture.rect().contains(at))
        return QStringLiteral("none");
    return colourText(picture.pixel(at));
}

void row(const char* screen, const char* what, const std::vector<double>& ms, const QString& colour)
{
    const Stats s = stats(ms);
    std::printf("| %s | %s | %.1f | %.1f | %s |\n", screen, what, s.median, s.p90, qPrintable(colour));
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
    // The readout runs the command line as it stands, so the tool is found on PATH.
    qputenv("PATH", QByteArray(argv[1]) + ":" + qgetenv("PATH"));

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "capture_bench: cannot open display\n");
        return 1;
    }
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    const QByteArray screen = QByteArray::number(size.width()) + "x" + QByteArray::number(size.height());
    QCursor::setPos(size.width() * 2 / 5, size.height() * 3 / 5);
    idle(50);

    std::vector<double> tick, process, read, direct, pipe, pipeRead;
    QString tickColour, directColour, pipeColour;
    int stale = 0;

    for (int i = 0; i < repetitions; ++i) {
        idle(20);
        QElapsedTimer timer;
        timer.start();
        QProcess shell;
        shell.startCommand(QStringLiteral("screencapture -c -x"));
        shell.waitForFinished(-1);
        process.push_back(msSince(timer));
        double readMs = 0;
        tickColour = clipboardColour(&readMs);
        tick.push_back(msSince(timer));
        read.push_back(readMs);
    }

    const Window root = DefaultRootWindow(display);
    for (int i = 0; i < repetitions; ++i) {
        idle(5);
        QElapsedTimer timer;
        timer.start();
        const QPoint at = QCursor::pos();
        XImage* pixel = XGetImage(display, root, at.x(), at.y(), 1, 1, AllPlanes, ZPixmap);
        const unsigned long value = pixel ? XGetPixel(pixel, 0, 0) : 0;
        if (pixel)
            XDestroyImage(pixel);
        directColour = colourText(QRgb(value));
        direct.push_back(msSince(timer));
    }

    for (int i = 0; i < repetitions; ++i) {
        idle(20);
        QElapsedTimer timer;
        timer.start();
        runCommand(QStringLiteral("sh"), {QStringLiteral("-c"),
                                          QStringLiteral("maim | xclip -selection clipboard -t image/png")});
        double readMs = 0;
        pipeColour = clipboardColour(&readMs);
        pipe.push_back(msSince(timer));
        pipeRead.push_back(readMs);
        // xclip's parent may end before its background copy owns the clipboard; such a read
        // found the previous owner's picture and is counted apart.
        if (!QGuiApplication::clipboard()->mimeData()->formats().contains(QStringLiteral("image/png")))
            ++stale;
    }

    row(screen.constData(), "(a) tick: screencapture -c -x, clipboard image, pixel, text", tick, tickColour);
    row(screen.constData(), "    of which the command", process, tickColour);
    row(screen.constData(), "    of which QClipboard::image()", read, tickColour);
    row(screen.constData(), "(b) direct: XGetImage of one pixel", direct, directColour);
    row(screen.constData(), "(c) pipeline: maim | xclip (PNG), clipboard image, pixel, text", pipe, pipeColour);
    row(screen.constData(), "    of which QClipboard::image()", pipeRead, pipeColour);
    const double speedup = stats(pipe).median / stats(tick).median;
    std::printf("| %s | (c) / (a), medians | %.1fx | | |\n", screen.constData(), speedup);
    if (stale)
        std::printf("<!-- %s: %d of %d pipeline reads found a stale owner -->\n", screen.constData(), stale,
                    repetitions);
    XCloseDisplay(display);
    return 0;
}
