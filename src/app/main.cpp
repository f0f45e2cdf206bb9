#include "app/app_icon.h"
#include "app/application.h"
#include "app/command_line.h"
#include "forms/form_slot.h"
#include "output/cups_printer.h"
#include "output/file_output.h"
#include "pages/pupil_names.h"
#include "texts/messages.h"
#include "texts/texts.h"
#include "ui/stampa.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

/// Gives every standard file that whoever started the program closed to /dev/null, so that
/// no file the program opens later takes its number and gets what is meant for it. Tells
/// whether standard output was one of them.
bool claimClosedStandardFiles()
{
    bool outputClosed = false;
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            outputClosed = outputClosed || fd == STDOUT_FILENO;
            // The lowest free number: fd itself, as the lower ones are open by now.
            (void)::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        }
    }
    return outputClosed;
}

/// A command line that opens no window: help and version need no application at all, a
/// PDF one without windows, drawn off screen whatever display there is.
int runWithoutWindows(const virdamo::app::CommandLine& line, int argc, char** argv, bool outputClosed)
{
    std::FILE* out = outputClosed ? nullptr : stdout;
    if (line.action != virdamo::app::CommandLine::Action::WriteFiles) {
        return virdamo::app::runCommandLine(line, out, stderr);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error carries the program's own Italian lines only; Qt's notes are not the user's.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "virdamo: %s\n", qPrintable(text));
        }
    });
    const QGuiApplication application(argc, argv);
    return virdamo::app::runCommandLine(line, out, stderr);
}

/// Without a display the windows cannot open: the user is told in one Italian line what is
/// missing and how to start the program, and it ends with status 1, instead of the toolkit
/// aborting with a message of its own. Until the application exists, the toolkit's notes
/// (about the display it could not open) are held back.
void holdToolkitNotesUntilStarted()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
        if (type != QtFatalMsg) {
            return;
        }
        const QByteArray display = qgetenv("DISPLAY");
        const QString line = display.isEmpty() && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
            ? virdamo::texts::kNoDisplay
            : virdamo::texts::kDisplayUnreachable.arg(
                QString::fromLocal8Bit(display.isEmpty() ? qgetenv("WAYLAND_DISPLAY") : display));
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        std::_Exit(1);
    });
}

}  // namespace

int main(int argc, char** argv)
{
    const bool outputClosed = claimClosedStandardFiles();
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << virdamo::texts::argumentText(argv[i]);
    }
    const virdamo::app::CommandLine line = virdamo::app::readCommandLine(arguments);
    using Action = virdamo::app::CommandLine::Action;
    if (line.action != Action::OpenWindows && line.action != Action::OpenLavagna) {
        return runWithoutWindows(line, argc, argv, outputClosed);
    }

    holdToolkitNotesUntilStarted();
    QApplication application(argc, argv);
    qInstallMessageHandler(nullptr);
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));
    // The class dialog's choices are kept in the user's settings, under the program's name.
    QCoreApplication::setOrganizationName(u"virdamo"_s);
    QCoreApplication::setApplicationName(u"virdamo"_s);
    // The program ends when no window is loaded; the lifecycle, not Qt, decides that.
    QApplication::setQuitOnLastWindowClosed(false);
    QGuiApplication::setDesktopFileName(u"virdamo"_s);
    QApplication::setWindowIcon(virdamo::app::windowIcon());
    // The program speaks Italian whatever the machine's language: so do Qt's own dialogs
    // (print, preview, files) and the context menus of its fields.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Italian), u"qtbase"_s, u"_"_s,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTexts);
    }

    virdamo::Modulo1 state;
    virdamo::ClockRandomSource random;
    // One printer per press: a job abandoned half-way can never leak into the next one.
    virdamo::app::Application shell(state, random, [&state](QWidget* parent) {
        virdamo::output::CupsPrinter printer;
        virdamo::ui::cmdStampa_Click(state, printer, parent);
    });
    QObject::connect(&shell.lifecycle(), &virdamo::forms::Lifecycle::ended, &application,
                     [] { QCoreApplication::exit(0); });

    if (line.action == Action::OpenLavagna) {
        shell.startOnLavagna(line.lavagna.multiplicand, line.lavagna.multiplier, line.lavagna.multiplicandDecimals,
                             line.lavagna.multiplierDecimals);
    } else {
        shell.start();
    }
    const int status = QApplication::exec();
    // Unloaded windows are deleted late; let them go while the application still exists.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
