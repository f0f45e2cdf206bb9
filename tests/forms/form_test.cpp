#include "forms/form.h"
#include "forms/message_box.h"
#include "forms/placement.h"
#include "qt_helpers.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QTest>

namespace virdamo::forms {
namespace {

const QColor kBackground(255, 255, 192);

/// A small window with one control of every kind, two of them in a frame.
class SampleForm final : public Form {
public:
    SampleForm()
        : Form(FormDesign{QStringLiteral("Prova"), 3000, 1500, kBackground,
                          FontSpec{QStringLiteral("Verdana"), 8.25, false, false}})
    {
        frame = &addFrame(QStringLiteral("Frame1"), kNoIndex, nullptr, {1500, 150, 1200, 1200}, QColor(255, 192, 128));
        row = &addLabel(QStringLiteral("Label1"), 7, frame, {30, 45, 1170, 195},
                        LabelDesign{QString(), FontSpec{QStringLiteral("Courier"), 9.75, true, true}, Qt::AlignRight,
                                    QColor(64, 64, 64), std::nullopt});
        rowBelow = &addLabel(QStringLiteral("Label1"), 8, frame, {-510, 300, 1710, 195},
                             LabelDesign{QString(), FontSpec{QStringLiteral("Courier"), 9.75, true, true},
                                         Qt::AlignRight, std::nullopt, std::nullopt});
        option = &addOption(QStringLiteral("Opt1"), 0, nullptr, {15, 105, 1200, 240},
                            ButtonDesign{QStringLiteral("2 cifre"), std::nullopt, QColor(255, 192, 128), true});
        otherOption = &addOption(QStringLiteral("Opt1"), 1, nullptr, {15, 345, 1200, 240},
                                 ButtonDesign{QStringLiteral("3 cifre"), std::nullopt, QColor(255, 192, 128), true});
        framedOption = &addOption(QStringLiteral("Opt5"), kNoIndex, frame, {30, 600, 1100, 240},
                                  ButtonDesign{QStringLiteral("10 oper"), std::nullopt, QColor(255, 192, 128), true});
        command = &addCommandButton(QStringLiteral("Command1"), kNoIndex, nullptr, {15, 600, 1200, 600},
                                    ButtonDesign{QStringLiteral("VAI"), std::nullopt, QColor(255, 192, 128), false});
        shape = &addShape(QStringLiteral("Shape1"), kNoIndex, nullptr, {15, 1230, 1200, 240},
                          ShapeDesign{QColor(0, 192, 192), 2});
        line = &addLine(QStringLiteral("Line1"), kNoIndex, nullptr,
                        LineDesign{QPointF(1410, 75), QPointF(1410, 1425), QColor(255, 0, 0), 3});
    }

