// The class-sheets dialog, with its print, preview and file dialogs answered by the test.

#include "answered_dialogs.h"
#include "app/application.h"
#include "app/class_preferences.h"
#include "app/class_sheets_dialog.h"
#include "app/preview_dialog.h"
#include "forms/form_slot.h"
#include "forms/message_box.h"
#include "output/class_set_pdf.h"
#include "pdf_words.h"
#include "qt_helpers.h"
#include "ui/frm_due.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <sys/stat.h>
#include <unistd.h>

namespace virdamo::app {
namespace {

using namespace Qt::StringLiterals;
using test::AnsweredDialogs;

class ClassSheetsDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        QSettings(ClassPreferences::fileName(), QSettings::IniFormat).clear();  // the choices of a first run
        forms::MessageBox::setHandler(
            [this](forms::MessageIcon, const QString&, const QString& text) { messages_ << text; });
    }
    void TearDown() override
    {
        forms::MessageBox::setHandler({});
        delete dialog_;
    }

    ClassSheetsDialog& open(const std::optional<SheetCode>& shown)
    {
        dialog_ = new ClassSheetsDialog(shown, answers_, nullptr);
        dialog_->setAttribute(Qt::WA_DeleteOnClose, false);
        return *dialog_;
    }
    template <typename T>
    T* field(const char* name)
    {
        return dialog_->findChild<T*>(QString::fromLatin1(name));
    }
    static int pagesOf(const QString& file) { return static_cast<int>(test::readPdfFile(file).size()); }

    AnsweredDialogs answers_;
    QStringList messages_;
    QTemporaryDir dir_;
    ClassSheetsDialog* dialog_ = nullptr;
};

const SheetCode kShown{4, 3, 19, 0x123456789AULL};  // "H28T5-CY4TQ"

TEST_F(ClassSheetsDialogTest, ChecksTheCodeAsTypedAndKeepsOneKindOfPage)
{
    open(kShown);
    EXPECT_EQ(field<QLineEdit>("codice")->text(), QStringLiteral("H28T5-CY4TQ"));
    const char* const settings = "Moltiplicando di 4 cifre, moltiplicatore di 3 cifre, 20 operazioni.";
    const struct {
        const char* typed;
        bool valid;
        const char* message;
    } cases[] = {
        {"h28t5 cy4tq", true, settings},
        {"H28T5–CY4TQ", true, settings},       // an en dash from a word processor
        {"H28T5\u00A0CY4TQ", true, settings},  // a no-break space
        {"H28T5-CY4TR", false, "Codice non valido: controllare di averlo scritto bene."},
        {"H28T5-CY4", false, "Un codice ha 10 o 13 caratteri, come H28T5-CY4TQ (i trattini si possono omettere)."},
        {"H28T5-CY4T?", false, "Il carattere «?» non può stare in un codice."},
        {"U28T5-CY4TQ", false, "Il carattere «U» non può stare in un codice."},
        {"Н28T5-CY4TQ", false, "Il carattere «Н» non può stare in un codice."},  // Cyrillic
        {"H28T5·CY4TQ", false, "Il carattere «·» non può stare in un codice."},
        {"H28T5\u200BCY4TQ", false, "Il carattere U+200B non può stare in un codice."},  // invisible
        {"Z0000-0000Y", false, "Questo codice è di una versione più recente del programma."},
        {"", false, "Scrivere il codice della scheda."},
    };
    for (const auto& c : cases) {
        field<QLineEdit>("codice")->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(field<QLabel>("messaggioCodice")->text(), QString::fromUtf8(c.message)) << c.typed;
        for (const char* output : {"anteprima", "stampa", "salvaPdf", "salvaHtml"}) {
            EXPECT_EQ(field<QAbstractButton>(output)->isEnabled(), c.valid) << c.typed << " " << output;
        }
    }
    field<QCheckBox>("alunni")->setChecked(false);
    EXPECT_FALSE(field<QCheckBox>("soluzioni")->isEnabled()) << "the last kind of page stays";
    field<QCheckBox>("alunni")->setChecked(true);
    EXPECT_TRUE(field<QCheckBox>("soluzioni")->isEnabled());
}

