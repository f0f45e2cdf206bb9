// The class-sheets dialog, with its print, preview and file dialogs answered by the test.

#include "app/application.h"
#include "app/class_sheets_dialog.h"
#include "forms/form_slot.h"
#include "forms/message_box.h"
#include "pdf_words.h"
#include "ui/frm_due.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPageRanges>
#include <QPrinter>
#include <QSpinBox>
#include <QTemporaryDir>

namespace virdamo::app {
namespace {

class AnsweredDialogs final : public OutputDialogs {
public:
    QString printTo;  ///< the PDF file the chosen "printer" writes; empty cancels
    QPageRanges pages;
    QString saveAs;  ///< empty cancels
    QString proposed;

    bool choosePrinter(QPrinter& printer, int /*pageCount*/, QWidget* /*parent*/) override
    {
        printer.setOutputFileName(printTo);
        printer.setPageRanges(pages);
        return !printTo.isEmpty();
    }
    void preview(QPrinter& printer, const std::function<void(QPrinter&)>& draw, QWidget* /*parent*/) override
    {
        printer.setOutputFileName(printTo);
        draw(printer);
    }
    QString saveFileName(const QString& proposedName, QWidget* /*parent*/) override
    {
        proposed = proposedName;
        return saveAs;
    }
};

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
    const struct {
        const char* typed;
        bool valid;
        const char* message;
    } cases[] = {
        {"h28t5 cy4tq", true, "Moltiplicando di 4 cifre, moltiplicatore di 3 cifre, 20 operazioni."},
        {"H28T5-CY4TR", false, "Codice non valido: controllare di averlo scritto bene."},
        {"H28T5-CY4", false, "Un codice ha 10 caratteri, come H28T5-CY4TQ (il trattino si può omettere)."},
        {"H28T5-CY4T?", false, "Il carattere «?» non può stare in un codice."},
        {"U28T5-CY4TQ", false, "Il carattere «U» non può stare in un codice."},
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

TEST_F(ClassSheetsDialogTest, SavesOnePdfWholeOrNotAtAll)
{
    open(kShown);
    field<QSpinBox>("numeroSchede")->setValue(4);
    answers_.saveAs = dir_.filePath(QStringLiteral("classe.pdf"));
    field<QAbstractButton>("salvaPdf")->click();
    EXPECT_TRUE(answers_.proposed.endsWith(QStringLiteral("/schede-H28T5-CY4TQ.pdf")))
        << answers_.proposed.toStdString();
    EXPECT_EQ(pagesOf(answers_.saveAs), 8) << "pupils' pages and solutions";
    EXPECT_TRUE(messages_.isEmpty());

    field<QCheckBox>("soluzioni")->setChecked(false);
    answers_.saveAs = dir_.filePath(QStringLiteral("missing/classe.pdf"));
    field<QAbstractButton>("salvaPdf")->click();
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0],
              QString::fromUtf8("Il PDF non è stato salvato.\nNon si può scrivere nella cartella scelta."));
    EXPECT_FALSE(QFileInfo::exists(answers_.saveAs));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("classe.pdf")}) << "no partial file";
}

TEST_F(ClassSheetsDialogTest, PrintsThePagesAskedForAndPreviewsThemAll)
{
    open(kShown);
    field<QSpinBox>("numeroSchede")->setValue(3);
    answers_.printTo = dir_.filePath(QStringLiteral("printed.pdf"));
    answers_.pages = QPageRanges();
    answers_.pages.addRange(1, 3);  // the pupils' pages only
    field<QAbstractButton>("stampa")->click();
    EXPECT_EQ(pagesOf(answers_.printTo), 3);

    answers_.printTo = dir_.filePath(QStringLiteral("preview.pdf"));
    field<QAbstractButton>("anteprima")->click();
    EXPECT_EQ(pagesOf(answers_.printTo), 6);
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
    due->findChild<QAbstractButton*>(QStringLiteral("Command1"))->click();
    due->findChild<QAbstractButton*>(QStringLiteral("cmdClasse"))->click();
    auto* dialog = due->findChild<ClassSheetsDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("codice"))->text().toStdString(), due->shownSheet()->text());
    dialog->close();
    app.frmInizio().unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace virdamo::app
