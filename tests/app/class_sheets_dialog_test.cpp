// The class-sheets dialog, with its print, preview and file dialogs answered by the test.

#include "answered_dialogs.h"
#include "app/application.h"
#include "app/class_sheets_dialog.h"
#include "forms/form_slot.h"
#include "forms/message_box.h"
#include "pdf_words.h"
#include "qt_helpers.h"
#include "ui/frm_due.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace virdamo::app {
namespace {

using test::AnsweredDialogs;

class ClassSheetsDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
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
    static int pagesOf(const QString& file) { return static_cast<int>(print::test::readPdfFile(file).size()); }

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
        {"H28T5-CY4", false, "Un codice ha 10 caratteri, come H28T5-CY4TQ (il trattino si può omettere)."},
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
        for (const char* output : {"anteprima", "stampa", "salvaPdf"}) {
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
        {QStringLiteral("tubo"),
         "Il nome scelto non è quello di un file normale (è un dispositivo o una pipe): non viene sostituito."},
        {QStringLiteral("collegamento"),
         "Il nome scelto non è quello di un file normale (è un dispositivo o una pipe): non viene sostituito."},
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
    qputenv("HOME", home);
}

TEST_F(ClassSheetsDialogTest, PreviewsEveryPageOnThePdfPaperWithoutAPrinter)
{
    open(kShown);
    field<QSpinBox>("numeroSchede")->setValue(3);
    field<QAbstractButton>("anteprima")->click();
    EXPECT_EQ(answers_.previewed.size(), 6U);
    ASSERT_TRUE(answers_.previewPaper);
    EXPECT_EQ(answers_.previewPaper->size, print::pdfPaper().size);
    EXPECT_EQ(answers_.printDialogs, 0);
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(QLatin1Char('\n')).toStdString();
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
    dialog->close();
    app.frmInizio().unload();
    virdamo::test::deleteUnloadedWindows();
}

}  // namespace
}  // namespace virdamo::app