    Frame* frame;
    Label* row;
    Label* rowBelow;
    OptionButton* option;
    OptionButton* otherOption;
    OptionButton* framedOption;
    CommandButton* command;
    Shape* shape;
    Line* line;
};

TEST(Twips, ConvertAtTheLogicalDpi)
{
    const struct {
        float twips, dpi;
        int pixels;
    } cases[] = {{0, 96, 0}, {15, 96, 1},     {11910, 96, 794}, {8640, 96, 576},   {7, 96, 0},
                 {8, 96, 1}, {-510, 96, -34}, {1440, 120, 120}, {11910, 144, 1191}};
    for (const auto& c : cases) {
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
    }
    EXPECT_FLOAT_EQ(pixelsToTwips(794, 96), 11910.0F);
}

TEST(Placement, OpensAtDesignSizeWhereItFitsAndNeverLargerThanTheAvailableArea)
{
    const QSize design(794, 576);
    const struct {
        const char* screen;
        QMargins frame;
        QRect available;
        WindowPlacement expected;
    } cases[] = {
        {"roomy", {8, 40, 8, 8}, {0, 0, 1280, 1024}, {{235, 200}, design}},
        {"roomy, no decorations", {}, {0, 0, 1280, 1024}, {{243, 224}, design}},
        {"exactly the design", {}, {0, 0, 794, 576}, {{0, 0}, design}},
        {"1280x1024 at scale 2, below a panel", {8, 40, 8, 8}, {0, 32, 640, 480}, {{0, 32}, {624, 432}}},
        {"too narrow only", {4, 24, 4, 4}, {100, 0, 700, 1000}, {{100, 198}, {692, 576}}},
        {"second screen", {}, {1280, 0, 1024, 768}, {{1395, 96}, design}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(placeOnScreen(design, c.frame, c.available), c.expected) << c.screen;
    }
}

TEST(Form, HoldsItsControlsInOneFixedOrderAddressedByNameAndIndex)
{
    SampleForm form;
    ASSERT_EQ(form.controlCount(), 9);
    const char* expected[] = {"Frame1", "Label1(7)", "Label1(8)", "Opt1(0)", "Opt1(1)",
                              "Opt5",   "Command1",  "Shape1",    "Line1"};
    for (int i = 0; i < form.controlCount(); ++i) {
        EXPECT_EQ(form.control(i).displayName(), QString::fromLatin1(expected[i]));
    }
    EXPECT_EQ(virdamo::test::findControl(form, QStringLiteral("Label1"), 7), form.row);
    EXPECT_EQ(virdamo::test::findControl(form, QStringLiteral("Label1")), nullptr) << "an array member needs its index";
    EXPECT_EQ(virdamo::test::findControl(form, QStringLiteral("Label1"), 9), nullptr);
    EXPECT_THROW((void)virdamo::test::control<Label>(form, QStringLiteral("Opt1"), 0), std::out_of_range)
        << "wrong kind";
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Label1(8)")), form.rowBelow->label());
}

TEST(Form, GeometryIsInTwipsRelativeToTheContainer)
{
    SampleForm form;
    EXPECT_FLOAT_EQ(form.innerWidth(), 3000.0F);
    EXPECT_FLOAT_EQ(form.innerHeight(), 1500.0F);
    ASSERT_EQ(form.dpiX(), 96.0F) << "the offscreen platform reports 96 dpi";

    EXPECT_EQ(form.frame->widget()->geometry(), QRect(100, 10, 80, 80));
    EXPECT_EQ(form.row->widget()->parentWidget(), form.frame->widget());
    EXPECT_EQ(form.row->widget()->geometry(), QRect(2, 3, 78, 13));
    // A label reaching left of its frame keeps its negative left; the frame clips it.
    EXPECT_EQ(form.rowBelow->widget()->geometry(), QRect(-34, 20, 114, 13));

    // Edges are rounded, not sizes: two labels ending at the same twip end at the same pixel.
    form.row->Move(7, 45, 1163, 195);
    form.rowBelow->Move(-517, 300, 1687, 195);
    const QRect a = form.row->widget()->geometry();
    const QRect b = form.rowBelow->widget()->geometry();
    EXPECT_EQ(a.x() + a.width(), b.x() + b.width());
    EXPECT_EQ(form.row->geometry(), (TwipRect{7, 45, 1163, 195})) << "twips are kept exactly, not re-read from pixels";
}

TEST(Form, LinesHaveNoGeometryAndCannotMove)
{
    SampleForm form;
    EXPECT_EQ(form.line->layoutKind(), layout::ControlKind::Line);
    EXPECT_FALSE(form.line->left().has_value());
    EXPECT_FALSE(form.line->height().has_value());
    EXPECT_THROW(form.line->Move(0, 0, 10, 10), std::logic_error);
    EXPECT_EQ(form.line->widget(), nullptr);
    EXPECT_EQ(form.shape->layoutKind(), layout::ControlKind::Other);
}

TEST(Form, DrawsControlsAsDesigned)
{
    SampleForm form;
    form.show();
    const QImage image = form.grab().toImage();
    // Window background, frame fill, shape fill, and the line drawn on the window.
    EXPECT_EQ(image.pixelColor(90, 5), kBackground);
    EXPECT_EQ(image.pixelColor(170, 80), QColor(255, 192, 128));
    EXPECT_EQ(image.pixelColor(40, 90), QColor(0, 192, 192));
    EXPECT_EQ(image.pixelColor(94, 50), QColor(255, 0, 0));
    form.line->setVisible(false);
    EXPECT_EQ(form.grab().toImage().pixelColor(94, 50), kBackground);

    EXPECT_FALSE(form.command->isVisible()) << "hidden by design";
    EXPECT_TRUE(form.option->isVisible());
    EXPECT_EQ(form.row->label()->palette().color(QPalette::WindowText), QColor(64, 64, 64));
    EXPECT_FALSE(form.row->label()->autoFillBackground()) << "transparent background";
    EXPECT_TRUE(QFontInfo(form.row->label()->font()).fixedPitch());
    // Drawn with the faces the program depends on, whatever else the machine maps a name to.
    EXPECT_EQ(QFontInfo(form.row->label()->font()).family(), QStringLiteral("Liberation Mono")) << "Courier";
    EXPECT_EQ(QFontInfo(form.font()).family(), QStringLiteral("DejaVu Sans")) << "Verdana";
    EXPECT_DOUBLE_EQ(form.row->label()->font().pointSizeF(), 9.75);
    EXPECT_EQ(form.option->button()->font(), form.font()) << "no font of its own: the window's default";
}

TEST(Form, OptionsAreExclusiveWithinTheirContainerAndReportEveryClick)
{
    SampleForm form;
    form.show();
    int clicks = 0;
    form.option->onClick([&clicks] { ++clicks; });
    form.framedOption->setChecked(true);

    QTest::mouseClick(form.option->button(), Qt::LeftButton);
    QTest::mouseClick(form.option->button(), Qt::LeftButton);
    EXPECT_EQ(clicks, 2) << "a click on an option already marked is still reported";
    EXPECT_TRUE(form.option->isChecked()) << "clicking the marked option keeps it marked";

    QTest::mouseClick(form.otherOption->button(), Qt::LeftButton);
    EXPECT_TRUE(form.otherOption->isChecked());
    EXPECT_FALSE(form.option->isChecked()) << "options of one container exclude each other";
    EXPECT_TRUE(form.framedOption->isChecked()) << "an option in another container is independent";
    EXPECT_EQ(clicks, 2);
}

TEST(MessageBox, AHandlerAnswersInsteadOfTheDialog)
{
    struct Shown {
        MessageIcon icon;
        QString title, text;
    };
    std::vector<Shown> shown;
    MessageBox::setHandler([&shown](MessageIcon icon, const QString& title, const QString& text) {
        shown.push_back({icon, title, text});
    });
    MessageBox::show(nullptr, MessageIcon::Warning, QStringLiteral("STAMPA"), QStringLiteral("riga 1\nriga 2"));
    MessageBox::setHandler({});
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(shown[0].title, QStringLiteral("STAMPA"));
    EXPECT_EQ(shown[0].text, QStringLiteral("riga 1\nriga 2"));
}

}  // namespace
}  // namespace virdamo::forms