TEST_F(ClassSheetsDialogTest, SavesOnePdfWholeOrNotAtAllAndNeverOverAnythingButAFile)
{
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", dir_.path().toUtf8());
    open(kShown);
    field<QSpinBox>("numeroSchede")->setValue(4);
    const QString fifo = dir_.filePath(QStringLiteral("tubo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_EQ(::symlink("tubo", QFile::encodeName(dir_.filePath(QStringLiteral("collegamento"))).constData()), 0);
    const QString kept = QString::fromUtf8("Il PDF non è stato salvato.\n");
    const struct {
        QString target;
        const char* problem;  // none: saved
    } cases[] = {
        {QStringLiteral("classe.pdf"), nullptr},
        {QStringLiteral("classe.pdf"), nullptr},  // replaced whole
        {QStringLiteral("manca/classe.pdf"), "La cartella scelta non esiste."},
        {QStringLiteral("."), "Il nome scelto è quello di una cartella, non di un file."},
        {QStringLiteral("tubo"), "Il nome scelto non è quello di un file normale, ma di un dispositivo o di una pipe."},
        {QStringLiteral("collegamento"),
         "Il nome scelto non è quello di un file normale, ma di un dispositivo o di una pipe."},
        {QString(300, u'x') + QStringLiteral(".pdf"), "Il nome del file è troppo lungo."},
    };
    for (const auto& c : cases) {
        messages_.clear();
        answers_.saveAs = dir_.filePath(c.target);
        field<QAbstractButton>("salvaPdf")->click();
        if (!c.problem) {
            EXPECT_TRUE(messages_.isEmpty()) << messages_.join(u'\n').toStdString();
            EXPECT_EQ(pagesOf(answers_.saveAs), 8) << "pupils' pages and solutions";
        } else {
            ASSERT_EQ(messages_.size(), 1) << c.target.toStdString();
            EXPECT_EQ(messages_[0], kept + QString::fromUtf8(c.problem)) << c.target.toStdString();
        }
    }
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe is still a pipe";
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList({QStringLiteral("classe.pdf"), QStringLiteral("collegamento"), QStringLiteral("tubo")}))
        << "no partial file";
    EXPECT_EQ(answers_.proposed, dir_.filePath(QStringLiteral("schede-H28T5-CY4TQ.pdf")))
        << "no documents folder: the home folder";
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("Documents")));
    answers_.saveAs.clear();
    field<QAbstractButton>("salvaPdf")->click();
    EXPECT_EQ(answers_.proposed, dir_.filePath(QStringLiteral("Documents/schede-H28T5-CY4TQ.pdf")));

    // The same set as a page for the browser, by the same way to a file.
    answers_.saveAs = dir_.filePath(QStringLiteral("classe.html"));
    field<QAbstractButton>("salvaHtml")->click();
    EXPECT_EQ(answers_.proposed, dir_.filePath(QStringLiteral("Documents/schede-H28T5-CY4TQ.html")));
    QFile page(answers_.saveAs);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().startsWith("<!DOCTYPE html>"));
    answers_.saveAs = dir_.path();
    messages_.clear();
    field<QAbstractButton>("salvaHtml")->click();
    EXPECT_EQ(messages_.value(0),
              QString::fromUtf8("La pagina HTML non è stata salvata.\n"
                                "Il nome scelto è quello di una cartella, non di un file."));
    qputenv("HOME", home);
}

