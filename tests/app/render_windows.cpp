// Renders the windows to PNG files, for looking at them and for the README's pictures:
//   app_render_windows <directory>
// writes frm_inizio.png, frm_due.png (after "VISUALIZZA" with 4 x 3 digits),
// frm_inizio_wide.png (the start window at twice its design width), classe.png (the class
// dialog on the sheet on show, with a level and squared pages chosen) and lavagna.png (the
// whiteboard at 1600 x 900 in the middle of 2305 x 104, at a step that carries), and
// scheda_html.png (the page for the browser in chromium at 1280 x 800, a pupil's first
// operation begun, after a wrong key). The settings are the program's first-run ones,
// whatever the user running it has chosen.

#include "app/application.h"
#include "app/class_sheets_dialog.h"
#include "app/frm_inizio.h"
#include "forms/form_slot.h"
#include "headless_browser.h"
#include "output/html_sheets.h"
#include "qt_helpers.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"
#include "worksheet/sheet.h"
#include "worksheet/steps.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QLocale>
#include <QPixmap>
#include <QSpinBox>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdio>

namespace {

using virdamo::test::clickButton;

bool save(QWidget* window, const QDir& dir, const QString& file)
{
    QApplication::processEvents();
    // Full colour: a palette of 256 dithers the colours it lacks into specks over white
    // squares, and the specks make the file larger, not smaller.
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32).save(dir.filePath(file), "PNG");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QDir dir(QString::fromLocal8Bit(argv[1]));

    virdamo::Modulo1 state;
    virdamo::ClockRandomSource random;
    virdamo::app::Application shell(state, random, [](QWidget*) {});
    shell.start();
    QWidget* start = shell.frmInizio().form();
    bool ok = save(start, dir, QStringLiteral("frm_inizio.png"));

    clickButton(start, QStringLiteral("Command1"));
    QWidget* sheet = shell.frmDue().form();
    clickButton(sheet, QStringLiteral("Opt1(2)"));
    clickButton(sheet, QStringLiteral("Option1(2)"));
    clickButton(sheet, QStringLiteral("Command1"));
    ok = save(sheet, dir, QStringLiteral("frm_due.png")) && ok;

    clickButton(sheet, QStringLiteral("cmdClasse"));
    if (auto* classe = sheet->findChild<virdamo::app::ClassSheetsDialog*>()) {
        classe->findChild<QSpinBox*>(QStringLiteral("numeroSchede"))->setValue(25);
        for (const int d : {0, 1}) {
            classe->findChild<QCheckBox*>(QStringLiteral("tabellina%1").arg(d))->setChecked(false);
        }
        classe->findChild<QComboBox*>(QStringLiteral("riporti"))->setCurrentIndex(1);
        classe->findChild<QComboBox*>(QStringLiteral("quadretti"))->setCurrentIndex(2);
        classe->findChild<QCheckBox*>(QStringLiteral("mostraRiporti"))->setChecked(true);
        classe->findChild<QCheckBox*>(QStringLiteral("provaDelNove"))->setChecked(true);
        classe->adjustSize();
        ok = save(classe, dir, QStringLiteral("classe.png")) && ok;
        classe->close();
    } else {
        ok = false;
    }

    start->resize(start->width() * 2, start->height());
    ok = save(start, dir, QStringLiteral("frm_inizio_wide.png")) && ok;

    shell.startOnLavagna(2305, 104);
    QWidget* board = shell.lavagna().form();
    // Once shown and placed on the screen, at the size of a whiteboard's picture.
    QApplication::processEvents();
    board->setWindowState(Qt::WindowNoState);
    board->resize(1600, 900);
    for (int step = 1; step <= 3; ++step) clickButton(board, QStringLiteral("avanti"));  // 3 x 4 = 12: 2, carry 1
    ok = save(board, dir, QStringLiteral("lavagna.png")) && ok;

    // Niccolò's sheet of ten 3 x 2 operations, the code of the README's pages: the first
    // operation's units row typed, and a wrong key for the next digit.
    virdamo::pages::ClassSet set;
    set.first = *virdamo::parseSheetCode("8RQRH-24M61").code;
    set.options = virdamo::pages::PageOptions{5.0, true, true, true, {}};
    set.names = {QString::fromUtf8("Niccolò D'Amico")};
    const QTemporaryDir scratch;
    const QString page = scratch.filePath(QStringLiteral("scheda.html"));
    QFile file(page);
    ok = file.open(QIODevice::WriteOnly) && file.write(virdamo::output::classSetHtml(set)) > 0 && ok;
    file.close();
    virdamo::test::HeadlessBrowser browser(1280, 800);
    browser.open(QString::fromUtf8(QUrl::fromLocalFile(page).toEncoded()),
                 QStringLiteral("document.documentElement.dataset.ready !== undefined"));
    browser.evaluate(QStringLiteral("document.querySelector('#names button').click()"));
    const virdamo::WorkedOperation first = virdamo::sheetOf(set.first).operations.front();
    const std::vector<virdamo::Step> steps = virdamo::stepsOf(first.multiplicand, first.multiplier);
    for (std::size_t s = 0; s < steps.size() && s < 4; ++s) {
        for (const virdamo::ExpectedKey& key : steps[s].keys) browser.press(QString::number(key.digit));
    }
    browser.press(QStringLiteral("0") == QString::number(steps[4].keys.front().digit) ? QStringLiteral("1")
                                                                                      : QStringLiteral("0"));
    QFile shot(dir.filePath(QStringLiteral("scheda_html.png")));
    ok = shot.open(QIODevice::WriteOnly)
        && shot.write(QByteArray::fromBase64(
               browser.call(QStringLiteral("Page.captureScreenshot"))[QStringLiteral("data")].toString().toLatin1()))
            > 0
        && ok;
    return ok ? 0 : 1;
}
