// A whole session of the program, scripted, for running under valgrind memcheck: start,
// "E N T R A", every combination of settings displayed and printed to a printer that
// keeps the page in memory (and renders it to PDF), "ESCI", "E N T R A" again, "E S C I".
// Exits 0 when the session went as expected, so memcheck's own exit code tells the rest.

#include "app/application.h"
#include "forms/form.h"
#include "forms/form_slot.h"
#include "output/pdf_page.h"
#include "pages/page.h"
#include "qt_helpers.h"
#include "ui/stampa.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <QAbstractButton>
#include <QApplication>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>
#include <string>

namespace {

using virdamo::forms::FormSlot;

int failures = 0;

void expect(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "memcheck session: %s\n", what);
        ++failures;
    }
}

/// Clicks the named button of the window in slot, as the user would.
void click(FormSlot& slot, const char* name)
{
    expect(virdamo::test::clickButton(slot.form(), QString::fromLatin1(name)), name);
    QCoreApplication::processEvents();
    virdamo::test::deleteUnloadedWindows();
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);

    virdamo::Modulo1 state;
    virdamo::ClockRandomSource random;
    int pagesPrinted = 0;
    virdamo::app::Application shell(state, random, [&](QWidget* parent) {
        virdamo::pages::PageCapture printer;
        virdamo::ui::cmdStampa_Click(state, printer, parent);
        for (const auto& page : printer.pages()) {
            const QByteArray pdf = virdamo::output::renderPdf(
                page, virdamo::output::Paper{QSizeF(210, 297), QMarginsF(4.2, 4.2, 4.2, 4.2)});
            expect(pdf.startsWith("%PDF"), "the page renders to PDF");
            ++pagesPrinted;
        }
    });
    bool ended = false;
    QObject::connect(&shell.lifecycle(), &virdamo::forms::Lifecycle::ended, &application, [&] {
        ended = true;
        QCoreApplication::exit(0);
    });

    QTimer::singleShot(0, &application, [&] {
        FormSlot& start = shell.frmInizio();
        FormSlot& sheet = shell.frmDue();
        click(start, "Command1");
        for (const char* count : {"Opt5", "Opt10"}) {
            for (const char* multiplicand : {"Opt1(0)", "Opt1(1)", "Opt1(2)"}) {
                for (const char* multiplier : {"Option1(0)", "Option1(1)", "Option1(2)"}) {
                    click(sheet, multiplicand);
                    click(sheet, multiplier);
                    click(sheet, count);
                    click(sheet, "Command1");
                    click(sheet, "cmdStampa");
                }
            }
        }
        click(sheet, "Command2");
        expect(!sheet.isLoaded(), "ESCI unloads the worksheet window");
        click(start, "Command1");
        click(sheet, "Command1");
        click(start, "Command2");
    });

    shell.start();
    const int status = QApplication::exec();
    virdamo::test::deleteUnloadedWindows();
    expect(ended, "E S C I ends the program");
    expect(pagesPrinted == 18, "one page for every combination");
    return status == 0 && failures == 0 ? 0 : 1;
}