TEST_F(ClassSheetsDialogTest, PreviewsEveryPageOnThePdfPaperWithoutAPrinter)
{
    open(kShown);
    field<QSpinBox>("numeroSchede")->setValue(3);
    field<QAbstractButton>("anteprima")->click();
    EXPECT_EQ(answers_.previewed.size(), 6U);
    ASSERT_TRUE(answers_.previewPaper);
    EXPECT_EQ(answers_.previewPaper->size, output::pdfPaper().size);
    EXPECT_EQ(answers_.printDialogs, 0);
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(QLatin1Char('\n')).toStdString();

    // The preview opens on the first page whole, as tall as the window lets it be.
    PreviewDialog preview(answers_.previewed, *answers_.previewPaper, nullptr);
    preview.show();
    QCoreApplication::processEvents();
    const auto* scroll = preview.findChild<QScrollArea*>();
    const int pages = static_cast<int>(answers_.previewed.size());
    const double pageHeight = scroll->widget()->height() / static_cast<double>(pages);
    EXPECT_LE(pageHeight, scroll->viewport()->height());
    EXPECT_GE(pageHeight, 0.9 * scroll->viewport()->height());
    EXPECT_EQ(scroll->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(preview.findChild<QLabel*>()->text().startsWith(QStringLiteral("Pagina 1 di 6")));
}

// The level of difficulty: what it allows is counted as it is chosen, and choosing one
// draws a new set at it, whose first sheet the worksheet window is to show.
TEST_F(ClassSheetsDialogTest, ALevelChosenDrawsANewSetAtItOrSaysThereIsNone)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const struct {
        SheetCode shown;
        const char* tables;  // digits checked
        int carries;         // qualsiasi, senza, con
        const char* count;   // what the group says
    } cases[] = {
        {SheetCode{4, 3, 19, 7}, "23456789", 0, "Operazioni possibili: 4.608.000."},  // 9000 x 8^3
        {SheetCode{2, 1, 19, 7}, "2", 1, "Operazioni possibili: 45."},                // units to 4, tens any
        {SheetCode{2, 1, 19, 7}, "2", 2, "Operazioni possibili: 45."},
        {SheetCode{2, 1, 19, 7}, "9", 1, "Operazioni possibili: 18. Le operazioni di una scheda si ripeteranno."},
        {SheetCode{2, 1, 19, 7}, "1", 1, "Operazioni possibili: 90."},
        {SheetCode{2, 1, 9, 7}, "0", 1,
         "Nessuna operazione possibile con queste tabelline e questi riporti: sceglierne altri."},
        {SheetCode{2, 1, 19, 7}, "1", 2,
         "Nessuna operazione possibile con queste tabelline e questi riporti: sceglierne altri."},
    };
    for (const auto& c : cases) {
        delete dialog_;
        open(c.shown);
        std::optional<SheetCode> chosen;
        QObject::connect(dialog_, &ClassSheetsDialog::sheetChosen, [&chosen](const SheetCode& code) { chosen = code; });
        field<QComboBox>("riporti")->setCurrentIndex(c.carries);
        for (int d = 0; d <= 9; ++d) {
            field<QCheckBox>(QStringLiteral("tabellina%1").arg(d).toLatin1().constData())
                ->setChecked(QByteArray(c.tables).contains(static_cast<char>('0' + d)));
        }
        const QString count = field<QLabel>("operazioniPossibili")->text();
        EXPECT_EQ(count, QString::fromUtf8(c.count));
        const bool none = QByteArray(c.count).startsWith("Nessuna");
        EXPECT_EQ(field<QAbstractButton>("anteprima")->isEnabled(), !none) << c.tables;
        if (none) {
            continue;
        }
        ASSERT_TRUE(chosen) << c.tables;
        EXPECT_EQ(field<QLineEdit>("codice")->text().toStdString(), chosen->text());
        EXPECT_EQ(chosen->level, dialog_->classSet()->first.level);
        EXPECT_EQ(chosen->multiplierDigits, c.shown.multiplierDigits);
        EXPECT_NE(chosen->seed, c.shown.seed) << "a new set";
    }

    // Decimals: only those that fit the digits are offered; a choice makes a new set of
    // them, which the worksheet window, writing whole numbers, is not asked to show.
    delete dialog_;
    open(SheetCode{3, 2, 19, 7});
    std::optional<SheetCode> shown;
    QObject::connect(dialog_, &ClassSheetsDialog::sheetChosen, [&shown](const SheetCode& code) { shown = code; });
    auto* decimals = field<QComboBox>("decimaliMoltiplicando");
    const auto* items = qobject_cast<QStandardItemModel*>(decimals->model());
    EXPECT_TRUE(items->item(decimals->findData(u"2"_s))->isEnabled());
    EXPECT_FALSE(items->item(decimals->findData(u"3"_s))->isEnabled()) << "3 decimals in 3 digits";
    decimals->setCurrentIndex(decimals->findData(u"2"_s));
    field<QComboBox>("decimaliMoltiplicatore")->setCurrentIndex(1);
    const SheetCode made = dialog_->classSet()->first;
    EXPECT_EQ(std::tuple(made.multiplicandDecimals, made.multiplierDecimals), std::tuple(2, 1));
    EXPECT_EQ(field<QLineEdit>("codice")->text().size(), 17) << "fifteen symbols in three groups";
    EXPECT_FALSE(shown) << "the worksheet window keeps its sheet";
}

