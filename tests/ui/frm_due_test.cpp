#include "qt_helpers.h"
#include "ui/frm_due.h"

#include "forms/form_slot.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include <map>

namespace virdamo::ui {
namespace {

using forms::Control;
using forms::Label;

struct WorksheetWindow : testing::Test {
    Modulo1 state;
    ClockRandomSource random;
    forms::Lifecycle lifecycle;
    int startWindowShown = 0;
    int printed = 0;
    forms::FormSlot slot{lifecycle, [this] {
                             auto window = std::make_unique<FrmDue>(state, random);
                             QObject::connect(window.get(), &FrmDue::startWindowRequested,
                                              [this] { ++startWindowShown; });
                             QObject::connect(window.get(), &FrmDue::printRequested, [this] { ++printed; });
                             return window;
                         }};

    FrmDue& open()
    {
        auto* window = slot.formAs<FrmDue>();
        if (!window) {
            slot.show();
            window = slot.formAs<FrmDue>();
            QApplication::processEvents();
        }
        return *window;
    }

    QAbstractButton* button(const char* name) { return open().findChild<QAbstractButton*>(QString::fromLatin1(name)); }
    void click(const char* name)
    {
        ASSERT_TRUE(
            virdamo::test::clickButton(&open(), QString::fromLatin1(name), QPoint(8, button(name)->height() / 2)))
            << name;
    }
    QLabel* label(LabelArray array, int i) { return open().place(array, static_cast<std::int16_t>(i)).label(); }

    /// True when place i shows nothing: no digits, no mark, no rule.
    bool placeEmpty(int i)
    {
        for (const LabelArray a : {LabelArray::Label1, LabelArray::Label2, LabelArray::Label4, LabelArray::Label5,
                                   LabelArray::Label6, LabelArray::Label8}) {
            if (!label(a, i)->text().isEmpty()) return false;
        }
        for (const LabelArray a :
             {LabelArray::lblPer, LabelArray::lblUguale, LabelArray::lblRiga1, LabelArray::lblRiga2}) {
            if (!label(a, i)->isHidden()) return false;
        }
        return true;
    }

