// Loaded into the real program with LD_PRELOAD by the executable tests and the start-up
// benchmark; the program itself has no switch for being driven from outside.
//
// Once the start window is first exposed it prints, on standard output:
//   exposed <ns>        CLOCK_MONOTONIC when the start window was exposed
//   windows <titles>    every top-level window that exists then, '|'-separated
//   painted <ns>        CLOCK_MONOTONIC once that expose (the first paint) was handled
// then runs the steps of VIRDAMO_PROBE_SCRIPT (comma-separated; default close-start),
// one per turn of the event loop, printing after each
//   step <name> visible <titles of the visible top-level windows>
// Steps: enter, esci-start, close-start (the start window), close-worksheet,
// esci-worksheet (the worksheet window). The program is left to end by itself.

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <ctime>

namespace {

const QString kStartTitle = QStringLiteral("Stampa virdamo");
const QString kWorksheetTitle = QStringLiteral("Visualizzazione scheda delle moltiplicazioni");
const QString kLavagnaTitle = QStringLiteral("Lavagna");

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

void report(const QString& line)
{
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QString titles(bool visibleOnly)
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!visibleOnly || w->isVisible()) {
            names << w->windowTitle();
        }
    }
    names.sort();
    return names.join(QLatin1Char('|'));
}

QWidget* visibleWindow(const QString& title)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowTitle() == title) {
            return w;
        }
    }
    return nullptr;
}

void click(const QString& title, const QString& button)
{
    if (QWidget* window = visibleWindow(title)) {
        if (auto* b = window->findChild<QAbstractButton*>(button)) {
            b->click();
        }
    }
}

void close(const QString& title)
{
    if (QWidget* window = visibleWindow(title)) {
        window->close();
    }
}

void runStep(const QString& step)
{
    if (step == QLatin1String("enter")) {
        click(kStartTitle, QStringLiteral("Command1"));
    } else if (step == QLatin1String("esci-start")) {
        click(kStartTitle, QStringLiteral("Command2"));
    } else if (step == QLatin1String("close-start")) {
        close(kStartTitle);
    } else if (step == QLatin1String("close-worksheet")) {
        close(kWorksheetTitle);
    } else if (step == QLatin1String("close-lavagna")) {
        close(kLavagnaTitle);
    } else if (step == QLatin1String("esci-worksheet")) {
        click(kWorksheetTitle, QStringLiteral("Command2"));
    }
    report(QStringLiteral("step %1 visible %2").arg(step, titles(true)));
}

void runScript(QStringList steps)
{
    if (steps.isEmpty()) {
        return;
    }
    const QString step = steps.takeFirst();
    QTimer::singleShot(0, qApp, [step, steps] {
        runStep(step);
        runScript(steps);
    });
}

class Probe final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen_ && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            // The first window the program opens: the start window, or the whiteboard alone.
            if (window && window->isExposed()) {
                seen_ = true;
                report(QStringLiteral("exposed %1").arg(monotonicNanoseconds()));
                report(QStringLiteral("windows %1").arg(titles(false)));
                // Queued: runs once this expose, and the paint it triggers, are handled.
                QMetaObject::invokeMethod(
                    qApp,
                    [] {
                        report(QStringLiteral("painted %1").arg(monotonicNanoseconds()));
                        QString script = qEnvironmentVariable("VIRDAMO_PROBE_SCRIPT");
                        if (script.isEmpty()) {
                            script = QStringLiteral("close-start");
                        }
                        runScript(script.split(QLatin1Char(','), Qt::SkipEmptyParts));
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    bool seen_ = false;
};

void installProbe()
{
    qApp->installEventFilter(new Probe(qApp));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