TEST_F(ClassSheetsDialogTest, RemembersItsChoicesButTheCodeAcrossTwoOpenings)
{
    QFile names(dir_.filePath(QStringLiteral("nomi.txt")));
    ASSERT_TRUE(names.open(QIODevice::WriteOnly));
    names.write("Niccolò D'Amico\n\n  Çağla Öztürk \nŁucja Wiśniewska\n");
    names.close();
    answers_.namesFile = names.fileName();
    open(kShown);
    field<QSpinBox>("numeroSchede")->setValue(7);
    field<QCheckBox>("soluzioni")->setChecked(false);
    field<QComboBox>("quadretti")->setCurrentIndex(2);  // 5 mm
    field<QCheckBox>("provaDelNove")->setChecked(true);
    field<QCheckBox>("intestazione")->setChecked(false);
    field<QComboBox>("riporti")->setCurrentIndex(1);
    EXPECT_EQ(field<QLabel>("paginePerAlunno")->text(), QStringLiteral("Ogni alunno: 1 pagina (2 con le soluzioni)"));
    field<QSpinBox>("perPagina")->setValue(4);
    EXPECT_EQ(field<QLabel>("paginePerAlunno")->text(), QStringLiteral("Ogni alunno: 5 pagine (10 con le soluzioni)"));
    field<QLineEdit>("titolo")->setText(QStringLiteral("Le moltiplicazioni di Niccolò"));
    field<QLineEdit>("titolo")->textEdited({});
    field<QAbstractButton>("nomiAlunni")->click();
    EXPECT_EQ(field<QLabel>("elencoNomi")->text(), QStringLiteral("3 nomi da nomi.txt"));
    EXPECT_EQ(field<QSpinBox>("numeroSchede")->value(), 3) << "a sheet a name";
    EXPECT_FALSE(field<QSpinBox>("numeroSchede")->isEnabled());
    // Łucja gets the supported version, and the list is saved back with her mark.
    field<QTreeWidget>("nomi")->topLevelItem(2)->setCheckState(1, Qt::Checked);
    field<QAbstractButton>("salvaNomi")->click();
    ASSERT_TRUE(names.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(names.readAll()),
              QStringLiteral("Niccolò D'Amico\nÇağla Öztürk\nŁucja Wiśniewska *\n"));
    names.close();
    const pages::ClassSet set = *dialog_->classSet();
    EXPECT_EQ(set.supported, std::vector<bool>({false, false, true}));
    EXPECT_EQ(set.options.title, QStringLiteral("Le moltiplicazioni di Niccolò"));
    delete dialog_;
    dialog_ = nullptr;

    open(SheetCode{2, 2, 9, 99});
    QCoreApplication::processEvents();  // the new set at the level remembered
    const pages::ClassSet again = *dialog_->classSet();
    EXPECT_EQ(again.names, set.names);
    EXPECT_EQ(again.supported, set.supported);
    EXPECT_EQ(again.sheetCount(), 3);
    EXPECT_EQ(again.pages, pages::PageKinds::Pupils);
    EXPECT_EQ(again.options, set.options);
    EXPECT_EQ(again.first.level, set.first.level);
    EXPECT_EQ(again.first.multiplicandDigits, 2) << "the code is the sheet on show's, not the one remembered";

    answers_.namesFile = dir_.filePath(QStringLiteral("cattivi.txt"));
    QFile bad(answers_.namesFile);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("Anna\nBruno \xEE\x80\x80\n");  // U+E000, which no face draws
    bad.close();
    field<QAbstractButton>("nomiAlunni")->click();
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0],
              QString::fromUtf8("La lista degli alunni non è stata letta.\nIl carattere U+E000 alla riga 2 non "
                                "si può stampare con i caratteri installati."));
    EXPECT_EQ(dialog_->classSet()->names, set.names) << "the list before stays";
}