    void TearDown() override
    {
        slot.unload();
        virdamo::test::deleteUnloadedWindows();
    }
};

TEST_F(WorksheetWindow, OpensEmptyWithTheDefaultsMarked)
{
    FrmDue& w = open();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Visualizzazione scheda delle moltiplicazioni"));
    EXPECT_FLOAT_EQ(w.innerWidth(), 11910.0F);
    EXPECT_FLOAT_EQ(w.innerHeight(), 8640.0F);
    EXPECT_EQ(w.controlCount(), 239) << "heading, 20 places of 11 controls, 17 side-panel controls, the line";
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(placeEmpty(i)) << "place " << i;

    const Label& heading = virdamo::test::control<Label>(w, QStringLiteral("Label4"), 22);
    EXPECT_EQ(heading.caption(), QStringLiteral("STAMPA SCHEDE DELLE MOLTIPLICAZIONI"));
    EXPECT_TRUE(heading.isVisible());

    const std::map<const char*, bool> shown{
        {"Command1", true}, {"cmdStampa", false}, {"Command2", true}, {"cmdClasse", false}, {"cmdLavagna", false}};
    for (const auto& [name, visible] : shown) EXPECT_EQ(!button(name)->isHidden(), visible) << name;

    const std::map<const char*, bool> marked{{"Opt1(0)", true},    {"Opt1(1)", false},    {"Opt1(2)", false},
                                             {"Option1(0)", true}, {"Option1(1)", false}, {"Option1(2)", false},
                                             {"Opt5", false},      {"Opt10", true}};
    for (const auto& [name, checked] : marked) EXPECT_EQ(button(name)->isChecked(), checked) << name;

    EXPECT_EQ(state.CifreMoltiplicando, 2);
    EXPECT_EQ(state.CifreMoltiplicatore, 1);
    EXPECT_EQ(state.UltimaOperazione, 19);
    EXPECT_EQ(w.focusWidget(), button("Command1"))
        << "the window opens with the focus on VISUALIZZA, not on " << qPrintable(w.focusWidget()->objectName());
}

TEST_F(WorksheetWindow, KeyboardFocusFollowsTheDesignedOrder)
{
    FrmDue& w = open();
    w.activateWindow();
    button("Command1")->setFocus();
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int n = 0; n < 7; ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    // Only the marked option of each group takes the focus; a hidden STAMPA is skipped.
    EXPECT_EQ(
        order,
        (QStringList{"Command1", "Command2", "Opt1(0)", "Opt10", "Option1(0)", "Command1", "Command2", "Opt1(0)"}));

    click("Command1");
    button("Command1")->setFocus();
    QStringList withStampa{QApplication::focusWidget()->objectName()};
    for (int n = 0; n < 6; ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        withStampa << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(withStampa,
              (QStringList{"Command1", "Command2", "cmdClasse", "cmdLavagna", "Opt1(0)", "Opt10", "cmdStampa"}));
}

TEST_F(WorksheetWindow, PlacesFollowTheDesignGridAndItsExceptions)
{
    FrmDue& w = open();
    const struct {
        const char* name;
        std::int16_t index;
        QRect pixels;  // at 96 dpi, 15 twips to the pixel
    } cases[] = {
        {"Frame3", 0, {1, 34, 139, 124}},
        {"Frame3", 4, {145, 32, 139, 124}},
        {"Frame3", 18, {565, 297, 139, 124}},
        {"Frame3", 19, {566, 429, 139, 124}},
        {"Label1", 5, {40, 2, 78, 13}},
        {"Label5", 5, {36, 60, 78, 16}},
        {"Label6", 5, {30, 77, 78, 16}},
        {"lblRiga1", 18, {55, 25, 78, 13}},
        {"lblRiga1", 19, {55, 26, 78, 13}},
        // A product row that ends short of the units column is widened to it.
        {"Label8", 2, {-34, 105, 152, 18}},
        {"Label8", 8, {0, 105, 118, 18}},
        {"Label8", 17, {8, 105, 113, 18}},
        {"Label8", 9, {8, 106, 113, 18}},
        {"Label8", 13, {8, 105, 110, 18}},
        {"Frame1", forms::kNoIndex, {710, 28, 83, 547}},
        {"Opt10", forms::kNoIndex, {1, 24, 136, 22}},
        {"Label4", 22, {1, 0, 797, 32}},
    };
    for (const auto& c : cases) {
        const Control* control = virdamo::test::findControl(w, QString::fromLatin1(c.name), c.index);
        ASSERT_NE(control, nullptr) << c.name << "(" << c.index << ")";
        EXPECT_EQ(control->widget()->geometry(), c.pixels) << qPrintable(control->displayName());
    }
}

TEST_F(WorksheetWindow, ColoursAndFontsFollowTheDesign)
{
    FrmDue& w = open();
    const QColor darkGrey(64, 64, 64);
    const QColor systemText = QApplication::palette().color(QPalette::WindowText);
    const struct {
        LabelArray array;
        int index;
        QColor color;
    } colours[] = {
        {LabelArray::lblPer, 3, darkGrey},     {LabelArray::lblUguale, 7, darkGrey},
        {LabelArray::Label1, 2, darkGrey},     {LabelArray::Label1, 3, systemText},
        {LabelArray::Label2, 7, systemText},   {LabelArray::Label2, 8, darkGrey},
        {LabelArray::lblRiga1, 3, systemText}, {LabelArray::lblRiga1, 7, darkGrey},
        {LabelArray::Label4, 10, systemText},  {LabelArray::Label4, 11, darkGrey},
        {LabelArray::Label4, 16, darkGrey},    {LabelArray::Label8, 19, systemText},
    };
    for (const auto& c : colours) {
        EXPECT_EQ(label(c.array, c.index)->palette().color(QPalette::WindowText), c.color)
            << labelArrayName(c.array) << "(" << c.index << ")";
    }

    for (const LabelArray a : {LabelArray::Label1, LabelArray::Label4, LabelArray::Label8, LabelArray::lblPer}) {
        const QFont f = label(a, 6)->font();
        EXPECT_TRUE(QFontInfo(f).fixedPitch()) << labelArrayName(a) << ": the rows line up only in a fixed-pitch face";
        EXPECT_DOUBLE_EQ(f.pointSizeF(), 9.75);
        EXPECT_TRUE(f.bold());
    }
    EXPECT_EQ(label(LabelArray::lblRiga2, 6)->font(), w.font()) << "the long rule uses the window's default font";
    EXPECT_DOUBLE_EQ(w.font().pointSizeF(), 8.25);
    EXPECT_DOUBLE_EQ(button("Opt5")->font().pointSizeF(), 9.75);
    EXPECT_DOUBLE_EQ(button("Command1")->font().pointSizeF(), 9.0);
    EXPECT_EQ(button("Command1")->palette().color(QPalette::Button), QColor(255, 192, 128));
}

TEST_F(WorksheetWindow, VisualizzaShowsEveryOperationAsTheStateHoldsIt)
{
    const struct {
        const char* multiplicand;
        const char* multiplier;
        const char* operations;
        int cifreB, last;
    } cases[] = {
        {"Opt1(2)", "Option1(0)", "Opt10", 1, 19},
        {"Opt1(1)", "Option1(1)", "Opt10", 2, 19},
        {"Opt1(2)", "Option1(2)", "Opt5", 3, 9},
        {"Opt1(0)", "Option1(2)", "Opt10", 3, 19},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.multiplicand << " " << c.multiplier << " " << c.operations);
        click(c.multiplicand);
        click(c.multiplier);
        click(c.operations);
        click("Command1");
        EXPECT_TRUE(button("cmdStampa")->isVisible());
        EXPECT_TRUE(button("cmdLavagna")->isVisible());
        ASSERT_EQ(state.CifreMoltiplicatore, c.cifreB);
        ASSERT_EQ(state.UltimaOperazione, c.last);
        for (int i = 0; i < 20; ++i) {
            SCOPED_TRACE(testing::Message() << "place " << i);
            // A place that shows an operation says that a double click takes it to the whiteboard.
            EXPECT_EQ(open().showsOperation(i), i <= c.last);
            EXPECT_EQ(open().findChild<QWidget*>(QStringLiteral("Frame3(%1)").arg(i))->toolTip().isEmpty(), i > c.last);
            if (i > c.last) {
                EXPECT_TRUE(placeEmpty(i));
                continue;
            }
            const auto k = static_cast<std::size_t>(i);
            const auto text = [](std::int32_t v) { return QString::number(v); };
            const bool partials = c.cifreB > 1;
            EXPECT_EQ(label(LabelArray::Label1, i)->text(), text(state.ValMoltiplicando[k]));
            EXPECT_EQ(label(LabelArray::Label2, i)->text(), text(state.ValMoltiplicatore[k]));
            EXPECT_EQ(label(LabelArray::Label4, i)->text(), text(partials ? state.Parziale1[k] : state.Prodotto[k]));
            EXPECT_EQ(label(LabelArray::Label5, i)->text(), partials ? text(state.Parziale2[k]) : QString());
            EXPECT_EQ(label(LabelArray::Label6, i)->text(), c.cifreB == 3 ? text(state.Parziale3[k]) : QString());
            EXPECT_EQ(label(LabelArray::Label8, i)->text(), partials ? text(state.Prodotto[k]) : QString());
            EXPECT_TRUE(label(LabelArray::lblPer, i)->isVisible());
            EXPECT_TRUE(label(LabelArray::lblUguale, i)->isVisible());
            EXPECT_TRUE(label(LabelArray::lblRiga1, i)->isVisible());
            EXPECT_EQ(label(LabelArray::lblRiga2, i)->isVisible(), partials);
        }
    }
}

/// The right edge (exclusive) of the ink inside rect of image, or -1 where there is none.
int inkRight(const QImage& image, const QRect& rect)
{
    const QRect area = rect.intersected(image.rect());
    for (int x = area.right(); x >= area.left(); --x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (qGray(image.pixel(x, y)) < 230) return x + 1;  // the window's background is 245
        }
    }
    return -1;
}

/// How far the ink of character c ends right of the end of its advance, drawn alone in
/// font at dpi: digits differ by a pixel or so, which the rows must not be blamed for.
qreal inkPastAdvance(const QFont& font, int dpi, QChar c)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    const qreal end = 40.0;
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(QPointF(end - QFontMetricsF(font, &image).horizontalAdvance(c), 32.0), QString(c));
    painter.end();
    return inkRight(image, image.rect()) - end;
}

