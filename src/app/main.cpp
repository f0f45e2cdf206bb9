#include "app/app_icon.h"
#include "app/application.h"
#include "forms/form_slot.h"
#include "print/cups_printer.h"
#include "print/stampa.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The program ends when no window is loaded; the lifecycle, not Qt, decides that.
    QApplication::setQuitOnLastWindowClosed(false);
    QGuiApplication::setDesktopFileName(QStringLiteral("virdamo"));
    QApplication::setWindowIcon(virdamo::app::windowIcon());
    // The program speaks Italian whatever the machine's language: so do Qt's own dialogs
    // (print, preview, files) and the context menus of its fields.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTexts);
    }

    virdamo::Modulo1 state;
    virdamo::ClockRandomSource random;
    // One printer per press: a job abandoned half-way can never leak into the next one.
    virdamo::app::Application shell(state, random, [&state](QWidget* parent) {
        virdamo::print::CupsPrinter printer;
        virdamo::print::cmdStampa_Click(state, printer, parent);
    });
    QObject::connect(&shell.lifecycle(), &virdamo::forms::Lifecycle::ended, &application,
                     [] { QCoreApplication::exit(0); });

    shell.start();
    const int status = QApplication::exec();
    // Unloaded windows are deleted late; let them go while the application still exists.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