// Saved choices that cannot be trusted are told once and not used; a folder is never written.
TEST_F(ClassSheetsDialogTest, TellsOnceOfSavedChoicesItCannotUse)
{
    const QString file = ClassPreferences::fileName();
    const QString lead = QString::fromUtf8("La lista degli alunni salvata è stata tolta: letta come un file dei nomi, "
                                           "un nome per riga, non va bene.\n");
    const struct {
        QStringList names;  // saved; none: a folder stands at the file's name
        std::vector<QString> used;
        QString message;
    } cases[] = {
        {{},
         {},
         QString::fromUtf8(
             "Le scelte salvate non si leggono dal file «%1»: Non è un file normale, ma una cartella, un "
             "dispositivo, una pipe o un socket.\nSi parte dalle scelte iniziali, che non saranno salvate.")
             .arg(file)},
        {{QStringLiteral("Anna"), QString(3000, u'a')}, {}, lead + u"Il nome alla riga 2 ha più di 60 caratteri."_s},
        {{QStringLiteral("Anna\x1B[2J")},
         {},
         lead + u"Il carattere U+001B alla riga 1 non si può stampare con i caratteri installati."_s},
        {{QStringLiteral("Anna\tBea ")}, {QStringLiteral("Anna Bea")}, {}},
    };
    for (const auto& c : cases) {
        messages_.clear();
        QFile::remove(file);
        QDir().rmdir(file);
        if (c.names.isEmpty()) {
            ASSERT_TRUE(QDir().mkpath(file));
        } else {
            QSettings(file, QSettings::IniFormat).setValue(u"schede/nomi"_s, c.names);
        }
        delete dialog_;
        open(kShown);
        QCoreApplication::processEvents();
        field<QSpinBox>("numeroSchede")->setValue(3);  // remembered at once
        EXPECT_EQ(messages_, c.message.isEmpty() ? QStringList() : QStringList{c.message}) << c.message.toStdString();
        EXPECT_EQ(dialog_->classSet()->names, c.used);
        EXPECT_EQ(QFileInfo(file).isDir(), c.names.isEmpty()) << "still the folder it was";
    }
}

TEST(ClasseCommand, OpensTheModalDialogOnTheSheetOnShow)
{
    Modulo1 state;
    ClockRandomSource random;
    AnsweredDialogs answers;
    Application app(state, random, [](QWidget*) {});
    app.setOutputDialogs(answers);
    app.start();
    app.frmDue().show();
    auto* due = app.frmDue().formAs<ui::FrmDue>();
    ASSERT_TRUE(virdamo::test::clickButton(due, QStringLiteral("Command1")));
    ASSERT_TRUE(virdamo::test::clickButton(due, QStringLiteral("cmdClasse")));
    auto* dialog = due->findChild<ClassSheetsDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("codice"))->text().toStdString(), due->shownSheet()->text());

    // A level chosen: the worksheet window shows sheet 1 of the new set, which "STAMPA" prints.
    dialog->findChild<QComboBox*>(QStringLiteral("riporti"))->setCurrentIndex(1);
    const std::optional<SheetCode> shown = due->shownSheet();
    ASSERT_TRUE(shown);
    EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("codice"))->text().toStdString(), shown->text());
    EXPECT_EQ(shown->level.carries, CarriesRule::Without);
    Modulo1 expected;
    makeSheet(*shown, expected);
    EXPECT_EQ(state.TxtProdotto, expected.TxtProdotto);
    EXPECT_EQ(due->place(ui::LabelArray::Label1, 0).caption(), QString::number(expected.ValMoltiplicando[0]));
    dialog->close();
    app.frmInizio().unload();
    virdamo::test::deleteUnloadedWindows();
}

}  // namespace
}  // namespace virdamo::app