TEST_F(WorksheetWindow, RowsStandDigitUnderDigitAtEverySize)
{
    const struct {
        const char* multiplicand;
        double widthFactor;
    } cases[] = {{"Opt1(2)", 1.0}, {"Opt1(1)", 1.0}, {"Opt1(2)", 1.5}, {"Opt1(1)", 1.5}, {"Opt1(2)", 2.0}};
    // Each row ends on the units column of its place, a partial product one character
    // further left per digit of the multiplier; measured on the ink of the last digit.
    const std::pair<LabelArray, int> rows[] = {{LabelArray::Label1, 0}, {LabelArray::Label2, 0},
                                               {LabelArray::Label4, 0}, {LabelArray::Label5, 1},
                                               {LabelArray::Label6, 2}, {LabelArray::Label8, 0}};
    FrmDue& w = open();
    click("Option1(2)");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.multiplicand << " at " << c.widthFactor << "x the design width");
        w.setInnerSize(FrmDue::kDesignWidth, FrmDue::kDesignHeight);
        click(c.multiplicand);
        click("Command1");
        w.resize(static_cast<int>(w.width() * c.widthFactor), w.height());
        QApplication::processEvents();
        const QImage shot = w.grab().toImage();
        const QFontMetricsF metrics(label(LabelArray::Label4, 0)->font(), label(LabelArray::Label4, 0));
        const qreal advance = metrics.horizontalAdvance(QLatin1Char('0'));
        for (int i = 0; i < 20; ++i) {
            const QWidget* place = label(LabelArray::Label4, i)->parentWidget();
            const QRect units = w.place(LabelArray::Label4, static_cast<std::int16_t>(i)).pixelBox();
            const qreal column = place->x() + units.x() + units.width();
            for (const auto& [array, shift] : rows) {
                const QLabel* row = label(array, i);
                const QString digits = row->text();
                ASSERT_FALSE(digits.isEmpty());
                const QRect band(row->mapTo(&w, QPoint(0, 0)), row->size());
                const qreal expected =
                    column - shift * advance + inkPastAdvance(row->font(), w.logicalDpiX(), digits.back());
                EXPECT_NEAR(inkRight(shot, band), expected, 1.0)
                    << labelArrayName(array) << "(" << i << ") \"" << qPrintable(digits) << "\"";
            }
        }
    }
}

TEST_F(WorksheetWindow, RulesStayInsideTheirLabelsWhateverTheFace)
{
    FrmDue& w = open();
    click("Option1(2)");
    click("Command1");
    // A face whose ascent leaves the stroke of "_" below a 13-pixel label drawn from its top.
    QFont tall(QStringLiteral("DejaVu Sans Mono"));
    tall.setPointSizeF(9.75);
    tall.setBold(true);
    for (int i = 0; i < 20; ++i) label(LabelArray::lblRiga1, i)->setFont(tall);
    QApplication::processEvents();
    const QImage shot = w.grab().toImage();
    for (int i = 0; i < 20; ++i) {
        // The stroke is the one long run of ink in the band: digits and marks are short.
        const QLabel* rule = label(LabelArray::lblRiga1, i);
        const QRect band(rule->mapTo(&w, QPoint(0, 0)), rule->size());
        int longest = 0;
        for (int y = band.top(); y <= band.bottom(); ++y) {
            int run = 0;
            for (int x = band.left(); x <= band.right(); ++x) {
                run = qGray(shot.pixel(x, y)) < 230 ? run + 1 : 0;
                longest = std::max(longest, run);
            }
        }
        EXPECT_GT(longest, 40) << "lblRiga1(" << i << "): no stroke in its band";
    }
}

TEST_F(WorksheetWindow, ADigitOptionEmptiesTheSheetButKeepsStampa)
{
    click("Command1");
    ASSERT_FALSE(placeEmpty(0));
    click("Option1(2)");
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(placeEmpty(i)) << "place " << i;
        EXPECT_FALSE(open().showsOperation(i)) << "place " << i;
        EXPECT_TRUE(open().findChild<QWidget*>(QStringLiteral("Frame3(%1)").arg(i))->toolTip().isEmpty()) << i;
    }
    EXPECT_EQ(state.TxtProdotto[0], "");
    EXPECT_TRUE(button("cmdStampa")->isVisible());
    EXPECT_EQ(state.CifreMoltiplicatore, 3);
    EXPECT_EQ(state.CifreMoltiplicando, 2);
}

TEST_F(WorksheetWindow, ResizingScalesPlacesButNeitherFontsNorTheLine)
{
    FrmDue& w = open();
    // The boxes the layout places; a number row may draw beyond its box, tested apart.
    std::vector<QRect> design;
    for (int i = 0; i < w.controlCount(); ++i) {
        design.push_back(w.control(i).widget() ? w.control(i).pixelBox() : QRect());
    }
    const layout::TwipRect line = virdamo::test::control<forms::Line>(w, QStringLiteral("Line5")).geometry();
    const QFont rowFont = label(LabelArray::Label1, 0)->font();

    w.resize(2 * w.width(), w.height());
    QApplication::processEvents();
    for (int i = 0; i < w.controlCount(); ++i) {
        const QWidget* widget = w.control(i).widget();
        if (!widget) continue;
        const QRect g = w.control(i).pixelBox();
        SCOPED_TRACE(qPrintable(w.control(i).displayName()));
        EXPECT_NEAR(g.x(), 2 * design[static_cast<std::size_t>(i)].x(), 1);
        EXPECT_NEAR(g.width(), 2 * design[static_cast<std::size_t>(i)].width(), 2);
        EXPECT_EQ(g.y(), design[static_cast<std::size_t>(i)].y());
        EXPECT_EQ(g.height(), design[static_cast<std::size_t>(i)].height());
    }
    EXPECT_EQ(virdamo::test::control<forms::Line>(w, QStringLiteral("Line5")).geometry(), line);
    EXPECT_EQ(label(LabelArray::Label1, 0)->font(), rowFont);

    // Minimized windows report tiny or empty sizes; the design comes back exactly.
    for (const QSize size : {QSize(1, 1), QSize(5000, 20), QSize(w.width() / 2, w.height())}) {
        w.resize(size);
        QApplication::processEvents();
    }
    w.setInnerSize(FrmDue::kDesignWidth, FrmDue::kDesignHeight);
    QApplication::processEvents();
    for (int i = 0; i < w.controlCount(); ++i) {
        if (w.control(i).widget()) {
            EXPECT_EQ(w.control(i).pixelBox(), design[static_cast<std::size_t>(i)])
                << qPrintable(w.control(i).displayName());
        }
    }
}

TEST_F(WorksheetWindow, EsciShowsTheStartWindowAndUnloads)
{
    click("Option1(2)");
    click("Command2");
    EXPECT_EQ(startWindowShown, 1);
    EXPECT_FALSE(slot.isLoaded());
    EXPECT_EQ(lifecycle.loadedCount(), 0);
    virdamo::test::deleteUnloadedWindows();

    open();
    EXPECT_EQ(state.CifreMoltiplicatore, 1) << "a reload resets the settings";
    EXPECT_TRUE(button("Option1(0)")->isChecked());
    EXPECT_TRUE(button("cmdStampa")->isHidden());
}

TEST_F(WorksheetWindow, StampaRunsThePrintCommand)
{
    click("Command1");
    click("cmdStampa");
    click("cmdStampa");
    EXPECT_EQ(printed, 2);
}

TEST_F(WorksheetWindow, ClasseComesWithTheSheetWhoseCodeMakesItAgain)
{
    EXPECT_FALSE(open().shownSheet());
    click("Opt1(1)");
    click("Option1(2)");
    click("Opt5");
    click("Command1");
    EXPECT_TRUE(button("cmdClasse")->isVisible());

    // Sheet 1 of a class set is the sheet on show.
    const std::optional<SheetCode> code = open().shownSheet();
    ASSERT_TRUE(code);
    EXPECT_EQ(code->multiplicandDigits, 3);
    EXPECT_EQ(code->lastOperation, 9);
    Modulo1 again;
    makeSheet(code->nth(1), again);
    EXPECT_EQ(again.TxtParziale3, state.TxtParziale3);
    EXPECT_EQ(again.TxtProdotto, state.TxtProdotto);

    click("Opt1(0)");
    EXPECT_FALSE(open().shownSheet()) << "a digit option empties the display";
    EXPECT_TRUE(button("cmdClasse")->isVisible());
}

TEST_F(WorksheetWindow, ReturnPressesTheFocusedCommandAndEscapeLeaves)
{
    FrmDue& w = open();
    w.activateWindow();
    QTest::keyClick(button("Command1"), Qt::Key_Return);
    EXPECT_FALSE(placeEmpty(0)) << "Return on VISUALIZZA shows a sheet";
    QTest::keyClick(button("cmdStampa"), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(printed, 1) << "keypad Enter on STAMPA prints";
    EXPECT_EQ(startWindowShown, 0);
    QTest::keyClick(button("Opt1(0)"), Qt::Key_Escape);
    EXPECT_EQ(startWindowShown, 1) << "Escape does what ESCI does";
    EXPECT_FALSE(slot.isLoaded());
}

}  // namespace
}  // namespace virdamo::ui
